// Times cues from their post to their first sample in what a private sound server's null
// sink played, through the real player, and prints the median and the worst: once on
// PulseAudio, once on PipeWire (through its PulseAudio server).
// Usage: cuelatencybench [CUES]   (default 50)

#include "BenchTable.h"
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "SoundPlayer.h"
#include "SoundServer.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace {

bool measure(SoundServer::Kind kind, int cues)
{
    const QString serverName = kind == SoundServer::PulseAudio ? "PulseAudio" : "PipeWire";
    SoundServer server(kind);
    if (!server.start()) {
        std::fprintf(stderr, "cuelatencybench: could not start %s\n", qPrintable(serverName));
        return false;
    }
    SoundPlayer player;
    MonitorRecording recording;
    if (!QTest::qWaitFor([&] { return player.output().isPlaying(); }, 5000) || !recording.start())
        return false;
    QTest::qWait(1000);
    // Posts at random moments, as the clock's ticks fall, far enough apart not to overlap.
    QList<double> posts;
    for (int i = 0; i < cues; ++i) {
        QTest::qWait(500 + QRandomGenerator::global()->bounded(200));
        posts << MonotonicClock::seconds();
        player.play(5);
    }
    QTest::qWait(1000);
    recording.stop();

    const CueFinder finder;
    QList<double> latencies;
    for (double posted : posts) {
        const qsizetype at = recording.indexAt(posted);
        const auto match = finder.find(5, recording.samples(),
            at - MonitorRecording::sampleRate / 50, at + MonitorRecording::sampleRate / 2);
        if (match.similarity > 0.5)
            latencies << double(match.start - at) / MonitorRecording::sampleRate * 1000;
    }
    std::sort(latencies.begin(), latencies.end());
    const QString run = QStringLiteral("cues, %1 posts on %2").arg(cues).arg(serverName);
    BenchTable::row(run, "heard / posted",
        QStringLiteral("%1 / %2").arg(latencies.size()).arg(cues),
        QStringLiteral("%1 / %1").arg(cues));
    if (latencies.isEmpty())
        return false;
    BenchTable::row(run, "post to first sample, median, ms",
        QString::number(latencies.at(latencies.size() / 2), 'f', 1), "<= 30");
    BenchTable::row(
        run, "post to first sample, worst, ms", QString::number(latencies.last(), 'f', 1), "<= 30");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int cues = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 50;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const bool pulse = measure(SoundServer::PulseAudio, cues);
    const bool pipewire = measure(SoundServer::PipeWire, cues);
    return pulse && pipewire ? 0 : 1;
}
