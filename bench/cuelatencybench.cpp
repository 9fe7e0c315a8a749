// Times cues from their post to their first sample in what a private PulseAudio server's
// null sink played, through the real player, and prints the median and the worst.
// Usage: cuelatencybench [CUES]   (default 50)

#include "BenchTable.h"
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "PulseServer.h"
#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int cues = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 50;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    PulseServer server;
    if (!server.start()) {
        std::fputs("cuelatencybench: could not start a PulseAudio server\n", stderr);
        return 1;
    }
    SoundPlayer player;
    MonitorRecording recording(server.serverAddress());
    if (!recording.start())
        return 1;
    wait(1000);
    // Posts at random moments, as the clock's ticks fall, far enough apart not to overlap.
    QList<double> posts;
    for (int i = 0; i < cues; ++i) {
        wait(500 + QRandomGenerator::global()->bounded(200));
        posts << MonotonicClock::seconds();
        player.play(5);
    }
    wait(1000);
    recording.stop();

    const CueFinder finder;
    QList<double> latencies;
    for (double posted : posts) {
        const qsizetype at = recording.indexAt(posted);
        const auto match = finder.find(5, recording.samples(),
            at - MonitorRecording::sampleRate / 50, at + MonitorRecording::sampleRate / 2);
        if (match.similarity > 0.5)
            latencies << (recording.timeOf(match.start) - posted) * 1000;
    }
    std::sort(latencies.begin(), latencies.end());
    const QString run = QStringLiteral("cues, %1 posts on PulseAudio").arg(cues);
    BenchTable::row(run, "heard / posted",
        QStringLiteral("%1 / %2").arg(latencies.size()).arg(cues),
        QStringLiteral("%1 / %1").arg(cues));
    if (latencies.isEmpty())
        return 1;
    BenchTable::row(run, "post to first sample, median, ms",
        QString::number(latencies.at(latencies.size() / 2), 'f', 1), "<= 30");
    BenchTable::row(
        run, "post to first sample, worst, ms", QString::number(latencies.last(), 'f', 1), "<= 30");
    return 0;
}
