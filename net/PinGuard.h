// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <deque>
#include <functional>

// Guards the remote commands with the control PIN: compares in constant time, locks an
// address out for a minute after five wrong PINs in a row, stops every command once too many
// wrong PINs came from anywhere since the PIN was set (until the referee starts them again: a
// guesser who waits gains nothing), and lets the right PIN through only a few times a second.
class PinGuard
{
public:
    // Milliseconds on a clock that only moves forward.
    using Clock = std::function<qint64()>;

    enum class Verdict { Accepted, Wrong, LockedOut, Stopped, TooFast, NoPin };

    static constexpr int maxWrongPins = 5;
    static constexpr qint64 lockoutMilliseconds = 60'000;
    // Wrong PINs from every address together; this many stop remote commands for everyone.
    static constexpr int maxWrongPinsEverywhere = 20;
    static constexpr int maxCommandsPerSecond = 4;

    explicit PinGuard(Clock clock);

    // An empty PIN accepts no command. A new PIN forgives every address and starts commands;
    // the same PIN again changes nothing. Answers whether the PIN changed.
    bool setPin(const QString &pin);
    bool hasPin() const { return !_pinDigest.isEmpty(); }
    bool stopped() const { return _stopped; }
    // Wrong PINs since the PIN was set or commands were taken again.
    int wrongPinCount() const { return _wrongPinCount; }
    // The referee's answer to a stop: commands are taken again, with a fresh budget.
    void restart();

    // `trusted`: the right PIN came earlier on the same connection, so a lockout of its
    // address (someone else behind it guessing) does not shut it out.
    Verdict check(const QString &address, const QString &pin, bool trusted = false);
    // A command with the right PIN: Accepted, or TooFast beyond maxCommandsPerSecond.
    Verdict checkCommand(const QString &address, const QString &pin, bool trusted = false);
    // How long `address` stays locked out; 0 when it is not.
    qint64 lockoutLeft(const QString &address) const;
    int recordCount() const { return static_cast<int>(_records.size()); }

private:
    struct Record
    {
        int wrongPins = 0;
        qint64 lastWrong = 0;
    };

    void countWrong(const QString &address);
    void prune();
    static QByteArray digest(const QString &pin);
    static bool sameDigest(const QByteArray &a, const QByteArray &b);

    Clock _clock;
    QByteArray _pinDigest;
    // Forgotten lockoutMilliseconds after their last wrong PIN.
    QHash<QString, Record> _records;
    int _wrongPinCount = 0;
    std::deque<qint64> _commandTimes;
    bool _stopped = false;
};
