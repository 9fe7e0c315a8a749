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

// Records which cue files would sound; a real player when `record` is off.
class CuePlayer : public SoundPlayer
{
public:
    bool record = true;
    QStringList started;

    void startSound(const QString &path) override
    {
        if (record)
            started << path;
        else
            SoundPlayer::startSound(path);
    }
};

using Damage = std::function<void(TemporaryStore &)>;
Q_DECLARE_METATYPE(Damage)

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void init() { _app = std::make_unique<AppUnderTest>(); }
    void cleanup() { _app.reset(); }

    void nudgeAmountFromTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<double>("seconds");
        QTest::newRow("-10m") << "-10m" << -600.0;
        QTest::newRow("minus anywhere") << "10s back -" << -10.0;
        QTest::newRow("none") << "Nudge" << 60.0;
        QTest::newRow("none, minus") << "-" << -60.0;
        QTest::newRow("case-sensitive") << "+10M" << 60.0;
        QTest::newRow("30s before 1m") << "1m30s" << 30.0;
        QTest::newRow("110s holds 10s") << "110s" << 10.0;
        QTest::newRow("10ms holds 10m") << "10ms" << 600.0;
        QTest::newRow("typographic minus adds") << "\u221210s" << 10.0;
        QTest::newRow("mnemonic removed") << "&-1&0m" << -600.0;
        QTest::newRow("literal ampersand kept") << "1&&0s" << 60.0;
    }

    void nudgeAmountFromTitle()
    {
        QFETCH(QString, title);
        QFETCH(double, seconds);
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

        ui().pauseOrContinueAction->trigger();
        QVERIFY(timer().isRunning());
        ui().pauseOrContinueAction->trigger();
        QVERIFY(timer().isPaused());
        ui().continueAction->trigger();
        ui().continueAction->trigger();
        QVERIFY(timer().isRunning());
        ui().pauseAction->trigger();
        QVERIFY(timer().isPaused());
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
        _app->delegate.setMarquisView(nullptr);
        _app->delegate.setMarquisText("Nobody shows this");
        QCOMPARE(ui().countdownView->text(), "9:59");
        QCOMPARE(banner->text(), PreferenceController::preferenceMarquisText());
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

    void damagedSettingsStartWithTheDefaults_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("savable");
        QTest::newRow("garbage") << Damage([](TemporaryStore &store) {
            store.writeFile(
                QByteArray("\x7f\x45\x4c\x46\x02\x01\x01\x00\xff\xfe[[=\n\x00\x01", 17));
        }) << true;
        QTest::newRow("wrong types") << Damage([](TemporaryStore &store) {
            store.writeFile(
                "[General]\ndefaults.springMinutes=ten\ndefaults.fallMinutes=@Invalid()\n"
                "defaults.useOrderWriting=maybe\ndefaults.marquisText=@Variant(\\0)\n");
        }) << true;
        QTest::newRow("unreadable") << Damage(&TemporaryStore::makeUnreadable) << false;
        QTest::newRow("unwritable folder")
            << Damage(&TemporaryStore::makeFolderUnwritable) << false;
    }

    void damagedSettingsStartWithTheDefaults()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, savable);
        _app.reset();
        _app = std::make_unique<AppUnderTest>(damage);
        QCOMPARE(ui().countdownView->text(), "10:00");
        QCOMPARE(
            ui().marquisView->text(), "$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $");
        _app->delegate.continueTimer();
        tick(1);
        QCOMPARE(ui().countdownView->text(), "9:59");

        _app->appController.showPreferencePanel();
        QLineEdit *spring = _app->appController.preferenceController()->springMinutesTextField();
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

    void cuesOfAnnouncedSeconds()
    {
        CuePlayer player;
        for (const char *seconds : {"10", "11", "-3", "60", "soon"})
            Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, SECONDS_KEY, seconds);
        player.play(3);
        player.play(3);
        QCOMPARE(player.started,
            QStringList({":/sounds/10s.wav", ":/sounds/60s.wav", ":/sounds/0s.wav",
                ":/sounds/3s.wav", ":/sounds/3s.wav"}));
    }

    void faultyCuesFallSilentAndAreFreed()
    {
        QFile cue(":/sounds/0s.wav");
        QVERIFY(cue.open(QIODevice::ReadOnly));
        const QByteArray whole = cue.readAll();
        QTemporaryDir dir;
        const QList<QPair<QString, QByteArray>> damaged{{"cut short", whole.left(whole.size() / 2)},
            {"garbage", "RIFF\x10\x00\x00\x00WAVEfmt garbage that is no sound"},
            {"no format", whole.left(12) + whole.mid(whole.indexOf("data"))}, {"empty", ""}};
        CuePlayer player;
        player.record = false;
        for (const auto &[name, bytes] : damaged) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            player.startSound(file.fileName());
        }
        player.startSound(dir.filePath("missing"));
        QCOMPARE(player.findChildren<QObject *>().size(), 0);
        // Every shipped cue is whole, and freed once played (or, with no audio output, loaded).
        const QList<int> cues{60, 30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
        for (int seconds : cues)
            player.play(seconds);
        QCOMPARE(player.findChildren<QObject *>(Qt::FindDirectChildrenOnly).size(), cues.size());
        QTRY_COMPARE(player.findChildren<QObject *>(Qt::FindDirectChildrenOnly).size(), 0);
    }

    void fullScreenRoundTripKeepsGeometryViewsAndClock()
    {
        _app->window.setGeometry(120, 90, 640, 360);
        _app->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&_app->window));
        QWidget *display = _app->window.centralWidget();
        _app->delegate.continueTimer();
        _app->delegate.toggleFullScreen();
        FullScreenWindow *fullScreen = _app->delegate.fullScreenWindow();
        QCOMPARE(display->window(), fullScreen);
        _app->delegate.turnOnFullScreen();
        QCOMPARE(_app->delegate.fullScreenWindow(), fullScreen);
        tick(2);
        QCOMPARE(ui().countdownView->text(), "9:58");

        _app->delegate.toggleFullScreen();
        QVERIFY(!_app->delegate.fullScreenWindow());
        QCOMPARE(_app->window.geometry(), QRect(120, 90, 640, 360));
        QCOMPARE(_app->window.centralWidget(), display);
        QCOMPARE(ui().countdownView->parentWidget(), display);
        QCOMPARE(ui().countdownView->text(), "9:58");
        QVERIFY(timer().isRunning());

        _app->window.setGeometry(200, 150, 500, 300);
        _app->delegate.toggleFullScreen();
        _app->delegate.toggleFullScreen();
        QCOMPARE(_app->window.geometry(), QRect(200, 150, 500, 300));
    }

    void fullScreenCoversTheMainWindowsScreen()
    {
        QScreen *second = QGuiApplication::screens().at(1);
        _app->window.move(second->geometry().topLeft() + QPoint(50, 50));
        _app->window.setScreen(second);
        _app->window.show();
        _app->delegate.toggleFullScreen();
        QCOMPARE(_app->delegate.fullScreenWindow()->screen(), second);
        QCOMPARE(_app->delegate.fullScreenWindow()->geometry(), second->geometry());
    }

    void shortcutsAndEscapeWorkInFullScreen()
    {
        _app->window.show();
        _app->delegate.toggleFullScreen();
        FullScreenWindow *fullScreen = _app->delegate.fullScreenWindow();
        QVERIFY(QTest::qWaitForWindowActive(fullScreen));
        QTest::keyClick(fullScreen, Qt::Key_Up);
        QCOMPARE(timer().secondsLeft(), 660.0);
        QTest::keyClick(fullScreen, Qt::Key_C);
        QVERIFY(timer().isRunning());
        QTest::keyClick(fullScreen, Qt::Key_Escape);
        QVERIFY(!_app->delegate.fullScreenWindow());
        QCOMPARE(ui().countdownView->window(), &_app->window);
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
