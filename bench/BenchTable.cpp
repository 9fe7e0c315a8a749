// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchTable.h"

#include <cstdio>

void BenchTable::row(
    const QString &run, const QString &measure, const QString &figure, const QString &goal)
{
    std::printf("| %s | %s | %s | %s |\n", qPrintable(run), qPrintable(measure), qPrintable(figure),
        qPrintable(goal));
    std::fflush(stdout);
}
