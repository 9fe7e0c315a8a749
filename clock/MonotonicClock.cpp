// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonotonicClock.h"

#include <time.h>

double MonotonicClock::seconds()
{
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}
