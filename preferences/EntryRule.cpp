// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryRule.h"

#include "PreferenceStore.h"

#include <limits>

EntryVerdict EntryRule::wholeNumber(
    const QString &entry, int lowest, int highest, const QString &refusal)
{
    bool whole = false;
    const int value = entry.trimmed().toInt(&whole);
    if (!whole || value < lowest || value > highest)
        return {{}, refusal};
    return {value, {}};
}

// The field holds at most the limit; the store cuts what is longer on reading.
EntryVerdict EntryRule::banner(const QString &entry)
{
    return {entry,
        entry.size() >= PreferenceStore::maxMarquisTextLength
            ? tr("At most %1 characters").arg(PreferenceStore::maxMarquisTextLength)
            : QString()};
}

EntryVerdict EntryRule::minutes(const QString &entry)
{
    bool whole = false;
    const qlonglong minutes = entry.trimmed().toLongLong(&whole);
    if (!whole)
        return {{}, tr("Whole minutes only; not saved")};
    if (minutes < std::numeric_limits<int>::min() || minutes > std::numeric_limits<int>::max()) {
        return {{},
            tr("From %1 to %2 minutes only; not saved")
                .arg(std::numeric_limits<int>::min())
                .arg(std::numeric_limits<int>::max())};
    }
    return {int(minutes),
        minutes <= 0 ? tr("%1 minutes: the phase is skipped").arg(minutes) : QString()};
}

EntryVerdict EntryRule::lastYear(const QString &entry)
{
    return wholeNumber(
        entry, 0, std::numeric_limits<int>::max(), tr("A game-year, or 0 for no end; not saved"));
}

EntryVerdict EntryRule::port(const QString &entry)
{
    return wholeNumber(entry, PreferenceStore::lowestPort, PreferenceStore::highestPort,
        tr("A port from %1 to %2; not saved")
            .arg(PreferenceStore::lowestPort)
            .arg(PreferenceStore::highestPort));
}

EntryVerdict EntryRule::warningMinutes(const QString &entry)
{
    return wholeNumber(entry, 0, PreferenceStore::maxWarningMinutes,
        tr("Whole minutes from 0 (none) to %1; not saved").arg(PreferenceStore::maxWarningMinutes));
}

EntryVerdict EntryRule::timeOfDay(const QString &entry)
{
    const QTime time = PreferenceStore::readTimeOfDay(entry);
    if (!time.isValid())
        return {{}, tr("A time of day such as 18:30; not saved")};
    return {time.toString(QStringLiteral("HH:mm")), {}};
}

EntryVerdict EntryRule::pin(const QString &entry)
{
    const QString pin = entry.trimmed();
    if (!PreferenceStore::isAcceptablePin(pin))
        return {{}, tr("4 to 8 digits, or empty for none; not saved")};
    return {pin, {}};
}
