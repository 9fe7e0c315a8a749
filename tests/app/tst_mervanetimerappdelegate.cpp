#include "AppUnderTest.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "ScrollingView.h"
#include "SoundPlayer.h"
#include "Util.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QtTest>

class TestAppDelegate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nudgeAmountFromTitle_data();
    void nudgeAmountFromTitle();
    void menuCommandsNudgeByTheirTitles();
    void nudgeWhilePausedKeepsTheClockPaused();
    void pauseOrContinueToggles();
    void displayTimeShowsUntilTheClockPostsAgain();
    void marquisTextShowsUntilTheNextWrap();
    void textsWithoutAViewOrTextPostNothing();
    void closingTheMainWindowEndsTheApplication();
    void closingAnotherWindowDoesNot();

private:
    std::unique_ptr<AppUnderTest> _app;
};

void TestAppDelegate::init()
{
    _app = std::make_unique<AppUnderTest>();
}

void TestAppDelegate::cleanup()
{
    _app.reset();
}

void TestAppDelegate::nudgeAmountFromTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("seconds");
    QTest::newRow("30s") << "+30s" << 30.0;
    QTest::newRow("10m") << "+10m" << 600.0;
    QTest::newRow("1m") << "+1m" << 60.0;
    QTest::newRow("10s") << "+10s" << 10.0;
    QTest::newRow("minus anywhere") << "10s back -" << -10.0;
    QTest::newRow("-30s") << "-30s" << -30.0;
    QTest::newRow("-10m") << "-10m" << -600.0;
    QTest::newRow("none") << "Nudge" << 60.0;
    QTest::newRow("empty") << "" << 60.0;
    QTest::newRow("none, minus") << "-" << -60.0;
    QTest::newRow("case-sensitive") << "+10M" << 60.0;
    QTest::newRow("30s before 1m") << "1m30s" << 30.0;
    QTest::newRow("110s holds 10s") << "110s" << 10.0;
    QTest::newRow("10ms holds 10m") << "10ms" << 600.0;
    QTest::newRow("typographic minus adds") << "\u221210s" << 10.0;
    QTest::newRow("en dash adds") << "\u201330s" << 30.0;
    QTest::newRow("mnemonic removed") << "&-1&0m" << -600.0;
    QTest::newRow("literal ampersand kept") << "1&&0s" << 60.0;
}

void TestAppDelegate::nudgeAmountFromTitle()
{
    QFETCH(QString, title);
    QFETCH(double, seconds);
    QCOMPARE(MervaneTimerAppDelegate::nudgeAmount(title), seconds);
}

void TestAppDelegate::menuCommandsNudgeByTheirTitles()
{
    const Ui::MainWindow &ui = _app->window.ui();
    const QList<QPair<QAction *, double>> commands{{ui.plus10sAction, 10}, {ui.minus10sAction, -10},
        {ui.plus30sAction, 30}, {ui.minus30sAction, -30}, {ui.plus1mAction, 60},
        {ui.minus1mAction, -60}, {ui.plus10mAction, 600}, {ui.minus10mAction, -600}};
    for (const auto &[action, seconds] : commands) {
        const double before = _app->delegate.timer().secondsLeft();
        action->trigger();
        QCOMPARE(_app->delegate.timer().secondsLeft() - before, seconds);
    }
}

void TestAppDelegate::nudgeWhilePausedKeepsTheClockPaused()
{
    _app->window.ui().minus1mAction->trigger();
    QCOMPARE(_app->delegate.timer().secondsLeft(), 540.0);
    QCOMPARE(_app->window.ui().countdownView->text(), "9:00");
    QVERIFY(_app->delegate.timer().isPaused());
}

void TestAppDelegate::pauseOrContinueToggles()
{
    _app->window.ui().pauseOrContinueAction->trigger();
    QVERIFY(_app->delegate.timer().isRunning());
    _app->window.ui().pauseOrContinueAction->trigger();
    QVERIFY(_app->delegate.timer().isPaused());
    _app->window.ui().continueAction->trigger();
    QVERIFY(_app->delegate.timer().isRunning());
    _app->window.ui().pauseAction->trigger();
    QVERIFY(_app->delegate.timer().isPaused());
}

void TestAppDelegate::displayTimeShowsUntilTheClockPostsAgain()
{
    _app->delegate.setDisplayTime("Lunch");
    QCOMPARE(_app->window.ui().countdownView->text(), "Lunch");
    _app->now += 5;
    _app->delegate.timer().doUpdate();
    QCOMPARE(_app->window.ui().countdownView->text(), "Lunch");
    _app->delegate.continueTimer();
    _app->now += 1;
    _app->delegate.timer().doUpdate();
    QCOMPARE(_app->window.ui().countdownView->text(), "9:59");
}

void TestAppDelegate::marquisTextShowsUntilTheNextWrap()
{
    ScrollingView *banner = _app->window.ui().marquisView;
    banner->resize(600, 40);
    _app->delegate.setMarquisText("Photo at five");
    QCOMPARE(banner->text(), "Photo at five");
    QCOMPARE(_app->delegate.marquisText(), "Photo at five");
    while (banner->text() == "Photo at five")
        banner->movePoint();
    QCOMPARE(banner->text(), "$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $");
}

void TestAppDelegate::textsWithoutAViewOrTextPostNothing()
{
    QStringList posted;
    QObject context;
    NotificationCenter::defaultCenter().addObserver(&context,
        RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME,
        [&](const QVariantMap &info) { posted << info.keys(); });
    _app->delegate.setDisplayTime(QString());
    _app->delegate.setMarquisView(nullptr);
    _app->delegate.setMarquisText("Nobody shows this");
    QVERIFY(posted.isEmpty());
}

void TestAppDelegate::closingTheMainWindowEndsTheApplication()
{
    _app->window.show();
    QTimer::singleShot(0, &_app->window, &QWidget::close);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

void TestAppDelegate::closingAnotherWindowDoesNot()
{
    QWidget other;
    other.show();
    _app->window.show();
    QTimer::singleShot(0, &other, &QWidget::close);
    QTimer::singleShot(50, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QCoreApplication::exec(), 2);
    QVERIFY(_app->window.isVisible());
}

QTEST_MAIN(TestAppDelegate)
#include "tst_mervanetimerappdelegate.moc"
