#include "PinGuard.h"

#include <QCryptographicHash>

#include <algorithm>

PinGuard::PinGuard(Clock clock)
    : _clock(std::move(clock))
{
}

void PinGuard::setPin(const QString &pin)
{
    _pinDigest = pin.isEmpty() ? QByteArray() : digest(pin);
    _records.clear();
}

PinGuard::Verdict PinGuard::check(const QString &address, const QString &pin)
{
    if (!hasPin())
        return Verdict::NoPin;
    if (lockoutLeft(address) > 0)
        return Verdict::LockedOut;
    // Compared as digests of equal length, so the time taken says nothing about the PIN.
    if (sameDigest(digest(pin), _pinDigest)) {
        _records.remove(address);
        return Verdict::Accepted;
    }
    Record &record = _records[address];
    if (record.lockedUntil != 0)
        record = Record(); // the lockout is over: five more tries
    if (++record.wrongPins >= maxWrongPins)
        record.lockedUntil = _clock() + lockoutMilliseconds;
    return Verdict::Wrong;
}

qint64 PinGuard::lockoutLeft(const QString &address) const
{
    const auto record = _records.constFind(address);
    if (record == _records.constEnd() || record->lockedUntil == 0)
        return 0;
    return std::max<qint64>(0, record->lockedUntil - _clock());
}

QByteArray PinGuard::digest(const QString &pin)
{
    return QCryptographicHash::hash(pin.toUtf8(), QCryptographicHash::Sha256);
}

bool PinGuard::sameDigest(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return difference == 0;
}
