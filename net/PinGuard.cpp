// SPDX-License-Identifier: GPL-3.0-or-later
#include "PinGuard.h"

#include <QCryptographicHash>

#include <algorithm>

PinGuard::PinGuard(Clock clock)
    : _clock(std::move(clock))
{
}

bool PinGuard::setPin(const QString &pin)
{
    const QByteArray pinDigest = pin.isEmpty() ? QByteArray() : digest(pin);
    if (pinDigest == _pinDigest)
        return false;
    _pinDigest = pinDigest;
    _records.clear();
    restart();
    return true;
}

void PinGuard::restart()
{
    _stopped = false;
    _wrongPinCount = 0;
}

PinGuard::Verdict PinGuard::check(const QString &address, const QString &pin, bool trusted)
{
    if (!hasPin())
        return Verdict::NoPin;
    if (_stopped)
        return Verdict::Stopped;
    prune();
    if (!trusted && lockoutLeft(address) > 0)
        return Verdict::LockedOut;
    // Compared as digests of equal length, so the time taken says nothing about the PIN.
    if (sameDigest(digest(pin), _pinDigest)) {
        // The right PIN forgives its address, but not someone behind it who is locked out.
        if (lockoutLeft(address) == 0)
            _records.remove(address);
        return Verdict::Accepted;
    }
    countWrong(address);
    return Verdict::Wrong;
}

PinGuard::Verdict PinGuard::checkCommand(const QString &address, const QString &pin, bool trusted)
{
    const Verdict verdict = check(address, pin, trusted);
    if (verdict != Verdict::Accepted)
        return verdict;
    const qint64 now = _clock();
    while (!_commandTimes.empty() && now - _commandTimes.front() >= 1000)
        _commandTimes.pop_front();
    if (int(_commandTimes.size()) >= maxCommandsPerSecond)
        return Verdict::TooFast;
    _commandTimes.push_back(now);
    return Verdict::Accepted;
}

qint64 PinGuard::lockoutLeft(const QString &address) const
{
    const auto record = _records.constFind(address);
    if (record == _records.constEnd() || record->wrongPins < maxWrongPins)
        return 0;
    return std::max<qint64>(0, record->lastWrong + lockoutMilliseconds - _clock());
}

void PinGuard::countWrong(const QString &address)
{
    const qint64 now = _clock();
    Record &record = _records[address];
    ++record.wrongPins;
    record.lastWrong = now;
    if (++_wrongPinCount >= maxWrongPinsEverywhere)
        _stopped = true;
}

// A record ends with its lockout, or a minute after a wrong PIN that locked nothing.
void PinGuard::prune()
{
    const qint64 now = _clock();
    _records.removeIf([now](const QHash<QString, Record>::iterator record) {
        return now - record->lastWrong >= lockoutMilliseconds;
    });
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
