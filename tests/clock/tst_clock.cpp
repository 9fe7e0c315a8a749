// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountdownTimer.h"
#include "GameRecorder.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PhaseOutlook.h"
#include "PreferenceStore.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QRandomGenerator>
#include <QtTest>

#include <malloc.h>
#include <optional>

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _now = 5000;
        _wall = 1'800'000'000'000;
        _store.emplace();
        _posts.clear();
        _listener.emplace();
        // Every notice the views, the sound player, the viewers and the state file hear.
        auto &center = NotificationCenter::defaultCenter();
        const QMap<QString, QString> names{
            {COUNTDOWN_DEFAULT_KEY, "time"}, {PHASE_DEFAULT_KEY, "phase"}, {SECONDS_KEY, "cue"}};
        for (const char *name :
            {RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, SOUND_PLAYER_NOTIFICATION_NAME})
            center.addObserver(&*_listener, name, [this, names](const auto &info) {
                _posts << names.value(info.firstKey(), info.firstKey()) + '=' +
                        info.first().toString();
            });
        center.addObserver(&*_listener, CLOCK_STATE_NOTIFICATION_NAME, [this](auto &info) {
            _posts << QStringLiteral("state=%1 %2 %3")
                          .arg(info[DISPLAY_TIME_KEY].toString())
                          .arg(info[SECONDS_KEY].toDouble(), 0, 'f', 1)
                          .arg(info[RUNNING_KEY].toBool() ? "run" : "paused");
        });
    }

    void centerDeliversInOrderAndForgetsDestroyedObservers()
    {
        NotificationCenter center;
        QStringList calls;
        QObject first;
        auto second = std::make_unique<QObject>();
        center.addObserver(&first, "a", [&](const auto &info) { calls << info["k"].toString(); });
        // An observer that goes away while a post is being delivered is not called.
        center.addObserver(second.get(), "a", [&](const auto &) { calls << "second"; });
        center.addObserver(&first, "c", [&](const auto &) { second.reset(); });
        center.addObserver(second.get(), "c", [&](const auto &) { calls << "late"; });
        center.post("a", {{"k", "first"}});
        center.post("c", {});
        center.post("a", {{"k", "again"}});
        QCOMPARE(calls, QStringList({"first", "second", "again"}));
        QCOMPARE(center.observerCount(), 2);

        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "key", QStringLiteral(""));
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, QString(), "value");
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "key", QString());
        QCOMPARE(_posts, QStringList{"key="});
    }

    void displayTime()
    {
        // Minutes and seconds are cut off, never rounded; nothing below zero shows as time.
        const QList<QPair<double, QString>> shown{{3540, "59:00"}, {899.95, "14:59"},
            {598.6, "9:58"}, {60, "1:00"}, {59.99, "0:60.0"}, {5.3, "0:05.3"}, {0.04, "0:00.0"},
            {-0.3, "0:00.0"}, {-90, "0:00.0"}, {7200, "120:00"}, {1e15, "2147483647:59"}};
        for (const auto &[seconds, text] : shown)
            QCOMPARE(CountdownTimer::displayTime(seconds), text);
    }

    void everyWholeSecondIsPostedOnce()
    {
        // Phase length; a stall (a suspend) after half a second, posting only the last second
        // passed or zero; shortest and longest tick (steady, jittered, late, coarse); first post.
        const QList<std::tuple<double, double, double, double, int>> rows{{60, 0, 0.1, 0.1, 3599},
            {60, 0, 0.07, 0.13, 3599}, {60, 0, 0.05, 0.45, 3599}, {60, 0, 0.6, 0.95, 3599},
            {60, 3.7, 0.1, 0.1, 3596}, {1 / 60.0, 0.45, 0.1, 0.1, 0}, {1 / 60.0, 1.2, 0.1, 0.1, 0},
            {1 / 60.0, 600, 0.1, 0.1, 0}};
        for (const auto &[minutes, stall, shortest, longest, highest] : rows) {
            _posts.clear();
            QRandomGenerator random(1901);
            CountdownTimer timer(minutes, _clock);
            timer.restart();
            tick(timer, 0.5);
            tick(timer, stall);
            while (timer.phase().isSpring())
                tick(timer, shortest + (longest - shortest) * random.generateDouble());
            QStringList expected;
            for (int s = highest; s >= 0; --s)
                expected << QString::number(s);
            QCOMPARE(posted("cue"), expected << "600");
        }
        // Set directly, a time posts the second it lands in.
        _posts.clear();
        CountdownTimer timer(_clock);
        timer.setSecondsLeft(300.05);
        timer.nudge(10), timer.nudge(0.2), timer.nudge(-1e300);
        QCOMPARE(posted("cue"), QStringList({"300", "310", "-2147483648"}));
    }

    void ticksFallClearOfTheTenthsAndTheCues()
    {
        // Continued at 0:12.4; a tick 40 ms late; one on time; one past zero; a time too large.
        CountdownTimer timer(12.4 / 60, _clock);
        timer.restart();
        QList<int> waits{timer.timer().interval()};
        for (const double elapsed : {0.095, 0.06, 12.28})
            tick(timer, elapsed), waits << timer.timer().interval();
        timer.restore(Phase(), 1e34), timer.restart();
        QCOMPARE(waits << timer.timer().interval(), QList<int>({55, 60, 100, 120, 100}));
    }

    void lengthsSetBeforeTheFirstContinueApplyAtOnce()
    {
        CountdownTimer timer(_clock);
        PreferenceStore::setPreferenceSpringMinutes(15);
        QCOMPARE(posted("state"), QStringList{"15:00 900.0 paused"});
        // Once the phase has been nudged, continued or resumed, it keeps its time.
        for (const auto &touch : QList<std::function<void(CountdownTimer &)>>{
                 [](CountdownTimer &t) { t.nudge(-60); }, [](CountdownTimer &t) { t.restart(); },
                 [](CountdownTimer &t) { t.restore(Phase(), 42); }}) {
            CountdownTimer touched(_clock);
            touch(touched);
            const double left = touched.secondsLeft();
            PreferenceStore::setPreferenceSpringMinutes(
                PreferenceStore::preferenceSpringMinutes() + 1);
            QCOMPARE(touched.secondsLeft(), left);
        }
        // A length read afresh, and negative, lasts one tick.
        PreferenceStore::setPreferenceFallMinutes(-3);
        timer.restart();
        timer.nextPhase();
        QCOMPARE(posted("cue").last(), "-180");
        tick(timer, 0.1);
        QCOMPARE(timer.phase().description(), "Spring 1902");
    }

    void everyCommandIsHeardAsItHappens()
    {
        PreferenceStore::setPreferenceUseOrderWriting(true);
        PreferenceStore::setPreferenceOrderWritingMinutes(4);
        PreferenceStore::setPreferenceLastYear(1901);
        Phase fallOrders;
        fallOrders.setSeason(Phase::FALL());
        fallOrders.setIsInOrderWriting(true);
        using Act = std::function<void(CountdownTimer &)>;
        const Act cont = &CountdownTimer::restart, pause = &CountdownTimer::pause,
                  next = &CountdownTimer::nextPhase, back = &CountdownTimer::previousPhase,
                  newGame = &CountdownTimer::newGame;
        const auto ticks = [this](double s) { return [this, s](auto &t) { tick(t, s); }; };
        const auto nudge = [](double s) { return [s](CountdownTimer &t) { t.nudge(s); }; };
        const auto wait = [this](double s) { return [this, s](CountdownTimer &) { _now += s; }; };
        // What the referee does; the clock afterwards; the cues, phases and states posted.
        const QList<std::tuple<QList<Act>, QString, QString>> rows{
            {{ticks(30)}, "PAUSED Spring 1901--> 10:00", ""},
            {{cont}, "Spring 1901--> 10:00", "state=10:00 600.0 run"},
            {{ticks(0.1)}, "Spring 1901--> 9:59", "state=9:59 599.9 run"},
            // A pause takes off the time since the last tick, a continue counts from itself.
            {{wait(0.5), pause, ticks(30)}, "PAUSED Spring 1901--> 9:59",
                "state=9:59 599.4 paused"},
            {{wait(30), cont, ticks(0.2)}, "Spring 1901--> 9:59", "state=9:59 599.4 run"},
            {{pause}, "PAUSED Spring 1901--> 9:59", "state=9:59 599.2 paused"},
            {{nudge(10)}, "PAUSED Spring 1901--> 10:09", "state=10:09 609.2 paused"},
            {{cont}, "Spring 1901--> 10:09", "state=10:09 609.2 run"},
            {{next}, "Spring (Orders) 1901--> 4:00",
                "state=0:00.0 0.0 run,cue=0,state=4:00 240.0 run,cue=240,"
                "phase=Spring (Orders) 1901"},
            // Paused at zero, the phase waits for the referee.
            {{nudge(-240), pause, ticks(10)}, "PAUSED Spring (Orders) 1901--> 0:00.0",
                "state=0:00.0 0.0 run,cue=0,state=0:00.0 0.0 paused"},
            {{cont, ticks(0.1)}, "Fall 1901--> 10:00",
                "state=0:00.0 0.0 run,state=10:00 600.0 run,cue=600,phase=Fall 1901"},
            {{next}, "Fall (Orders) 1901--> 4:00",
                "state=0:00.0 0.0 run,cue=0,state=4:00 240.0 run,cue=240,"
                "phase=Fall (Orders) 1901"},
            {{next}, "PAUSED Fall (Orders) 1901--> 0:00.0",
                "state=0:00.0 0.0 run,cue=0,phase=End of game 1901,state=0:00.0 0.0 paused"},
            {{cont, next, ticks(100)}, "PAUSED Fall (Orders) 1901--> 0:00.0", ""},
            {{back}, "PAUSED Fall 1901--> 10:00",
                "state=10:00 600.0 paused,cue=600,phase=Fall 1901"},
            {{cont}, "Fall 1901--> 10:00", "state=10:00 600.0 run"},
            {{back}, "PAUSED Spring (Orders) 1901--> 4:00",
                "state=4:00 240.0 paused,cue=240,phase=Spring (Orders) 1901"},
            {{back}, "PAUSED Spring 1901--> 10:00",
                "state=10:00 600.0 paused,cue=600,phase=Spring 1901"},
            {{back}, "PAUSED Spring 1901--> 10:00", "cue=600,phase=Spring 1901"},
            {{nudge(-30)}, "PAUSED Spring 1901--> 9:30", "state=9:30 570.0 paused,cue=570"},
            {{newGame}, "PAUSED Spring 1901--> 10:00",
                "state=10:00 600.0 paused,cue=600,phase=Spring 1901"},
            // A resumed game comes back paused, and ends as any other.
            {{[&](CountdownTimer &t) { t.restore(fallOrders, 12.5); }},
                "PAUSED Fall (Orders) 1901--> 0:12.5",
                "state=0:12.5 12.5 paused,phase=Fall (Orders) 1901"},
            {{cont, ticks(13)}, "Fall (Orders) 1901--> 0:00.0",
                "state=0:12.5 12.5 run,state=0:00.0 -0.5 run,cue=0"},
            {{ticks(0.1)}, "PAUSED Fall (Orders) 1901--> 0:00.0",
                "phase=End of game 1901,state=0:00.0 -0.5 paused"},
            {{newGame, cont}, "Spring 1901--> 10:00",
                "state=10:00 600.0 paused,cue=600,phase=Spring 1901,state=10:00 600.0 run"}};
        CountdownTimer timer(_clock);
        for (const auto &[acts, clock, notices] : rows) {
            _posts.clear();
            for (const Act &act : acts)
                act(timer);
            QCOMPARE(timer.description(), clock);
            QCOMPARE(
                QStringList(_posts.filter(QRegularExpression("^(?!time=)"))).join(','), notices);
        }
    }

    void aLongRunKeepsPhaseLengthsWithoutGrowing()
    {
        PreferenceStore::setPreferenceSpringMinutes(15);
        PreferenceStore::setPreferenceOrderWritingMinutes(5);
        PreferenceStore::setPreferenceUseOrderWriting(true);
        CountdownTimer timer(_clock);
        QList<double> lengths{_now};
        connect(&timer, &CountdownTimer::phaseChanged, this, [&] { lengths << _now; });
        timer.restart();
        size_t heapAfterFirstHour = 0; // zero under the sanitizer's allocator
        for (int tenths = 1; tenths <= 4 * 36000; ++tenths) {
            tick(timer, 0.1);
            _posts.clear();
            if (tenths == 36000)
                heapAfterFirstHour = mallinfo2().uordblks;
        }
        // Each phase of four hours of 35-minute years runs its full length, plus one tick.
        QVERIFY(lengths.size() > 4 * 6);
        for (int i = 1; i < lengths.size(); ++i) {
            const double over =
                lengths[i] - lengths[i - 1] - QList{900, 300, 600, 300}[(i - 1) % 4];
            QVERIFY2(over > 0 && over < 0.25, qPrintable(QString::number(i)));
        }
        QVERIFY(mallinfo2().uordblks <= heapAfterFirstHour + 64 * 1024);
    }

    void theStateFileFollowsEveryChangeAndComesBackAsSaved()
    {
        const QString path = GameStateFile::besidePreferences();
        // As on a machine where no preference was ever saved: not even the folder.
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        PreferenceStore::setPreferenceUseOrderWriting(true);
        PreferenceStore::setPreferenceOrderWritingMinutes(4);
        PreferenceStore::setPreferenceLastYear(1901);
        CountdownTimer timer(_clock);
        GameRecorder recorder(timer, path, _wallClock);
        using Act = std::function<void()>;
        const Act cont = [&] { timer.restart(); }, pause = [&] { timer.pause(); },
                  next = [&] { timer.nextPhase(); };
        const auto wait = [this](double s) { return [this, s] { _now += s, _wall += s * 1000; }; };
        // While the clock is down, only the wall clock moves.
        const auto down = [this](int s) { return [this, s] { _wall += s * 1000; }; };
        // What the referee does; the file after ("kept": unwritten); the time a new run puts back.
        const QList<std::tuple<QList<Act>, QString, QString>> rows{
            {{cont}, "Spring 1901 600 run", "10:00"},
            {{wait(2.5), pause}, "Spring 1901 597.5 paused", "9:57"},
            {{wait(1), pause, [&] { timer.nudge(0); }}, "Spring 1901 597.5 paused kept", "9:57"},
            {{[&] { timer.nudge(60); }}, "Spring 1901 657.5 paused", "10:57"},
            {{down(3600)}, "Spring 1901 657.5 paused kept", "10:57"},
            {{cont}, "Spring 1901 657.5 run", "10:57"},
            {{down(30)}, "Spring 1901 657.5 run kept", "10:27"},
            {{down(700)}, "Spring 1901 657.5 run kept", "0:00.0"}, // waits at zero
            {{pause, next}, "Spring 1901 orders 240 paused", "4:00"},
            {{next}, "Fall 1901 600 paused", "10:00"},
            {{next}, "Fall 1901 orders 240 paused", "4:00"},
            {{next}, "Fall 1901 orders 0 paused", "0:00.0"}, // the game's end
            {{cont}, "Fall 1901 orders 0 paused kept", "0:00.0"},
            {{[&] { timer.newGame(); }}, "Spring 1901 600 paused", "10:00"}};
        for (const auto &[acts, saved, resumed] : rows) {
            const QByteArray before = TemporaryStore::read(path);
            for (const Act &act : acts)
                act();
            const QJsonObject game = QJsonDocument::fromJson(TemporaryStore::read(path)).object();
            QCOMPARE(QStringLiteral("%1 %2%3 %4 %5%6")
                         .arg(game["season"].toString())
                         .arg(game["year"].toInt())
                         .arg(game["orders"].toBool() ? " orders" : "")
                         .arg(game["secondsLeft"].toDouble())
                         .arg(game["running"].toBool() ? "run" : "paused")
                         .arg(TemporaryStore::read(path) == before ? " kept" : ""),
                saved);
            // Put back from a copy: putting a game back saves it.
            QVERIFY(TemporaryStore::write(path + ".again", TemporaryStore::read(path)));
            CountdownTimer again(_clock);
            GameRecorder(again, path + ".again", _wallClock).resume();
            QCOMPARE(
                again.description(), "PAUSED " + timer.phase().description() + "--> " + resumed);
            QCOMPARE(again.gameStartedAt(), timer.gameStartedAt()); // and so its end of play
            QVERIFY(again.secondsLeft() >= 0); // a phase that ran out while down waits at zero
        }
    }

    void aDamagedStateFileIsSetAsideAndTheGameStartsAfresh()
    {
        const QString path = GameStateFile::besidePreferences();
        // Saved 50 s after now: within the clocks' disagreement, so down for no time at all.
        const QByteArray whole = R"({"season":"Fall","year":1903,"orders":false,)"
                                 R"("secondsLeft":12.5,"running":true,"savedAt":1800000050000})";
        const QList<QByteArray> files{"\x00\x01garbage", whole.left(whole.size() / 2),
            QByteArray(whole).replace("Fall", "Winter"), QByteArray(whole).replace("1903", "19.5"),
            QByteArray(whole).replace("1903", "1900"), whole + QByteArray(64 * 1024, ' '),
            QByteArray(whole).replace("1800000050000", "1800000600000"), // saved in the future
            whole};
        for (const QByteArray &bytes : files) {
            const bool damaged = bytes != whole;
            QDir folder = QFileInfo(path).dir();
            QVERIFY(folder.removeRecursively() && folder.mkpath(".") &&
                TemporaryStore::write(path, bytes));
            CountdownTimer timer(_clock);
            QCOMPARE(GameRecorder(timer, path, _wallClock).resume(), damaged ? -1 : 0);
            QCOMPARE(timer.description(),
                damaged ? "PAUSED Spring 1901--> 10:00" : "PAUSED Fall 1903--> 0:12.5");
            QCOMPARE(folder.entryList({"*.damaged-*"}).size(), damaged ? 1 : 0);
        }
    }

    // Each step, then the share gone, the stage and the next line (warning at 2 minutes).
    void theOutlookFollowsTheGame()
    {
        _wall = at("17:00");
        CountdownTimer timer(10, _clock);
        timer.setWallClock(_wallClock);
        PhaseOutlook outlook(timer);
        QVariantMap last;
        NotificationCenter::defaultCenter().addObserver(
            &outlook, OUTLOOK_NOTIFICATION_NAME, [&](const QVariantMap &posted) { last = posted; });
        outlook.repost();
        const auto set = [](const char *key, int value) {
            PreferenceStore::setIntPreference(key, value);
        };
        const QString fall = "Fall 1901 · 10 min", orders = "Spring (Orders) 1901 · 5 min",
                      last1901 = " · Last game-year: 1901";
        const std::vector<std::tuple<const char *, std::function<void()>, double, bool, QString>>
            steps = {{"start", [] {}, 0, false, fall},
                {"run 5 min", [&] { timer.restart(), run(timer, 300); }, 0.5, false, fall},
                {"nudge", [&] { timer.nudge(60); }, 0.4, false, fall},
                {"paused", [&] { timer.pause(), _now += 100, timer.doUpdate(); }, 0.4, false, fall},
                {"a tick before", [&] { timer.setSecondsLeft(120.1); }, 0.79983, false, fall},
                {"at", [&] { timer.setSecondsLeft(120); }, 0.8, true, fall},
                {"after", [&] { timer.restart(), run(timer, 0.1); }, 0.80017, true, fall},
                {"no stage", [&] { set(CVLDisplayWarningMinutesKey, 0); }, 0.80017, false, fall},
                {"longer than the phase", [&] { set(CVLDisplayWarningMinutesKey, 11); }, 0.80017,
                    true, fall},
                {"turned off", [&] { set(CVLDisplayWarningKey, 0); }, 0.80017, false, fall},
                // A phase begun by itself keeps its time when a preference changes.
                {"begun by itself",
                    [&] { run(timer, 125.1), PreferenceStore::setPreferenceMarquisText("Lunch"); },
                    0.0085, false, "Spring 1902 · 10 min"},
                {"order writing", [&] { set(CVLDefaultsUseOrderWritingKey, 1), timer.newGame(); },
                    0, false, "Spring (Orders) 1901 · 1 min"},
                {"its length", [&] { set(CVLDefaultsOrderWritingMinutesKey, 5); }, 0, false,
                    orders},
                {"last year",
                    [&] {
                        set(CVLDefaultsLastYearKey, 1901), set(CVLDisplayWarningKey, 1);
                        set(CVLDisplayWarningMinutesKey, 5), timer.nextPhase(), timer.nextPhase();
                        timer.nextPhase();
                    },
                    0, true, "Last phase of the game"},
                {"ended", [&] { timer.nextPhase(); }, 1, false, ""},
                {"end by clock",
                    [&] {
                        set(CVLDefaultsLastYearKey, 0), timer.newGame(),
                            set(CVLDefaultsEndByClockKey, 1);
                    },
                    0, false, orders},
                {"its time", [&] { _wall = at("18:30"), outlook.repost(); }, 0, false,
                    orders + last1901},
                {"the year's end", [&] { timer.nextPhase(), timer.nextPhase(), timer.nextPhase(); },
                    0, true, "Last phase of the game"},
                {"no new year", [&] { timer.nextPhase(); }, 1, false, ""},
                // Begun at night, the game runs past midnight until the time comes next day.
                {"after midnight",
                    [&] {
                        PreferenceStore::setTextPreference(CVLDefaultsEndTimeKey, "00:30"),
                            _wall = at("23:00", 1), timer.newGame(), _wall = at("00:29", 2),
                            outlook.repost();
                    },
                    0, false, orders},
                {"its time next day", [&] { _wall = at("00:30", 2), outlook.repost(); }, 0, false,
                    orders + last1901}};
        const auto said = [](const QString &what, double gone, bool warning, const QString &line) {
            return QStringLiteral("%1: %2 %3 %4")
                .arg(what)
                .arg(gone, 0, 'f', 4)
                .arg(warning)
                .arg(line);
        };
        for (const auto &[what, act, gone, warning, line] : steps) {
            act();
            QCOMPARE(said(what, last[PROGRESS_KEY].toDouble(), last[WARNING_KEY].toBool(),
                         last[NEXT_PHASE_KEY].toString()),
                said(what, gone, warning, line));
        }
    }

private:
    // A moment of the test's days, in local time: 15 January 2027 at `time`, `days` later.
    static qint64 at(const char *time, int days = 0)
    {
        return QDateTime(QDate(2027, 1, 15).addDays(days), QTime::fromString(time, "HH:mm"))
            .toMSecsSinceEpoch();
    }
    void run(CountdownTimer &timer, double seconds)
    {
        for (; seconds > 1e-9; seconds -= 0.1)
            tick(timer, std::min(0.1, seconds));
    }
    void tick(CountdownTimer &timer, double elapsed)
    {
        _now += elapsed;
        timer.doUpdate();
    }
    QStringList posted(const QString &name) const
    {
        return _posts.filter(QRegularExpression('^' + name + '=')).replaceInStrings(name + '=', "");
    }

    double _now = 0;
    qint64 _wall = 0; // the wall clock, for the state file
    const CountdownTimer::Clock _clock = [this] { return _now; };
    const GameRecorder::WallClock _wallClock = [this] { return _wall; };
    std::optional<TemporaryStore> _store;
    std::optional<QObject> _listener;
    QStringList _posts;
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
