// SPDX-License-Identifier: GPL-3.0-or-later
#include "Phase.h"

#include "PreferenceStore.h"
#include "Util.h"

#include <limits>

Phase::Phase()
    : _year(1901)
    , _season(SPRING())
    , _isInOrderWriting(false)
{
}

QString Phase::SPRING()
{
    return QStringLiteral("Spring");
}

QString Phase::FALL()
{
    return QStringLiteral("Fall");
}

QString Phase::AFTER_WIERD_SEASON()
{
    return SPRING();
}

bool Phase::isSpring() const
{
    return Util::contains(season(), SPRING());
}

bool Phase::isFall() const
{
    return Util::contains(season(), FALL());
}

void Phase::simpleIncrement()
{
    if (isSpring()) {
        setSeason(FALL());
    } else if (isFall()) {
        setSeason(SPRING());
        // The calendar has no last year; it stops counting at the largest one it can hold.
        if (year() < std::numeric_limits<int>::max())
            setYear(year() + 1);
    } else {
        setSeason(AFTER_WIERD_SEASON());
    }
}

void Phase::increment()
{
    if (isInOrderWriting() || PreferenceStore::preferenceIsDropDead()) {
        setIsInOrderWriting(false);
        simpleIncrement();
    } else {
        setIsInOrderWriting(true);
    }
}

void Phase::decrement()
{
    if (isInOrderWriting()) {
        setIsInOrderWriting(false);
        return;
    }
    const Phase start;
    if (season() == start.season() && year() == start.year())
        return;
    if (isFall()) {
        setSeason(SPRING());
    } else {
        setSeason(FALL());
        setYear(year() - 1);
    }
    setIsInOrderWriting(!PreferenceStore::preferenceIsDropDead());
}

bool Phase::isLastOfYear() const
{
    return isFall() && (isInOrderWriting() || PreferenceStore::preferenceIsDropDead());
}

QString Phase::description() const
{
    // Whole phrases, so that each language orders season, phase and year its own way.
    const QString year = QString::number(this->year());
    if (isFall())
        return (isInOrderWriting() ? tr("Fall (Orders) %1") : tr("Fall %1")).arg(year);
    return (isInOrderWriting() ? tr("Spring (Orders) %1") : tr("Spring %1")).arg(year);
}
