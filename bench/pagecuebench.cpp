// SPDX-License-Identifier: GPL-3.0-or-later
// The cues of the viewer page against the clock's own: the real clock plays to one null sink
// of a private PulseAudio, its page in Chromium (in a kiosk window on a virtual X server) to
// another, both recorded at once. Over the last ten seconds of several countdowns (each
// nudged by +10 s and paused on the way, by the same stage as the test's), each cue is found in
// both recordings by its sound, and the page's is timed from the hall's. Usage: pagecuebench
// PATH_TO_MervaneTimer PATH_TO_pagecue_stage.sh [COUNTDOWNS]  (default 3)

#include "BenchTable.h"
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "SoundServer.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// The stage script and all it starts (X server, clock, browser) are one process group,
// ended together however a countdown ends.
class Stage : public QProcess
{
public:
    Stage(const QString &script, const QString &binary)
    {
        setChildProcessModifier([] { ::setsid(); });
        start("bash", {script, binary});
    }
    ~Stage() override
    {
        closeWriteChannel();
        if (!waitForFinished(10000))
            ::kill(-pid_t(processId()), SIGKILL);
        waitForFinished(1000);
    }
};

bool said(QProcess &stage, const QByteArray &line, int milliseconds)
{
    return QTest::qWaitFor(
        [&] { return stage.canReadLine() && stage.readLine().trimmed() == line; }, milliseconds);
}

// The page's offset from the hall, in ms, for every cue of one countdown heard in both.
QList<double> countdown(const QString &binary, const QString &stageScript, int *missed)
{
    MonitorRecording hall(SoundServer::sinkName), page(QStringLiteral("page"));
    Stage stage(stageScript, binary);
    // The stage continues the clock at 0:12.4, nudges it by +10 s, and pauses it at 0:05.8
    // for about 3 s: the countdown ends 22.4 s after it continued, plus the pause.
    if (!hall.start() || !page.start() || !said(stage, "pressed", 60000))
        return {};
    const double continued = MonotonicClock::seconds();
    if (!said(stage, "pressed", 15000) || !said(stage, "pressed", 15000))
        return {};
    const double paused = MonotonicClock::seconds();
    if (!said(stage, "pressed", 10000))
        return {};
    const double pause = MonotonicClock::seconds() - paused, end = continued + 22.4 + pause;
    QTest::qWait(int((end + 1.5 - MonotonicClock::seconds()) * 1000));
    hall.stop();
    page.stop();

    const CueFinder finder;
    QList<double> offsets;
    const int rate = MonitorRecording::sampleRate;
    for (int seconds = 10; seconds >= 0; --seconds) {
        const qsizetype due = hall.indexAt(end - seconds - (seconds > 5 ? pause : 0));
        const auto inHall = finder.find(seconds, hall.samples(), due - rate / 2, due + rate / 2);
        const double heard = hall.timeOf(inHall.start);
        const auto onPage = finder.find(
            seconds, page.samples(), page.indexAt(heard - 0.2), page.indexAt(heard + 0.2));
        if (inHall.similarity < 0.5 || onPage.similarity < 0.5)
            ++*missed;
        else
            offsets << (page.timeOf(onPage.start) - heard) * 1000;
    }
    return offsets;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: pagecuebench MervaneTimer pagecue_stage.sh [COUNTDOWNS]\n");
        return 2;
    }
    const int countdowns = argc > 3 ? std::max(1, QByteArray(argv[3]).toInt()) : 3;
    SoundServer server(SoundServer::PulseAudio);
    if (!server.start() ||
        !SoundServer::pactl({"load-module", "module-null-sink", "sink_name=page"}) ||
        !SoundServer::pactl({"set-default-sink", "page"})) {
        std::fprintf(stderr, "pagecuebench: could not start PulseAudio with two sinks\n");
        return 1;
    }
    QList<double> offsets;
    int missed = 0;
    for (int i = 0; i < countdowns; ++i)
        offsets +=
            countdown(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), &missed);
    const QString run = QStringLiteral("page cues, %1 countdowns, last 10 s").arg(countdowns);
    BenchTable::row(run, "heard on the page / in the hall",
        QStringLiteral("%1 / %2").arg(offsets.size()).arg(offsets.size() + missed),
        QStringLiteral("%1 / %1").arg(11 * countdowns));
    if (offsets.isEmpty())
        return 1;
    std::sort(offsets.begin(), offsets.end(), [](double a, double b) { return qAbs(a) < qAbs(b); });
    BenchTable::row(run, "page against hall, median offset, ms",
        QString::number(qAbs(offsets.at(offsets.size() / 2)), 'f', 1), "<= 20");
    BenchTable::row(run, "page against hall, worst offset, ms",
        QString::number(offsets.last(), 'f', 1), "<= 50");
    QStringList all;
    for (double offset : offsets)
        all << QString::number(offset, 'f', 1);
    std::fprintf(stderr, "pagecuebench: offsets, ms: %s\n", qPrintable(all.join(' ')));
    return 0;
}
