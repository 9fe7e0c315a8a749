// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Prints the rows of the one table that the benchmarks share: what ran, what was measured,
// the figure, and the goal it is held to (if any).
class BenchTable
{
public:
    static void row(
        const QString &run, const QString &measure, const QString &figure, const QString &goal);
};
