#include "CountdownTimer.h"
#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceStore.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QRandomGenerator>
#include <QtTest>

#include <malloc.h>

// Under the sanitizer's allocator this reads zero, and the growth check holds trivially.
static size_t heapInUse()
{
    return mallinfo2().uordblks;
}

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _now = 5000;
        _store = std::make_unique<TemporaryStore>();
        _posts.clear();
        _listener = std::make_unique<QObject>();
        for (const char *name :
            {RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, SOUND_PLAYER_NOTIFICATION_NAME}) {
            NotificationCenter::defaultCenter().addObserver(
                _listener.get(), name, [this](const auto &info) {
                    _posts << info.firstKey() + '=' + info.first().toString();
                });
        }
    }

    void cleanup()
    {
        _listener.reset();
        _store.reset();
    }

    void centerDeliversInOrderAndForgetsDestroyedObservers()
    {
        NotificationCenter center;
        QStringList calls;
        QObject first;
        auto second = std::make_unique<QObject>();
        center.addObserver(&first, "a", [&](const auto &info) { calls << info["k"].toString(); });
        center.addObserver(&first, "b", [&](const auto &) { calls << "other name"; });
        // An observer that goes away while a post is being delivered is not called.
        center.addObserver(second.get(), "a", [&](const auto &) { calls << "second"; });
        center.addObserver(&first, "c", [&](const auto &) { second.reset(); });
        center.addObserver(second.get(), "c", [&](const auto &) { calls << "late"; });
        center.post("a", {{"k", "first"}});
        center.post("c", {});
        center.post("a", {{"k", "again"}});
        QCOMPARE(calls, QStringList({"first", "second", "again"}));
        QCOMPARE(center.observerCount(), 3);

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
            {-0.3, "0:00.0"}, {-59.5, "0:00.0"}, {-119.7, "0:00.0"}, {-90, "0:00.0"},
            {7200, "120:00"}, {1e15, "2147483647:59"}};
        for (const auto &[seconds, text] : shown)
            QCOMPARE(CountdownTimer::displayTime(seconds), text);
    }

    void pausedTimeIsNeverCounted()
    {
        CountdownTimer timer(fakeClock());
        QCOMPARE(timer.description(), "PAUSED Spring 1901--> 10:00");
        tick(timer, 30);
        QVERIFY(_posts.isEmpty());
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(_posts, QStringList{QStringLiteral("%1=9:59").arg(COUNTDOWN_DEFAULT_KEY)});
        timer.pause();
        tick(timer, 500);
        // Continuing between two ticks counts from the moment of continuing.
        _now += 0.07;
        timer.restart();
        tick(timer, 0.03);
        QVERIFY(qAbs(timer.secondsLeft() - 599.87) < 1e-9);
    }

    void pausesCostAndGiveNothing()
    {
        CountdownTimer timer(fakeClock());
        QRandomGenerator random(1902);
        double played = 0;
        for (int pause = 0; pause < 1000; ++pause) {
            timer.restart();
            tick(timer, 0.1);
            const double beforePause = random.bounded(0.1);
            _now += beforePause;
            played += 0.1 + beforePause;
            timer.pause();
            tick(timer, random.bounded(0.1));
            _now += random.bounded(0.1);
        }
        QVERIFY(qAbs(600 - played - timer.secondsLeft()) < 1e-6);
    }

    void pausedAtZeroStaysInItsPhase()
    {
        CountdownTimer timer(fakeClock());
        timer.restart();
        tick(timer, 0.1);
        timer.nudge(-600);
        timer.pause();
        for (int i = 0; i < 10; ++i)
            tick(timer, 0.1);
        QCOMPARE(timer.phase().description(), "Spring 1901");
        QCOMPARE(timer.displayTime(), "0:00.0");
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(timer.phase().description(), "Fall 1901");
    }

    void phaseChangeAnnouncesInOrder()
    {
        PreferenceStore::setPreferenceFallMinutes(-3);
        CountdownTimer timer(0.0, fakeClock());
        QStringList order;
        connect(&timer, &CountdownTimer::secondsLeftChanged, this, [&] { order << "seconds"; });
        connect(&timer, &CountdownTimer::displayTimeChanged, this, [&] { order << "display"; });
        connect(&timer, &CountdownTimer::phaseChanged, this, [&] { order << "phase"; });
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(order, QStringList({"seconds", "display", "phase"}));
        QCOMPARE(_posts,
            QStringList({QStringLiteral("%1=0:00.0").arg(COUNTDOWN_DEFAULT_KEY), "seconds=-180",
                QStringLiteral("%1=Fall 1901").arg(PHASE_DEFAULT_KEY)}));
        // A length read afresh, and negative, lasts one tick.
        QCOMPARE(timer.secondsLeft(), -180.0);
        tick(timer, 0.1);
        QCOMPARE(timer.phase().description(), "Spring 1902");
    }

    void everyWholeSecondIsPostedOnce()
    {
        QStringList expected;
        for (int s = 3599; s >= 0; --s)
            expected << QString::number(s);
        // Steady, jittered, often late and coarse ticks.
        for (const auto &[shortest, longest] :
            QList<QPair<double, double>>{{0.1, 0.1}, {0.07, 0.13}, {0.05, 0.45}, {0.6, 0.95}}) {
            _posts.clear();
            QRandomGenerator random(1901);
            CountdownTimer timer(60.0, fakeClock());
            timer.restart();
            while (timer.phase().isSpring())
                tick(timer, shortest + (longest - shortest) * random.generateDouble());
            QCOMPARE(seconds(), QStringList(expected) << "600");
        }
    }

    void stallsAndDirectChangesPostEachSecondOnce()
    {
        for (double stall : {0.45, 1.2, 3.7, 600.0}) {
            _posts.clear();
            CountdownTimer timer(1.0 / 60, fakeClock());
            timer.restart();
            tick(timer, 0.5);
            tick(timer, stall);
            while (timer.phase().isSpring())
                tick(timer, 0.1);
            QCOMPARE(seconds(), QStringList({"0", "600"}));
        }
        // Set directly, a time posts the second it lands in; a stall only the last it passed.
        _posts.clear();
        CountdownTimer timer(10.5 / 60.0, fakeClock());
        timer.restart();
        tick(timer, 0.45);
        tick(timer, 0.1);
        tick(timer, 4.2);
        timer.setSecondsLeft(300.05);
        timer.nudge(10);
        timer.nudge(0.2);
        timer.nudge(-1e300);
        QCOMPARE(seconds(), QStringList({"10", "6", "300", "310", "-2147483648"}));
    }

    void lengthsSetBeforeTheFirstContinueApplyAtOnce()
    {
        CountdownTimer timer(fakeClock());
        PreferenceStore::setPreferenceFallMinutes(20);
        QCOMPARE(timer.secondsLeft(), 600.0);
        PreferenceStore::setPreferenceSpringMinutes(15);
        QCOMPARE(timer.displayTime(), "15:00");
        QCOMPARE(_posts.last(), "seconds=900");
        // Once the phase has been nudged or continued, it keeps its time.
        for (const auto &touch : QList<std::function<void(CountdownTimer &)>>{
                 [](CountdownTimer &t) { t.nudge(-60); }, [](CountdownTimer &t) { t.restart(); }}) {
            CountdownTimer touched(fakeClock());
            touch(touched);
            const double left = touched.secondsLeft();
            PreferenceStore::setPreferenceSpringMinutes(12);
            QCOMPARE(touched.secondsLeft(), left);
        }
    }

    void calendarCommandsMoveThroughThePhases()
    {
        PreferenceStore::setPreferenceUseOrderWriting(true);
        PreferenceStore::setPreferenceOrderWritingMinutes(4);
        CountdownTimer timer(fakeClock());
        timer.restart();
        tick(timer, 0.1);
        // Next phase ends this one as if its time ran out: the end cue, then the next phase.
        _posts.clear();
        timer.nextPhase();
        QCOMPARE(seconds(), QStringList({"0", "240"}));
        QCOMPARE(timer.description(), "Spring (Orders) 1901--> 4:00");
        timer.nextPhase();
        timer.nextPhase();
        QCOMPARE(timer.description(), "Fall (Orders) 1901--> 4:00");
        timer.nextPhase();
        QCOMPARE(timer.description(), "Spring 1902--> 10:00");
        // Previous phase goes back to the start of the one before, paused.
        const QStringList back{"PAUSED Fall (Orders) 1901--> 4:00", "PAUSED Fall 1901--> 10:00",
            "PAUSED Spring (Orders) 1901--> 4:00", "PAUSED Spring 1901--> 10:00",
            "PAUSED Spring 1901--> 10:00"};
        for (const QString &expected : back) {
            timer.previousPhase();
            QCOMPARE(timer.description(), expected);
        }
        timer.nextPhase();
        timer.nudge(-30);
        timer.newGame();
        QCOMPARE(timer.description(), "PAUSED Spring 1901--> 10:00");
    }

    void theGameEndsWithTheLastGameYear()
    {
        PreferenceStore::setPreferenceLastYear(1902);
        PreferenceStore::setPreferenceFallMinutes(1);
        CountdownTimer timer(1.0 / 60, fakeClock());
        timer.restart();
        QStringList phases;
        for (int tenths = 0; tenths < 20000 && !timer.hasEnded(); ++tenths) {
            tick(timer, 0.1);
            if (_posts.last().startsWith(PHASE_DEFAULT_KEY))
                phases << _posts.last().section('=', 1);
        }
        QCOMPARE(
            phases, QStringList({"Fall 1901", "Spring 1902", "Fall 1902", "End of game 1902"}));
        QCOMPARE(seconds().filter(QRegularExpression("^0$")).size(), 4);
        // Nothing moves until a new game: not ticks, not Continue, not Next phase.
        _posts.clear();
        timer.restart();
        timer.nextPhase();
        tick(timer, 100);
        QVERIFY(_posts.isEmpty() && timer.isPaused());
        timer.newGame();
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(timer.description(), "Spring 1901--> 9:59");
        // Next phase from the last phase of the last year ends the game too.
        for (int phase = 0; phase < 3; ++phase)
            timer.nextPhase();
        QVERIFY(!timer.hasEnded());
        timer.nextPhase();
        QVERIFY(timer.hasEnded());
    }

    void aLongRunKeepsPhaseLengthsWithoutGrowing()
    {
        PreferenceStore::setPreferenceSpringMinutes(15);
        PreferenceStore::setPreferenceFallMinutes(10);
        PreferenceStore::setPreferenceOrderWritingMinutes(5);
        PreferenceStore::setPreferenceUseOrderWriting(true);
        const QList<QPair<QString, double>> year{{"Spring (Orders) %1", 900}, {"Fall %1", 300},
            {"Fall (Orders) %1", 600}, {"Spring %1", 300}};
        CountdownTimer timer(fakeClock());
        int phases = 0;
        double phaseStart = _now;
        connect(&timer, &CountdownTimer::phaseChanged, this, [&] {
            // Each phase ran its full length, plus the tick that noticed its end.
            const auto &[name, length] = year.at(phases % 4);
            QCOMPARE(timer.phase().description(), QString(name).arg(1901 + (phases + 1) / 4));
            QVERIFY(_now - phaseStart > length && _now - phaseStart < length + 0.25);
            phaseStart = _now;
            ++phases;
        });
        timer.restart();
        size_t heapAfterFirstHour = 0;
        for (int tenths = 1; tenths <= 4 * 36000; ++tenths) {
            _now = 5000 + tenths / 10.0;
            timer.doUpdate();
            if (tenths % 36000 == 0)
                _posts = {};
            if (tenths == 36000)
                heapAfterFirstHour = heapInUse();
        }
        // Four hours: game-years of 35 minutes, and a tick or two more per phase.
        QVERIFY2(phases >= 4 * 6, qPrintable(QString::number(phases)));
        QVERIFY2(heapInUse() <= heapAfterFirstHour + 64 * 1024,
            qPrintable(QStringLiteral("%1 -> %2 bytes").arg(heapAfterFirstHour).arg(heapInUse())));
    }

private:
    CountdownTimer::Clock fakeClock()
    {
        return [this] { return _now; };
    }
    void tick(CountdownTimer &timer, double elapsed)
    {
        _now += elapsed;
        timer.doUpdate();
    }
    QStringList seconds() const
    {
        return _posts.filter(QRegularExpression("^seconds=")).replaceInStrings("seconds=", "");
    }

    double _now = 0;
    std::unique_ptr<TemporaryStore> _store;
    std::unique_ptr<QObject> _listener;
    QStringList _posts;
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
