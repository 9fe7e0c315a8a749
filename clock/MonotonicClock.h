// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Seconds on a clock that never jumps when the system time is set and keeps counting while
// the machine is suspended, so a round that goes on with the laptop lid closed is right when
// it opens.
class MonotonicClock
{
public:
    static double seconds();
};
