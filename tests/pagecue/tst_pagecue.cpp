#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "SoundServer.h"

#include <QtTest>

#include <csignal>
#include <unistd.h>

// The cues on the viewer page, heard from a real browser: the clock plays to one null sink
// of a private PulseAudio, its page in Chromium to the other, and both are recorded at once.
class TestPageCue : public QObject
{
    Q_OBJECT

private slots:
    // Every cue of the last ten seconds from the page with the hall's, and after a nudge of
    // +10 s at 0:05 none of the schedule it replaced.
    void pageSoundsWithTheHall()
    {
        SoundServer server(SoundServer::PulseAudio);
        QVERIFY(server.start());
        QVERIFY(SoundServer::pactl({"load-module", "module-null-sink", "sink_name=page"}));
        QVERIFY(SoundServer::pactl({"set-default-sink", "page"}));
        MonitorRecording hall(SoundServer::sinkName), page(QStringLiteral("page"));
        QVERIFY(hall.start() && page.start());
        // The stage and all it starts are one process group, ended together whatever happens.
        _stage.setChildProcessModifier([] { ::setsid(); });
        _stage.start("bash", {STAGE_SCRIPT, MERVANE_BINARY});
        QVERIFY(
            QTest::qWaitFor([this] { return _stage.readAllStandardOutput() == "ready\n"; }, 60000));
        const double continued = press("c"); // at 0:12.4
        QTest::qWait(7600);
        const double nudged = press("Right"); // at about 0:04.8
        const double left = 12.4 - (nudged - continued) + 10;
        QTest::qWait(int(left * 1000) + 2000);
        hall.stop();
        page.stop();
        QList<QPair<int, double>> due; // each cue the hall plays, about when
        for (int seconds = 10; seconds >= 5; --seconds)
            due.append({seconds, continued + 12.4 - seconds});
        for (int seconds = 10; seconds >= 0; --seconds)
            due.append({seconds, nudged + left - seconds});
        for (const auto &[seconds, moment] : due) {
            const double inHall = heardAt(hall, seconds, moment, 0.4);
            const double onPage = heardAt(page, seconds, inHall, 0.1);
            QVERIFY2(inHall > 0 && onPage > 0 && qAbs(onPage - inHall) <= 0.05,
                qPrintable(QStringLiteral("cue %1: hall %2, page %3")
                               .arg(seconds)
                               .arg(inHall)
                               .arg(onPage)));
        }
        const double fifth = heardAt(hall, 5, continued + 7.4, 0.4);
        for (int seconds = 4; seconds >= 0; --seconds)
            QVERIFY2(heardAt(page, seconds, fifth + 5 - seconds, 0.25) == 0,
                "a cue of the old schedule");
    }

    void cleanup()
    {
        _stage.closeWriteChannel();
        if (!_stage.waitForFinished(10000))
            ::kill(-pid_t(_stage.processId()), SIGKILL);
    }

private:
    // When the key went to the clock.
    double press(const char *key)
    {
        _stage.write(QByteArray(key) + '\n');
        return said("pressed", 5000) ? MonotonicClock::seconds() : qInf();
    }

    bool said(const QByteArray &line, int milliseconds)
    {
        return QTest::qWaitFor(
            [&] { return _stage.canReadLine() && _stage.readLine().trimmed() == line; },
            milliseconds);
    }

    // When cue `seconds` starts in the recording within `slack` s of `moment`, and is more
    // like that cue than any other; else 0.
    double heardAt(const MonitorRecording &recording, int seconds, double moment, double slack)
    {
        const auto match = _finder.find(seconds, recording.samples(),
            recording.indexAt(moment - slack), recording.indexAt(moment + slack));
        return match.similarity > 0.5 && _finder.bestAt(recording.samples(), match.start) == seconds
            ? recording.timeOf(match.start)
            : 0;
    }

    QProcess _stage;
    CueFinder _finder;
};

QTEST_GUILESS_MAIN(TestPageCue)
#include "tst_pagecue.moc"
