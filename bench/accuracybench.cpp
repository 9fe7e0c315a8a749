// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the game clock on its real timer, without a window, and compares it with an
// independent monotonic clock: how far the time left strays, how long the display can go
// without an update, and whether every whole second passed was announced exactly once.
// Usage: accuracybench [SECONDS]   (default 120)

#include "BenchTable.h"
#include "CountdownTimer.h"
#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

struct Observations
{
    double largestError = 0;
    qint64 largestGapNs = 0;
    QMap<int, int> postsPerSecond;
};

void report(const Observations &seen, double startLeft, double endLeft, double seconds)
{
    int once = 0, never = 0, twice = 0;
    // Every whole second N that the run took the time left from N + 0.1 or above to below.
    for (int s = static_cast<int>(std::floor(startLeft - 0.1)); s + 0.1 > endLeft; --s) {
        const int posts = seen.postsPerSecond.value(s);
        once += posts == 1;
        never += posts == 0;
        twice += posts > 1;
    }
    const QString run = QStringLiteral("accuracy, %1 s headless").arg(seconds);
    BenchTable::row(run, "largest difference of time left from the reference, ms",
        QString::number(seen.largestError * 1000, 'f', 3), "<= 100");
    BenchTable::row(run, "longest time between updates, ms",
        QString::number(seen.largestGapNs / 1e6, 'f', 1), "");
    BenchTable::row(run, "whole seconds posted once / never / twice",
        QStringLiteral("%1 / %2 / %3").arg(once).arg(never).arg(twice),
        QStringLiteral("%1 / 0 / 0").arg(once + never + twice));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, QString(argv[1]).toDouble()) : 120.0;
    QTemporaryDir storeDir;
    PreferenceStore::setStorePath(storeDir.filePath(QStringLiteral("bench.conf")));

    // Long enough that the phase never ends during the run.
    CountdownTimer timer(std::ceil(seconds / 60.0) + 1, MonotonicClock::seconds);
    Observations seen;
    QElapsedTimer reference;
    QElapsedTimer sinceUpdate;
    const double startLeft = timer.secondsLeft();

    QObject::connect(&timer, &CountdownTimer::secondsLeftChanged, [&] {
        const double expected = startLeft - reference.nsecsElapsed() / 1e9;
        seen.largestError = std::max(seen.largestError, std::abs(timer.secondsLeft() - expected));
        seen.largestGapNs = std::max(seen.largestGapNs, sinceUpdate.nsecsElapsed());
        sinceUpdate.start();
    });
    QObject context;
    NotificationCenter::defaultCenter().addObserver(
        &context, SOUND_PLAYER_NOTIFICATION_NAME, [&](const QVariantMap &userInfo) {
            ++seen.postsPerSecond[userInfo.value(SECONDS_KEY).toInt()];
        });

    // Start between two ticks, as an operator would.
    QTimer::singleShot(37, [&] {
        reference.start();
        sinceUpdate.start();
        timer.restart();
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000) + 37, &app, &QCoreApplication::quit);
    app.exec();

    report(seen, startLeft, timer.secondsLeft(), seconds);
    return 0;
}
