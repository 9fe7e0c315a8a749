#include "AppUnderTest.h"
#include "FullScreenWindow.h"
#include "NotificationNames.h"
#include "Util.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

class TestFullScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void onAndOffRestoresTheExactGeometry();
    void displayMovesWithItsViewsIntact();
    void coversTheScreenOfTheMainWindow();
    void shortcutsAndEscapeWorkInFullScreen();
    void turningOnTwiceLosesNothing();

private:
    std::unique_ptr<AppUnderTest> _app;
};

void TestFullScreen::init()
{
    _app = std::make_unique<AppUnderTest>();
    _app->window.setGeometry(120, 90, 640, 360);
    _app->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&_app->window));
}

void TestFullScreen::cleanup()
{
    _app.reset();
}

void TestFullScreen::onAndOffRestoresTheExactGeometry()
{
    const QRect before = _app->window.geometry();
    _app->delegate.toggleFullScreen();
    QVERIFY(_app->delegate.fullScreenWindow());
    _app->delegate.toggleFullScreen();
    QVERIFY(!_app->delegate.fullScreenWindow());
    QCOMPARE(_app->window.geometry(), before);
    QVERIFY(_app->window.isVisible());

    _app->window.setGeometry(200, 150, 500, 300);
    _app->delegate.toggleFullScreen();
    _app->delegate.toggleFullScreen();
    QCOMPARE(_app->window.geometry(), QRect(200, 150, 500, 300));
}

void TestFullScreen::displayMovesWithItsViewsIntact()
{
    const Ui::MainWindow &ui = _app->window.ui();
    QWidget *display = _app->window.centralWidget();
    CountdownView *countdown = ui.countdownView;
    _app->delegate.continueTimer();
    _app->delegate.toggleFullScreen();
    QCOMPARE(display->window(), _app->delegate.fullScreenWindow());
    QCOMPARE(_app->delegate.fullScreenWindow()->windowTitle(), _app->window.windowTitle());
    _app->now += 2;
    _app->delegate.timer().doUpdate();
    QCOMPARE(countdown->text(), "9:58");
    _app->delegate.toggleFullScreen();
    QCOMPARE(_app->window.centralWidget(), display);
    QCOMPARE(countdown->parentWidget(), display);
    QCOMPARE(countdown->text(), "9:58");
    QVERIFY(_app->delegate.timer().isRunning());
    QCOMPARE(_app->window.findChildren<CountdownView *>().size(), 1);
}

void TestFullScreen::coversTheScreenOfTheMainWindow()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QScreen *second = screens.at(1);
    _app->window.move(second->geometry().topLeft() + QPoint(50, 50));
    _app->window.setScreen(second);
    QCOMPARE(_app->window.screen(), second);
    _app->delegate.toggleFullScreen();
    QCOMPARE(_app->delegate.fullScreenWindow()->screen(), second);
    QCOMPARE(_app->delegate.fullScreenWindow()->geometry(), second->geometry());
}

void TestFullScreen::shortcutsAndEscapeWorkInFullScreen()
{
    _app->delegate.toggleFullScreen();
    FullScreenWindow *fullScreen = _app->delegate.fullScreenWindow();
    QVERIFY(QTest::qWaitForWindowActive(fullScreen));
    QTest::keyClick(fullScreen, Qt::Key_Up);
    QCOMPARE(_app->delegate.timer().secondsLeft(), 660.0);
    QTest::keyClick(fullScreen, Qt::Key_C);
    QVERIFY(_app->delegate.timer().isRunning());
    QTest::keyClick(fullScreen, Qt::Key_Escape);
    QVERIFY(!_app->delegate.fullScreenWindow());
    QCOMPARE(_app->window.centralWidget(), _app->window.ui().countdownView->parentWidget());
}

void TestFullScreen::turningOnTwiceLosesNothing()
{
    _app->delegate.toggleFullScreen();
    FullScreenWindow *first = _app->delegate.fullScreenWindow();
    _app->delegate.turnOnFullScreen();
    QCOMPARE(_app->delegate.fullScreenWindow(), first);
    QCOMPARE(_app->window.ui().countdownView->window(), first);
    _app->delegate.toggleFullScreen();
    QCOMPARE(_app->window.ui().countdownView->window(), &_app->window);
}

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
    TestFullScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fullscreen.moc"
