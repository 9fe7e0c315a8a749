#include "AppUnderTest.h"
#include "FullScreenWindow.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "ScrollingView.h"
#include "SoundPlayer.h"
#include "Util.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

using Damage = std::function<void(TemporaryStore &)>;

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void init() { _app = std::make_unique<AppUnderTest>(); }
    void cleanup() { _app.reset(); }

    void nudgeAmountFromTitle()
    {
        const QList<QPair<QString, double>> amounts{{"-10m", -600}, {"10s back -", -10},
            {"Nudge", 60}, {"-", -60}, {"+10M", 60}, {"1m30s", 30}, {"110s", 10}, {"10ms", 600},
            {"\u221210s", 10}, {"&-1&0m", -600}, {"1&&0s", 60}};
        for (const auto &[title, seconds] : amounts)
            QCOMPARE(MervaneTimerAppDelegate::nudgeAmount(title), seconds);
    }

    void menuCommandsDriveTheClock()
    {
        const QList<QPair<QAction *, double>> nudges{{ui().plus10sAction, 10},
            {ui().minus10sAction, -10}, {ui().plus30sAction, 30}, {ui().minus30sAction, -30},
            {ui().plus1mAction, 60}, {ui().minus1mAction, -60}, {ui().plus10mAction, 600},
            {ui().minus10mAction, -600}};
        for (const auto &[action, seconds] : nudges) {
            const double before = timer().secondsLeft();
            action->trigger();
            QCOMPARE(timer().secondsLeft() - before, seconds);
        }
        ui().minus1mAction->trigger();
        QCOMPARE(ui().countdownView->text(), "9:00");
        QVERIFY(timer().isPaused());

        for (QAction *command : {ui().pauseOrContinueAction, ui().pauseAction,
                 ui().pauseOrContinueAction, ui().continueAction}) {
            command->trigger();
            QCOMPARE(timer().isRunning(), command != ui().pauseAction);
        }
    }

    void textsShowUntilTheClockOrBannerMovesOn()
    {
        _app->delegate.setDisplayTime("Lunch");
        tick(5);
        QCOMPARE(ui().countdownView->text(), "Lunch");
        _app->delegate.continueTimer();
        tick(1);
        QCOMPARE(ui().countdownView->text(), "9:59");

        ScrollingView *banner = ui().marquisView;
        banner->resize(600, 40);
        _app->delegate.setMarquisText("Photo at five");
        QCOMPARE(banner->text(), "Photo at five");
        while (banner->text() == "Photo at five")
            banner->movePoint();
        QCOMPARE(banner->text(), PreferenceController::preferenceMarquisText());
        // Without a view, or without a text, nothing is posted.
        _app->delegate.setDisplayTime(QString());
        QCOMPARE(ui().countdownView->text(), "9:59");
    }

    void closingTheMainWindowAloneEndsTheApplication()
    {
        QWidget other;
        other.show();
        _app->window.show();
        QTimer::singleShot(0, &other, &QWidget::close);
        QTimer::singleShot(50, qApp, [] { QCoreApplication::exit(2); });
        QCOMPARE(QCoreApplication::exec(), 2);
        QVERIFY(_app->window.isVisible());

        QTimer::singleShot(0, &_app->window, &QWidget::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(2); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void damagedSettingsStartWithTheDefaults()
    {
        const QList<QPair<Damage, bool>> damages{// and whether a change can be saved
            {[](TemporaryStore &store) { store.writeFile("\x7f\x45\x4c\x46\x02\xff\xfe[[=\n"); },
                true},
            {[](TemporaryStore &store) {
                 store.writeFile(
                     "[General]\ndefaults.springMinutes=ten\ndefaults.fallMinutes=@Invalid()\n"
                     "defaults.useOrderWriting=maybe\ndefaults.marquisText=@Variant(\\0)\n");
             },
                true},
            {&TemporaryStore::makeUnreadable, false},
            {&TemporaryStore::makeFolderUnwritable, false}};
        for (const auto &[damage, savable] : damages) {
            _app.reset();
            _app = std::make_unique<AppUnderTest>(damage);
            QCOMPARE(ui().countdownView->text(), "10:00");
            QCOMPARE(ui().marquisView->text(),
                "$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $");
            _app->delegate.continueTimer();
            tick(1);
            QCOMPARE(ui().countdownView->text(), "9:59");

            _app->appController.showPreferencePanel();
            QLineEdit *spring =
                _app->appController.preferenceController()->springMinutesTextField();
            QCOMPARE(spring->text(), "10");
            spring->selectAll();
            QTest::keyClicks(spring, "12");
            QTest::keyClick(spring, Qt::Key_Return);
            // Saved or not, the change is in force for this run; a failed save says so.
            QCOMPARE(PreferenceController::preferenceSpringMinutes(), 12);
            auto *message = spring->window()->findChild<QLabel *>("saveMessage");
            QCOMPARE(message->text().isEmpty(), savable);
            QVERIFY(savable || message->text().contains(PreferenceController::storePath()));
        }
    }

    void cuesAreTheSecondsThatHaveASoundFile()
    {
        QCOMPARE(SoundPlayer::cuePath(10), ":/sounds/10s.wav");
        for (int seconds : {11, -3, 120})
            QVERIFY(SoundPlayer::cuePath(seconds).isEmpty());
    }

    void fullScreenKeepsGeometryViewsClockAndShortcuts()
    {
        _app->window.setGeometry(120, 90, 640, 360);
        _app->window.show();
        QWidget *display = _app->window.centralWidget();
        _app->delegate.toggleFullScreen();
        FullScreenWindow *fullScreen = _app->delegate.fullScreenWindow();
        QCOMPARE(display->window(), fullScreen);
        _app->delegate.turnOnFullScreen();
        QCOMPARE(_app->delegate.fullScreenWindow(), fullScreen);
        QVERIFY(QTest::qWaitForWindowActive(fullScreen));
        QTest::keyClick(fullScreen, Qt::Key_Up);
        QTest::keyClick(fullScreen, Qt::Key_C);
        tick(2);
        QCOMPARE(ui().countdownView->text(), "10:58");
        QTest::keyClick(fullScreen, Qt::Key_Escape);
        QVERIFY(!_app->delegate.fullScreenWindow());
        QCOMPARE(_app->window.geometry(), QRect(120, 90, 640, 360));
        QCOMPARE(_app->window.centralWidget(), display);
        QCOMPARE(ui().countdownView->parentWidget(), display);
        QCOMPARE(ui().countdownView->text(), "10:58");
        QVERIFY(timer().isRunning());
    }

    void fullScreenCoversTheMainWindowsScreen()
    {
        QScreen *second = QGuiApplication::screens().at(1);
        _app->window.setGeometry(
            QRect(second->geometry().topLeft() + QPoint(50, 50), QSize(500, 300)));
        _app->window.setScreen(second);
        _app->window.show();
        _app->delegate.toggleFullScreen();
        QCOMPARE(_app->delegate.fullScreenWindow()->screen(), second);
        QCOMPARE(_app->delegate.fullScreenWindow()->geometry(), second->geometry());
        _app->delegate.toggleFullScreen();
        QCOMPARE(_app->window.geometry().size(), QSize(500, 300));
    }

private:
    const Ui::MainWindow &ui() const { return _app->window.ui(); }
    CountdownTimer &timer() const { return _app->delegate.timer(); }
    void tick(double seconds)
    {
        _app->now += seconds;
        timer().doUpdate();
    }
    std::unique_ptr<AppUnderTest> _app;
};

int main(int argc, char **argv)
{
    // Two screens side by side, so full screen can be asked to follow the second one.
    QTemporaryFile screens(QDir::tempPath() + "/screensXXXXXX.json");
    if (!screens.open())
        return 2;
    screens.write(R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 800},
        {"name": "right", "x": 1280, "y": 0, "width": 1920, "height": 1080}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
