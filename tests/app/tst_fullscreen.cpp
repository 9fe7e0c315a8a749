#include "AppController.h"
#include "FullScreenWindow.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "NotificationNames.h"
#include "TemporaryStore.h"
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
    double now = 0;
    std::unique_ptr<TemporaryStore> _store;
    std::unique_ptr<MervaneTimerAppDelegate> _delegate;
    AppController _appController;
    std::unique_ptr<MainWindow> _window;
};

void TestFullScreen::init()
{
    _store = std::make_unique<TemporaryStore>();
    _delegate = std::make_unique<MervaneTimerAppDelegate>([this] { return now; });
    _window = std::make_unique<MainWindow>(*_delegate, _appController);
    _window->setGeometry(120, 90, 640, 360);
    _window->show();
    QVERIFY(QTest::qWaitForWindowExposed(_window.get()));
}

void TestFullScreen::cleanup()
{
    _window.reset();
    _delegate.reset();
    _store.reset();
}

void TestFullScreen::onAndOffRestoresTheExactGeometry()
{
    const QRect before = _window->geometry();
    _delegate->toggleFullScreen();
    QVERIFY(_delegate->fullScreenWindow());
    _delegate->toggleFullScreen();
    QVERIFY(!_delegate->fullScreenWindow());
    QCOMPARE(_window->geometry(), before);
    QVERIFY(_window->isVisible());

    _window->setGeometry(200, 150, 500, 300);
    _delegate->toggleFullScreen();
    _delegate->toggleFullScreen();
    QCOMPARE(_window->geometry(), QRect(200, 150, 500, 300));
}

void TestFullScreen::displayMovesWithItsViewsIntact()
{
    const Ui::MainWindow &ui = _window->ui();
    QWidget *display = _window->centralWidget();
    CountdownView *countdown = ui.countdownView;
    _delegate->continueTimer();
    _delegate->toggleFullScreen();
    QCOMPARE(display->window(), _delegate->fullScreenWindow());
    QCOMPARE(_delegate->fullScreenWindow()->windowTitle(), _window->windowTitle());
    now += 2;
    _delegate->timer().doUpdate();
    QCOMPARE(countdown->text(), "9:58");
    _delegate->toggleFullScreen();
    QCOMPARE(_window->centralWidget(), display);
    QCOMPARE(countdown->parentWidget(), display);
    QCOMPARE(countdown->text(), "9:58");
    QVERIFY(_delegate->timer().isRunning());
    QCOMPARE(_window->findChildren<CountdownView *>().size(), 1);
}

void TestFullScreen::coversTheScreenOfTheMainWindow()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QScreen *second = screens.at(1);
    _window->move(second->geometry().topLeft() + QPoint(50, 50));
    _window->setScreen(second);
    QCOMPARE(_window->screen(), second);
    _delegate->toggleFullScreen();
    QCOMPARE(_delegate->fullScreenWindow()->screen(), second);
    QCOMPARE(_delegate->fullScreenWindow()->geometry(), second->geometry());
}

void TestFullScreen::shortcutsAndEscapeWorkInFullScreen()
{
    _delegate->toggleFullScreen();
    FullScreenWindow *fullScreen = _delegate->fullScreenWindow();
    QVERIFY(QTest::qWaitForWindowActive(fullScreen));
    QTest::keyClick(fullScreen, Qt::Key_Up);
    QCOMPARE(_delegate->timer().secondsLeft(), 660.0);
    QTest::keyClick(fullScreen, Qt::Key_C);
    QVERIFY(_delegate->timer().isRunning());
    QTest::keyClick(fullScreen, Qt::Key_Escape);
    QVERIFY(!_delegate->fullScreenWindow());
    QCOMPARE(_window->centralWidget(), _window->ui().countdownView->parentWidget());
}

void TestFullScreen::turningOnTwiceLosesNothing()
{
    _delegate->toggleFullScreen();
    FullScreenWindow *first = _delegate->fullScreenWindow();
    _delegate->turnOnFullScreen();
    QCOMPARE(_delegate->fullScreenWindow(), first);
    QCOMPARE(_window->ui().countdownView->window(), first);
    _delegate->toggleFullScreen();
    QCOMPARE(_window->ui().countdownView->window(), _window.get());
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
