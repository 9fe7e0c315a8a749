#include "CountdownTimer.h"
#include "MonotonicClock.h"
#include "NotificationLog.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QRandomGenerator>
#include <QtTest>

#include <time.h>

namespace {

// Time that moves only when a test says so.
struct FakeClock
{
    double now = 5000.0;
    CountdownTimer::Clock function()
    {
        return [this] { return now; };
    }
};

void tick(CountdownTimer &timer, FakeClock &clock, double elapsed)
{
    clock.now += elapsed;
    timer.doUpdate();
}

QStringList countDown(int from, int to)
{
    QStringList seconds;
    for (int s = from; s >= to; --s)
        seconds << QString::number(s);
    return seconds;
}

} // namespace

class TestCountdownTimer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newCountdownIsPausedAtTheSpringLengthAndSilent();
    void displayTime_data();
    void displayTime();
    void firstRunningTickRoundsDown();
    void phasesFollowTheCalendar_data();
    void phasesFollowTheCalendar();
    void phaseChangeAnnouncesInOrder();
    void pausedTimeIsNeverCounted();
    void nudgeWhilePausedActsAtOnce();
    void emptyOrNegativeLengthLastsOneTick_data();
    void emptyOrNegativeLengthLastsOneTick();
    void lengthsAreReadAfreshAtEachPhase();
    void everyWholeSecondIsPostedOnce_data();
    void everyWholeSecondIsPostedOnce();
    void stalledTickPostsOnlyTheLowestSecondPassed();
    void directChangesPostInTheWholeSecondWindow();
    void hugeTimesSaturate();
    void elapsedTimeIgnoresTheSystemClock();

private:
    std::unique_ptr<TemporaryStore> _store;
    std::unique_ptr<NotificationLog> _log;
    FakeClock _clock;
};

void TestCountdownTimer::init()
{
    _store = std::make_unique<TemporaryStore>();
    _log = std::make_unique<NotificationLog>();
    _clock = FakeClock();
}

void TestCountdownTimer::cleanup()
{
    _log.reset();
    _store.reset();
}

void TestCountdownTimer::newCountdownIsPausedAtTheSpringLengthAndSilent()
{
    CountdownTimer timer(_clock.function());
    QVERIFY(timer.isPaused());
    QCOMPARE(timer.secondsLeft(), 600.0);
    QCOMPARE(timer.description(), "PAUSED Spring 1901--> 10:00");
    QCOMPARE(timer.timer().interval(), 100);
    QCOMPARE(timer.timer().timerType(), Qt::PreciseTimer);
    tick(timer, _clock, 30);
    QCOMPARE(timer.secondsLeft(), 600.0);
    QVERIFY(_log->lines().isEmpty());
}

void TestCountdownTimer::displayTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("59 minutes") << 3540.0 << "59:00";
    QTest::newRow("just under 15 minutes") << 899.95 << "14:59";
    QTest::newRow("one minute") << 60.0 << "1:00";
    QTest::newRow("rounded up to 60.0") << 59.99 << "0:60.0";
    QTest::newRow("last minute") << 59.9 << "0:59.9";
    QTest::newRow("padded") << 5.3 << "0:05.3";
    QTest::newRow("tenths rounded") << 0.04 << "0:00.0";
    QTest::newRow("negative") << -30.0 << "0:00.0";
    QTest::newRow("more than a minute below zero") << -90.0 << "0:00.0";
    QTest::newRow("two hours") << 7200.0 << "120:00";
    QTest::newRow("beyond 32-bit minutes") << 1e15 << "2147483647:59";
    QTest::newRow("far below zero") << -1e15 << "0:00.0";
}

void TestCountdownTimer::displayTime()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(CountdownTimer::displayTime(seconds), text);
}

void TestCountdownTimer::firstRunningTickRoundsDown()
{
    CountdownTimer timer(_clock.function());
    timer.restart();
    tick(timer, _clock, 0.1);
    QCOMPARE(timer.secondsLeft(), 599.9);
    QCOMPARE(_log->lines(), QStringList{QStringLiteral("%1=9:59").arg(COUNTDOWN_DEFAULT_KEY)});
}

void TestCountdownTimer::phasesFollowTheCalendar_data()
{
    QTest::addColumn<bool>("useOrderWriting");
    QTest::addColumn<QStringList>("phases");
    QTest::newRow("order writing")
        << true
        << QStringList{"Spring (Orders) 1901 300", "Fall 1901 600", "Fall (Orders) 1901 300",
               "Spring 1902 900", "Spring (Orders) 1902 300", "Fall 1902 600"};
    QTest::newRow("drop-dead") << false
                               << QStringList{"Fall 1901 600", "Spring 1902 900", "Fall 1902 600",
                                      "Spring 1903 900"};
}

void TestCountdownTimer::phasesFollowTheCalendar()
{
    QFETCH(bool, useOrderWriting);
    QFETCH(QStringList, phases);
    PreferenceController::setPreferenceSpringMinutes(15);
    PreferenceController::setPreferenceFallMinutes(10);
    PreferenceController::setPreferenceOrderWritingMinutes(5);
    PreferenceController::setPreferenceUseOrderWriting(useOrderWriting);
    CountdownTimer timer(_clock.function());
    QStringList seen;
    double phaseStart = _clock.now;
    QStringList lengths;
    connect(&timer, &CountdownTimer::phaseChanged, this, [&] {
        seen << QStringLiteral("%1 %2").arg(timer.phase().description()).arg(timer.secondsLeft());
        lengths << QString::number(_clock.now - phaseStart);
        phaseStart = _clock.now;
    });
    timer.restart();
    while (seen.size() < phases.size())
        tick(timer, _clock, 0.5);
    QCOMPARE(seen, phases);
    // Each phase ran its full length, plus the half-second tick that noticed the end.
    QCOMPARE(lengths.first(), "900.5");
    QCOMPARE(_log->valuesFor(PHASE_DEFAULT_KEY),
        QStringList(seen).replaceInStrings(QRegularExpression(" \\d+$"), QString()));
}

void TestCountdownTimer::phaseChangeAnnouncesInOrder()
{
    CountdownTimer timer(0.0, _clock.function());
    QStringList signalOrder;
    connect(&timer, &CountdownTimer::secondsLeftChanged, this, [&] { signalOrder << "seconds"; });
    connect(&timer, &CountdownTimer::displayTimeChanged, this, [&] { signalOrder << "display"; });
    connect(&timer, &CountdownTimer::phaseChanged, this, [&] { signalOrder << "phase"; });
    timer.restart();
    tick(timer, _clock, 0.1);
    QCOMPARE(_log->lines(),
        QStringList({QStringLiteral("%1=10:00").arg(COUNTDOWN_DEFAULT_KEY),
            QStringLiteral("seconds=600"), QStringLiteral("%1=Fall 1901").arg(PHASE_DEFAULT_KEY)}));
    QCOMPARE(signalOrder, QStringList({"seconds", "display", "phase"}));
}

void TestCountdownTimer::pausedTimeIsNeverCounted()
{
    CountdownTimer timer(_clock.function());
    timer.restart();
    tick(timer, _clock, 0.1);
    timer.pause();
    for (int i = 0; i < 5000; ++i)
        tick(timer, _clock, 0.1);
    QCOMPARE(timer.secondsLeft(), 599.9);
    timer.restart();
    tick(timer, _clock, 0.1);
    QVERIFY(qAbs(timer.secondsLeft() - 599.8) < 1e-9);
}

void TestCountdownTimer::nudgeWhilePausedActsAtOnce()
{
    CountdownTimer timer(20.0 / 60.0, _clock.function());
    timer.nudge(-60);
    QCOMPARE(_log->lines(),
        QStringList({QStringLiteral("%1=0:00.0").arg(COUNTDOWN_DEFAULT_KEY),
            QStringLiteral("seconds=-40")}));
    tick(timer, _clock, 100);
    QVERIFY(timer.isPaused());
    QCOMPARE(timer.phase().description(), "Spring 1901");
    timer.restart();
    tick(timer, _clock, 0.1);
    QCOMPARE(timer.phase().description(), "Fall 1901");
}

void TestCountdownTimer::emptyOrNegativeLengthLastsOneTick_data()
{
    QTest::addColumn<int>("fallMinutes");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -3;
}

void TestCountdownTimer::emptyOrNegativeLengthLastsOneTick()
{
    QFETCH(int, fallMinutes);
    PreferenceController::setPreferenceFallMinutes(fallMinutes);
    CountdownTimer timer(0.0, _clock.function());
    timer.restart();
    tick(timer, _clock, 0.1);
    QCOMPARE(timer.phase().description(), "Fall 1901");
    QCOMPARE(timer.displayTime(), "0:00.0");
    QCOMPARE(timer.secondsLeft(), fallMinutes * 60.0);
    tick(timer, _clock, 0.1);
    QCOMPARE(timer.phase().description(), "Spring 1902");
}

void TestCountdownTimer::lengthsAreReadAfreshAtEachPhase()
{
    CountdownTimer timer(1.0, _clock.function());
    timer.restart();
    tick(timer, _clock, 30);
    PreferenceController::setPreferenceFallMinutes(3);
    QCOMPARE(timer.secondsLeft(), 30.0);
    tick(timer, _clock, 30);
    tick(timer, _clock, 0.1);
    QCOMPARE(timer.phase().description(), "Fall 1901");
    QCOMPARE(timer.secondsLeft(), 180.0);
}

void TestCountdownTimer::everyWholeSecondIsPostedOnce_data()
{
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    QTest::newRow("steady") << 0.1 << 0.1;
    QTest::newRow("jittered") << 0.07 << 0.13;
    QTest::newRow("often late") << 0.05 << 0.45;
    QTest::newRow("coarse") << 0.6 << 0.95;
}

void TestCountdownTimer::everyWholeSecondIsPostedOnce()
{
    QFETCH(double, shortest);
    QFETCH(double, longest);
    QRandomGenerator random(1901);
    CountdownTimer timer(60.0, _clock.function());
    bool phaseChanged = false;
    connect(&timer, &CountdownTimer::phaseChanged, this, [&] { phaseChanged = true; });
    timer.restart();
    while (!phaseChanged)
        tick(timer, _clock, shortest + (longest - shortest) * random.generateDouble());
    QStringList posted = _log->valuesFor(SECONDS_KEY);
    QCOMPARE(posted.takeLast(), "600");
    QCOMPARE(posted, countDown(3599, 0));
}

void TestCountdownTimer::stalledTickPostsOnlyTheLowestSecondPassed()
{
    CountdownTimer timer(10.5 / 60.0, _clock.function());
    timer.restart();
    tick(timer, _clock, 0.45);
    QCOMPARE(_log->valuesFor(SECONDS_KEY), QStringList{"10"});
    tick(timer, _clock, 0.1);
    QCOMPARE(_log->valuesFor(SECONDS_KEY), QStringList{"10"});
    tick(timer, _clock, 4.2);
    QCOMPARE(_log->valuesFor(SECONDS_KEY), QStringList({"10", "6"}));
}

void TestCountdownTimer::directChangesPostInTheWholeSecondWindow()
{
    CountdownTimer timer(_clock.function());
    timer.setSecondsLeft(300.05);
    timer.nudge(10);
    timer.nudge(0.2);
    timer.nudge(-600);
    timer.setSecondsLeft(-2.5);
    QCOMPARE(_log->valuesFor(SECONDS_KEY), QStringList({"300", "310"}));
}

void TestCountdownTimer::hugeTimesSaturate()
{
    CountdownTimer timer(_clock.function());
    timer.setSecondsLeft(std::numeric_limits<int>::max() * 60.0);
    timer.nudge(-1e300);
    QCOMPARE(_log->valuesFor(SECONDS_KEY), QStringList({"2147483647", "-2147483648"}));
    QCOMPARE(_log->valuesFor(COUNTDOWN_DEFAULT_KEY), QStringList({"2147483647:00", "0:00.0"}));
}

void TestCountdownTimer::elapsedTimeIgnoresTheSystemClock()
{
    // The clock must be the boot-time clock, which setting the system time does not move;
    // the wall clock lies decades away from it.
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double bootSeconds = boot.tv_sec + boot.tv_nsec / 1e9;
    QVERIFY(qAbs(MonotonicClock::seconds() - bootSeconds) < 1.0);
    QVERIFY(qAbs(MonotonicClock::seconds() - QDateTime::currentSecsSinceEpoch()) > 1e6);
}

QTEST_GUILESS_MAIN(TestCountdownTimer)
#include "tst_countdowntimer.moc"
