#include "AppUnderTest.h"
#include "AudioOutput.h"
#include "CueDecoder.h"
#include "CueMixer.h"
#include "FullScreenWindow.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "ScrollingView.h"
#include "SoundPlayer.h"
#include "Util.h"
#include "ViewerClient.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
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

    void everyShortcutInEveryState()
    {
        // What each key does to the time left and to running, from each state the clock can
        // be in; keys go to whichever window shows the clock.
        struct Key
        {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            double nudge;
            int running; // after the key: 1 running, 0 paused, -1 as before
        };
        const QList<Key> keys{{Qt::Key_P, {}, 0, 0}, {Qt::Key_C, {}, 0, 1},
            {Qt::Key_Right, {}, 10, -1}, {Qt::Key_Left, {}, -10, -1},
            {Qt::Key_Right, Qt::ShiftModifier, 30, -1}, {Qt::Key_Left, Qt::ShiftModifier, -30, -1},
            {Qt::Key_Up, {}, 60, -1}, {Qt::Key_Down, {}, -60, -1},
            {Qt::Key_Up, Qt::ShiftModifier, 600, -1}, {Qt::Key_Down, Qt::ShiftModifier, -600, -1},
            {Qt::Key_B, {}, 0, -1}};
        const QList<std::function<void()>> states{[] {}, [this] { continueFor(3); },
            [this] { _app->delegate.nudgeTimer(ui().minus10mAction); },
            [this] {
                continueFor(2);
                QTest::keyClick(&_app->window, Qt::Key_F11);
            }};
        for (const auto &enter : states) {
            for (const Key &key : keys) {
                _app = std::make_unique<AppUnderTest>();
                _app->window.show();
                QVERIFY(QTest::qWaitForWindowActive(&_app->window));
                enter();
                QWidget *clock = _app->delegate.clockWindow();
                QVERIFY(QTest::qWaitForWindowActive(clock));
                const bool wasRunning = timer().isRunning();
                const double before = timer().secondsLeft();
                QSignalSpy cues(&_app->delegate.soundPlayer(), &SoundPlayer::cueStarted);
                QTest::keyClick(clock, key.key, key.modifiers);
                QCOMPARE(timer().secondsLeft() - before, key.nudge);
                QCOMPARE(timer().isRunning(), key.running < 0 ? wasRunning : key.running == 1);
                const auto zeroCues = std::count_if(cues.begin(), cues.end(),
                    [](const QList<QVariant> &cue) { return cue.first().toInt() == 0; });
                // B plays the zero cue; so does a nudge that lands on zero.
                const bool landedOnZero = key.nudge != 0 && timer().secondsLeft() == 0;
                QVERIFY2(zeroCues == (key.key == Qt::Key_B || landedOnZero ? 1 : 0),
                    qPrintable(QKeySequence(key.key | key.modifiers).toString()));
            }
        }
        // Space pauses a running clock and continues a paused one.
        QTest::keyClick(&_app->window, Qt::Key_Space);
        QVERIFY(timer().isPaused());
        QTest::keyClick(_app->delegate.clockWindow(), Qt::Key_Space);
        QVERIFY(timer().isRunning());
    }

    void preferencesEditedInTheWindowRunTheClock()
    {
        _app->window.show();
        _app->appController.showPreferencePanel(&_app->window);
        PreferenceController &prefs = *_app->appController.preferenceController();
        edit(prefs.springMinutesTextField(), "3");
        edit(prefs.fallMinutesTextField(), "2");
        edit(prefs.orderWritingMinutesTextField(), "1");
        edit(prefs.marquisTextField(), "Finals at three");
        QTest::mouseClick(prefs.orderWritingCheckBox(), Qt::LeftButton);
        // A length set before the first Continue applies to the phase on screen.
        QCOMPARE(ui().countdownView->text(), "3:00");
        QStringList phases;
        connect(&timer(), &CountdownTimer::phaseChanged, this, [&] {
            phases << QStringLiteral("%1 %2")
                          .arg(timer().phase().description())
                          .arg(timer().secondsLeft());
        });
        _app->delegate.continueTimer();
        for (int tenths = 0; tenths < 10 * 60 * 7 + 20; ++tenths)
            tick(0.1);
        QCOMPARE(phases,
            QStringList({"Spring (Orders) 1901 60", "Fall 1901 120", "Fall (Orders) 1901 60",
                "Spring 1902 180"}));
        ScrollingView *banner = ui().marquisView;
        banner->resize(600, 40);
        banner->resetPointToRight();
        QCOMPARE(banner->text(), "Finals at three");
    }

    void theViewerIsSetUpInThePreferencesAndTakesRemoteCommands()
    {
        _app->window.show();
        PreferenceController::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        _app->appController.showPreferencePanel(&_app->window);
        PreferenceController &prefs = *_app->appController.preferenceController();
        QCOMPARE(prefs.viewerStatusLabel()->text(), "Viewers are off.");
        edit(prefs.viewerPortTextField(), "70000");
        edit(prefs.viewerPinTextField(), "12a");
        QCOMPARE(PreferenceController::intPreference(CVLViewerPortKey), 8080);
        QCOMPARE(PreferenceController::textPreference(CVLViewerPinKey), "");
        const quint16 port = ViewerClient::freePort();
        edit(prefs.viewerPortTextField(), QString::number(port));
        edit(prefs.viewerPinTextField(), "2468");
        clickBox(prefs.viewerCheckBox());
        QCOMPARE(prefs.viewerStatusLabel()->text(),
            QStringLiteral("Players open http://127.0.0.1:%1/ (viewers now: 0)").arg(port));

        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        QCOMPARE(prefs.viewerStatusLabel()->text(),
            QStringLiteral("Players open http://127.0.0.1:%1/ (viewers now: 1)").arg(port));
        QCOMPARE(viewer.messages.first().value("time").toString(), "10:00");
        const auto command = [&](const char *name) {
            return viewer.ask({{"type", "command"}, {"command", name}, {"pin", "2468"}})
                .value("type")
                .toString();
        };
        QCOMPARE(command("continue"), "done");
        QVERIFY(timer().isRunning());
        QCOMPARE(command("plus1m"), "done");
        QCOMPARE(command("pause"), "done");
        QVERIFY(timer().isPaused());
        QCOMPARE(ui().countdownView->text(), "11:00");
        QCOMPARE(command("nextPhase"), "done");
        QCOMPARE(ui().phaseView->text(), "Fall 1901");

        QSignalSpy closed(&viewer.socket, &QWebSocket::disconnected);
        clickBox(prefs.viewerCheckBox());
        QCOMPARE(prefs.viewerStatusLabel()->text(), "Viewers are off.");
        QVERIFY(closed.wait(5000));
    }

    void newGameAsksFirst()
    {
        _app->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&_app->window));
        QTest::keyClick(&_app->window, Qt::Key_Right, Qt::ControlModifier);
        for (const auto &[answer, phase] : QList<QPair<Qt::Key, QString>>{
                 {Qt::Key_Escape, "Fall 1901"}, {Qt::Key_Return, "Spring 1901"}}) {
            _app->window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&_app->window));
            QTimer::singleShot(0, this, [answer = answer] {
                if (QWidget *box = QApplication::activeModalWidget())
                    QTest::keyClick(box, answer);
            });
            QTest::keyClick(&_app->window, Qt::Key_N, Qt::ControlModifier);
            QCOMPARE(timer().phase().description(), phase);
        }
    }

    void aResumedGameSaysHowLongTheClockWasDown()
    {
        const qint64 savedAt = QDateTime::currentMSecsSinceEpoch() - 95'000;
        _app = std::make_unique<AppUnderTest>([savedAt](TemporaryStore &store) {
            QFile file(QFileInfo(store.path()).dir().filePath("MervaneTimer.state"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral(R"({"season":"Fall","year":1903,"orders":false,)"
                                      R"("secondsLeft":500,"running":true,"savedAt":%1})")
                           .arg(savedAt)
                           .toUtf8());
        });
        _app->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&_app->window));
        QVERIFY(ui().phaseView->text().startsWith("Fall 1903 - resumed, clock was down 0:01:3"));
        QCOMPARE(ui().countdownView->text().left(3), "6:4");
        QTest::keyClick(&_app->window, Qt::Key_C);
        QCOMPARE(ui().phaseView->text(), "Fall 1903");
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

    void cuesAreWholeFilesDecodedOnceAndMixedWithoutWrapping()
    {
        SoundPlayer &player = _app->delegate.soundPlayer();
        QList<int> playable = player.playableCues();
        std::sort(playable.begin(), playable.end());
        QCOMPARE(playable, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30, 60}));
        QCOMPARE(SoundPlayer::cuePath(10), ":/sounds/10s.wav");
        QSignalSpy started(&player, &SoundPlayer::cueStarted);
        for (const char *seconds : {"11", "-3", "10"})
            Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, SECONDS_KEY, seconds);
        QCOMPARE(started.count(), 1);

        QFile cue(":/sounds/0s.wav");
        QVERIFY(cue.open(QIODevice::ReadOnly));
        const QByteArray whole = cue.readAll();
        const CueDecoder::Format format = AudioOutput::format;
        for (const QByteArray &damaged : {whole.left(whole.size() / 2),
                 QByteArray("RIFF\x10\x00\x00\x00WAVEfmt garbage that is no sound"),
                 whole.left(12) + whole.mid(whole.indexOf("data")), QByteArray()})
            QVERIFY(!CueDecoder::decode(damaged, format));
        // 22 050 Hz mono becomes 48 kHz stereo of the same length.
        const CueDecoder::Samples samples = CueDecoder::decode(whole, format);
        QVERIFY(samples && qAbs(double(samples->size()) - 1.5 * 48000 * 2) < 8);

        // Two loud cues at once clip at full scale instead of wrapping round.
        const auto loud = std::make_shared<const std::vector<qint16>>(4, 30000);
        CueMixer mixer;
        mixer.start(loud);
        mixer.start(loud);
        std::vector<qint16> out(6, 1);
        mixer.mix(out.data(), 6, 100);
        QCOMPARE(out, std::vector<qint16>({32767, 32767, 32767, 32767, 0, 0}));
        QCOMPARE(mixer.voices(), 0);
        mixer.start(loud);
        mixer.mix(out.data(), 2, 50);
        QCOMPARE(out[0], qint16(15000));
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
    void continueFor(double seconds)
    {
        _app->delegate.continueTimer();
        tick(seconds);
    }
    // On the box itself: a check box wider than its label takes no click beside the label.
    static void clickBox(QWidget *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    }
    static void edit(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
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
