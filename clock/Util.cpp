// SPDX-License-Identifier: GPL-3.0-or-later
#include "Util.h"

#include "NotificationCenter.h"

#include <cmath>
#include <limits>

bool Util::contains(const QString &string, const QString &substring)
{
    return !substring.isEmpty() && string.contains(substring, Qt::CaseSensitive);
}

void Util::postNotification(const QString &name, const QString &key, const QString &value)
{
    if (key.isEmpty() || value.isNull())
        return;
    NotificationCenter::defaultCenter().post(name, {{key, value}});
}

int Util::saturatedInt(double value)
{
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lowest)
        return lowest;
    if (value >= highest)
        return highest;
    return static_cast<int>(value);
}
