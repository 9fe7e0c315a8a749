// SPDX-License-Identifier: GPL-3.0-or-later
// Times cues from their post to their first sample in what a private sound server's null
// sink played, through the real player, and prints the median and the worst: once on
// PulseAudio, once on PipeWire (through its PulseAudio server). Cues close together find the
// stream awake, as a countdown's do; a cue played by hand after a quiet spell wakes it.
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

struct Spacing
{
    const char *name;
    int minimumGap, extraGap; // milliseconds
    int share; // of the cues asked for
};

// Posts at random moments, as the clock's ticks fall, and finds each one in the recording.
QList<double> latencies(SoundPlayer &player, const Spacing &spacing, int cues)
{
    MonitorRecording recording;
    if (!recording.start())
        return {};
    QList<double> posts;
    for (int i = 0; i < cues; ++i) {
        QTest::qWait(spacing.minimumGap + QRandomGenerator::global()->bounded(spacing.extraGap));
        posts << MonotonicClock::seconds();
        player.play(5);
    }
    QTest::qWait(1000);
    recording.stop();
    const CueFinder finder;
    QList<double> found;
    for (double posted : posts) {
        const qsizetype at = recording.indexAt(posted);
        const auto match = finder.find(5, recording.samples(),
            at - MonitorRecording::sampleRate / 50, at + MonitorRecording::sampleRate / 2);
        if (match.similarity > 0.5)
            found << double(match.start - at) / MonitorRecording::sampleRate * 1000;
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool measure(SoundServer::Kind kind, int cues)
{
    const QString serverName = kind == SoundServer::PulseAudio ? "PulseAudio" : "PipeWire";
    SoundServer server(kind);
    if (!server.start()) {
        std::fprintf(stderr, "cuelatencybench: could not start %s\n", qPrintable(serverName));
        return false;
    }
    SoundPlayer player;
    if (!QTest::qWaitFor([&] { return player.output().isPlaying(); }, 5000))
        return false;
    // Apart by more than a cue and the time the stream plays on after it, the stream sleeps.
    const int asleep = 1500 + AudioOutput::lingerMilliseconds + 1000;
    bool allHeard = true;
    for (const Spacing &spacing :
        {Spacing{"awake", 500, 200, 1}, Spacing{"woken", asleep, 500, 5}}) {
        const int posted = std::max(1, cues / spacing.share);
        const QList<double> found = latencies(player, spacing, posted);
        const QString run =
            QStringLiteral("cues, %1 posts on %2, %3").arg(posted).arg(serverName, spacing.name);
        BenchTable::row(run, "heard / posted",
            QStringLiteral("%1 / %2").arg(found.size()).arg(posted),
            QStringLiteral("%1 / %1").arg(posted));
        allHeard = allHeard && found.size() == posted;
        if (found.isEmpty())
            continue;
        BenchTable::row(run, "post to first sample, median, ms",
            QString::number(found.at(found.size() / 2), 'f', 1), "<= 30");
        BenchTable::row(
            run, "post to first sample, worst, ms", QString::number(found.last(), 'f', 1), "<= 30");
    }
    return allHeard;
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
