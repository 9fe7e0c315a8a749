// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "SoundServer.h"

#include <QtTest>

#include <csignal>
#include <unistd.h>

// The cues on the viewer page, heard from a real browser: the clock plays to one null sink
// of a private PulseAudio, its page in Chromium to the other, both recorded at once.
class TestPageCue : public QObject
{
    Q_OBJECT

private slots:
    // The page sounds every cue of the last ten seconds with the hall, none that a nudge or a
    // pause replaced, and none once its sound was turned off and it was reloaded.
    void pageSoundsWithTheHall()
    {
        SoundServer server(SoundServer::PulseAudio);
        QVERIFY(server.start() &&
            SoundServer::pactl({"load-module", "module-null-sink", "sink_name=page"}) &&
            SoundServer::pactl({"set-default-sink", "page"}));
        MonitorRecording hall(SoundServer::sinkName), page(QStringLiteral("page"));
        QVERIFY(hall.start() && page.start());
        // The stage and all it starts are one process group, ended together in any case.
        _stage.setChildProcessModifier([] { ::setsid(); });
        _stage.start("bash", {STAGE_SCRIPT, MERVANE_BINARY});
        const double continued = pressed(60000); // at 0:12.4
        const double nudged = pressed(15000), left = 12.4 - (nudged - continued) + 10;
        const double paused = pressed(15000), resumed = pressed(10000);
        const double pausedAt = left - (paused - nudged);
        const double byHand = pressed(30000);
        QTest::qWait(1500);
        hall.stop();
        page.stop();
        // Empty when the hall plays each cue of a run within 0.4 s of its time, and the page within
        // 50 ms of the hall or, where a late tick moved the hall's, of the run's whole-second beat.
        const auto together = [&](const std::map<int, double> &due) {
            std::map<int, double> inHall;
            std::vector<double> beats;
            for (const auto &[cue, moment] : due)
                if ((inHall[cue] = heardAt(hall, cue, moment, 0.4)) > 0)
                    beats.push_back(inHall[cue] + cue);
            std::sort(beats.begin(), beats.end());
            QByteArray fault;
            for (const auto &[cue, at] : inHall) {
                const double fromPage = heardAt(page, cue, at, 0.15);
                const double beat = beats.empty() ? 0 : beats[beats.size() / 2] - cue;
                if (at == 0 || std::min(qAbs(fromPage - at), qAbs(fromPage - beat)) > 0.05)
                    fault += QString::asprintf("cue %d due %.3f: hall %.3f, page %.3f, beat %.3f. ",
                        cue, due.at(cue), at, fromPage, beat)
                                 .toUtf8();
            }
            return fault;
        };
        // The runs before the nudge, after it and after the pause, by the keys' times.
        std::map<int, double> runs[3];
        for (int cue = 10; cue >= 0; --cue) {
            const double old = continued + 12.4 - cue, unpaused = nudged + left - cue;
            QVERIFY2((cue >= 5 || heardAt(page, cue, old, 0.25) == 0) &&
                    (cue > pausedAt || unpaused > resumed ||
                        heardAt(page, cue, unpaused, 0.25) == 0),
                "cue " + QByteArray::number(cue));
            if (cue >= 5)
                runs[0][cue] = old;
            (cue > pausedAt ? runs[1][cue] : runs[2][cue]) =
                cue > pausedAt ? unpaused : resumed + pausedAt - cue;
        }
        for (const auto &run : runs) {
            const QByteArray fault = together(run);
            QVERIFY2(fault.isEmpty(), fault);
        }
        QVERIFY(heardAt(hall, 0, byHand, 0.4) > 0 && heardAt(page, 0, byHand, 0.4) == 0);
    }

    void cleanup()
    {
        _stage.closeWriteChannel();
        if (!_stage.waitForFinished(10000))
            ::kill(-pid_t(_stage.processId()), SIGKILL);
    }

private:
    // When the stage says the clock had a key, or infinity after `milliseconds`.
    double pressed(int milliseconds)
    {
        return QTest::qWaitFor(
                   [&] { return _stage.canReadLine() && _stage.readLine().trimmed() == "pressed"; },
                   milliseconds)
            ? MonotonicClock::seconds()
            : qInf();
    }

    // When cue `seconds` starts within `slack` s of `moment`, if it is more like that cue
    // than any other; else 0.
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
