#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>

// Guards the remote commands with the control PIN: compares in constant time, and locks an
// address out for a minute after five wrong PINs in a row.
class PinGuard
{
public:
    // Milliseconds on a clock that only moves forward.
    using Clock = std::function<qint64()>;

    enum class Verdict { Accepted, Wrong, LockedOut, NoPin };

    static constexpr int maxWrongPins = 5;
    static constexpr qint64 lockoutMilliseconds = 60'000;

    explicit PinGuard(Clock clock);

    // An empty PIN accepts no command. A new PIN forgives every address.
    void setPin(const QString &pin);
    bool hasPin() const { return !_pinDigest.isEmpty(); }

    Verdict check(const QString &address, const QString &pin);
    // How long `address` stays locked out; 0 when it is not.
    qint64 lockoutLeft(const QString &address) const;

private:
    struct Record
    {
        int wrongPins = 0;
        qint64 lockedUntil = 0;
    };

    static QByteArray digest(const QString &pin);
    static bool sameDigest(const QByteArray &a, const QByteArray &b);

    Clock _clock;
    QByteArray _pinDigest;
    QHash<QString, Record> _records;
};
