#include "CountdownTimer.h"
#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QRandomGenerator>
#include <QtTest>

#include <time.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator answers for the heap; its header is not shipped with GCC.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
static size_t heapInUse()
{
    return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>
static size_t heapInUse()
{
    return mallinfo2().uordblks;
}
#endif

// Every notification on the default center, as "key=value", in order of arrival.
class Posts : public QObject
{
public:
    Posts()
    {
        for (const char *name :
            {RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, SOUND_PLAYER_NOTIFICATION_NAME}) {
            NotificationCenter::defaultCenter().addObserver(this, name, [this](const auto &info) {
                lines << info.firstKey() + '=' + info.first().toString();
            });
        }
    }
    QStringList valuesFor(const QString &key) const
    {
        QStringList values;
        for (const QString &line : lines) {
            if (line.startsWith(key + '='))
                values << line.mid(key.size() + 1);
        }
        return values;
    }
    QStringList lines;
};

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _now = 5000;
        _store = std::make_unique<TemporaryStore>();
        _posts = std::make_unique<Posts>();
    }

    void cleanup()
    {
        _posts.reset();
        _store.reset();
    }

    void centerDeliversInOrderAndForgetsDestroyedObservers()
    {
        NotificationCenter center;
        QStringList order;
        QObject first;
        auto second = std::make_unique<QObject>();
        center.addObserver(&first, "a", [&](const QVariantMap &) { order << "first"; });
        center.addObserver(&first, "b", [&](const QVariantMap &) { order << "other name"; });
        center.addObserver(
            second.get(), "a", [&](const auto &info) { order << info["k"].toString(); });
        center.post("a", {{"k", "second"}});
        QCOMPARE(order, QStringList({"first", "second"}));

        second.reset();
        center.post("a", {});
        QCOMPARE(order.size(), 3);
        QCOMPARE(center.observerCount(), 2);

        // An observer that goes away while a post is being delivered is not called.
        auto third = std::make_unique<QObject>();
        center.addObserver(&first, "c", [&](const QVariantMap &) { third.reset(); });
        center.addObserver(third.get(), "c", [&](const QVariantMap &) { order << "late"; });
        center.post("c", {});
        QVERIFY(!order.contains("late"));
    }

    void incompletePostsAreDropped()
    {
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "key", QStringLiteral(""));
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, QString(), "value");
        Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "key", QString());
        QCOMPARE(_posts->lines, QStringList{"key="});
    }

    void phaseSeasonsAndYears()
    {
        PreferenceController::setPreferenceUseOrderWriting(true);
        Phase phase;
        phase.increment();
        phase.increment();
        phase.increment();
        QCOMPARE(phase.description(), "Fall (Orders) 1901");
        // Switching to drop-dead during order writing ends it at the next phase.
        PreferenceController::setPreferenceIsDropDead(true);
        phase.increment();
        QCOMPARE(phase.description(), "Spring 1902");

        // Seasons are found by substring, Spring first; anything else is followed by Spring.
        const QList<QPair<QString, QString>> nextAfter{{"Late Spring", "Fall 1902"},
            {"Fall or Spring", "Fall 1902"}, {"fall", "Spring 1902"}, {"Winter", "Spring 1902"}};
        for (const auto &[season, next] : nextAfter) {
            phase.setSeason(season);
            phase.simpleIncrement();
            QCOMPARE(phase.description(), next);
            phase.setYear(1902);
        }
        phase.setSeason(Phase::FALL());
        phase.setYear(std::numeric_limits<int>::max());
        phase.simpleIncrement();
        QCOMPARE(phase.year(), std::numeric_limits<int>::max());
    }

    void displayTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("59 minutes") << 3540.0 << "59:00";
        QTest::newRow("just under 15 minutes") << 899.95 << "14:59";
        QTest::newRow("one minute") << 60.0 << "1:00";
        QTest::newRow("rounded up to 60.0") << 59.99 << "0:60.0";
        QTest::newRow("padded") << 5.3 << "0:05.3";
        QTest::newRow("negative") << -90.0 << "0:00.0";
        QTest::newRow("two hours") << 7200.0 << "120:00";
        QTest::newRow("beyond 32-bit minutes") << 1e15 << "2147483647:59";
        QTest::newRow("far below zero") << -1e15 << "0:00.0";
    }

    void displayTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(CountdownTimer::displayTime(seconds), text);
    }

    void pausedTimeIsNeverCounted()
    {
        CountdownTimer timer(fakeClock());
        QVERIFY(timer.isPaused());
        QCOMPARE(timer.description(), "PAUSED Spring 1901--> 10:00");
        QCOMPARE(timer.timer().timerType(), Qt::PreciseTimer);
        tick(timer, 30);
        QVERIFY(_posts->lines.isEmpty());
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(_posts->lines, QStringList{QStringLiteral("%1=9:59").arg(COUNTDOWN_DEFAULT_KEY)});
        timer.pause();
        tick(timer, 500);
        // Continuing between two ticks counts from the moment of continuing.
        _now += 0.07;
        timer.restart();
        tick(timer, 0.03);
        QVERIFY(qAbs(timer.secondsLeft() - 599.87) < 1e-9);
    }

    void phaseChangeAnnouncesInOrder()
    {
        CountdownTimer timer(0.0, fakeClock());
        QStringList signalOrder;
        connect(
            &timer, &CountdownTimer::secondsLeftChanged, this, [&] { signalOrder << "seconds"; });
        connect(
            &timer, &CountdownTimer::displayTimeChanged, this, [&] { signalOrder << "display"; });
        connect(&timer, &CountdownTimer::phaseChanged, this, [&] { signalOrder << "phase"; });
        timer.restart();
        tick(timer, 0.1);
        QCOMPARE(_posts->lines,
            QStringList({QStringLiteral("%1=10:00").arg(COUNTDOWN_DEFAULT_KEY), "seconds=600",
                QStringLiteral("%1=Fall 1901").arg(PHASE_DEFAULT_KEY)}));
        QCOMPARE(signalOrder, QStringList({"seconds", "display", "phase"}));
    }

    void nudgeAndEmptyLengthsWhilePaused()
    {
        PreferenceController::setPreferenceFallMinutes(-3);
        CountdownTimer timer(20.0 / 60.0, fakeClock());
        timer.nudge(-60);
        QCOMPARE(_posts->lines,
            QStringList({QStringLiteral("%1=0:00.0").arg(COUNTDOWN_DEFAULT_KEY), "seconds=-40"}));
        tick(timer, 100);
        QCOMPARE(timer.phase().description(), "Spring 1901");
        timer.restart();
        tick(timer, 0.1);
        // A negative length lasts a single tick.
        QCOMPARE(timer.phase().description(), "Fall 1901");
        QCOMPARE(timer.secondsLeft(), -180.0);
        tick(timer, 0.1);
        QCOMPARE(timer.phase().description(), "Spring 1902");
    }

    void lengthsAreReadAfreshAtEachPhase()
    {
        CountdownTimer timer(1.0, fakeClock());
        timer.restart();
        tick(timer, 30);
        PreferenceController::setPreferenceFallMinutes(3);
        QCOMPARE(timer.secondsLeft(), 30.0);
        tick(timer, 30);
        tick(timer, 0.1);
        QCOMPARE(timer.secondsLeft(), 180.0);
    }

    void everyWholeSecondIsPostedOnce_data()
    {
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("steady") << 0.1 << 0.1;
        QTest::newRow("jittered") << 0.07 << 0.13;
        QTest::newRow("often late") << 0.05 << 0.45;
        QTest::newRow("coarse") << 0.6 << 0.95;
    }

    void everyWholeSecondIsPostedOnce()
    {
        QFETCH(double, shortest);
        QFETCH(double, longest);
        QRandomGenerator random(1901);
        CountdownTimer timer(60.0, fakeClock());
        timer.restart();
        while (timer.phase().isSpring())
            tick(timer, shortest + (longest - shortest) * random.generateDouble());
        QStringList expected;
        for (int s = 3599; s >= 0; --s)
            expected << QString::number(s);
        QCOMPARE(_posts->valuesFor(SECONDS_KEY), expected << "600");
    }

    void directChangesPostInTheWholeSecondWindow()
    {
        CountdownTimer timer(10.5 / 60.0, fakeClock());
        timer.restart();
        tick(timer, 0.45);
        tick(timer, 0.1);
        tick(timer, 4.2); // a stall passes several seconds: only the last of them is posted
        timer.setSecondsLeft(300.05);
        timer.nudge(10);
        timer.nudge(0.2);
        timer.nudge(-1e300);
        QCOMPARE(
            _posts->valuesFor(SECONDS_KEY), QStringList({"10", "6", "300", "310", "-2147483648"}));
    }

    void elapsedTimeIgnoresTheSystemClock()
    {
        // Setting the system time does not move the boot-time clock; the wall clock lies
        // decades away from it.
        timespec boot{};
        clock_gettime(CLOCK_BOOTTIME, &boot);
        QVERIFY(qAbs(MonotonicClock::seconds() - (boot.tv_sec + boot.tv_nsec / 1e9)) < 1.0);
        QVERIFY(qAbs(MonotonicClock::seconds() - QDateTime::currentSecsSinceEpoch()) > 1e6);
    }

    void tournamentDayRunsTrueWithoutGrowing()
    {
        PreferenceController::setPreferenceSpringMinutes(15);
        PreferenceController::setPreferenceFallMinutes(10);
        PreferenceController::setPreferenceOrderWritingMinutes(5);
        PreferenceController::setPreferenceUseOrderWriting(true);
        const QList<QPair<QString, double>> year{{"Spring (Orders) %1", 900}, {"Fall %1", 300},
            {"Fall (Orders) %1", 600}, {"Spring %1", 300}};
        CountdownTimer timer(fakeClock());
        int phases = 0;
        double phaseStart = _now;
        connect(&timer, &CountdownTimer::phaseChanged, this, [&] {
            // Each phase ran its full length, plus the tick that noticed its end.
            const auto &[name, length] = year.at(phases % 4);
            const int gameYear = 1901 + (phases + 1) / 4;
            QCOMPARE(timer.phase().description(), QString(name).arg(gameYear));
            QVERIFY(_now - phaseStart > length && _now - phaseStart < length + 0.25);
            phaseStart = _now;
            ++phases;
        });
        timer.restart();
        size_t heapAfterFirstHour = 0;
        for (int tenths = 1; tenths <= 24 * 36000; ++tenths) {
            _now = 5000 + tenths / 10.0;
            timer.doUpdate();
            if (tenths % 36000 == 0)
                _posts->lines = {};
            if (tenths == 36000)
                heapAfterFirstHour = heapInUse();
        }
        // A game-year of 35 minutes, and a tick or two more per phase.
        QVERIFY2(phases >= 4 * 41, qPrintable(QString::number(phases)));
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

    double _now = 0;
    std::unique_ptr<TemporaryStore> _store;
    std::unique_ptr<Posts> _posts;
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
