#include "AppUnderTest.h"
#include "AudioOutput.h"
#include "CueDecoder.h"
#include "CueMixer.h"
#include "FullScreenWindow.h"
#include "GameStateFile.h"
#include "NotificationNames.h"
#include "PinGuard.h"
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

    void everyCommandReachesTheViewsTheViewersAndTheStateFile()
    {
        // Each step is a key on whichever window shows the clock, a remote command, or a
        // field of the preferences window; then the clock, its views, a viewer and the state
        // file must all hold the same game, and the zero cue must have sounded as often as
        // said.
        const quint16 port = ViewerClient::freePort();
        PreferenceController::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        PreferenceController::setIntPreference(CVLViewerPortKey, port);
        PreferenceController::setTextPreference(CVLViewerPinKey, QStringLiteral("2468"));
        PreferenceController::setIntPreference(CVLViewerEnabledKey, 1);
        _app->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&_app->window));
        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        struct Step
        {
            std::function<void()> act;
            QString clock; // the clock's description afterwards
            int zeroCues = 0;
        };
        const auto key = [this](
                             QKeyCombination keys) { return [this, keys] { pressOnClock(keys); }; };
        const auto remote = [&viewer](const char *command) {
            return [&viewer, command] {
                // Spaced as a referee's thumb would be: more are refused as too fast.
                QTest::qWait(1000 / PinGuard::maxCommandsPerSecond + 10);
                const QJsonObject answer =
                    viewer.ask({{"type", "command"}, {"command", command}, {"pin", "2468"}});
                QCOMPARE(answer.value("type").toString(), "done");
            };
        };
        const auto field = [this](const char *name, const QString &text) {
            return [this, name, text] { editPreference(name, text); };
        };
        const auto newGame = [this](Qt::Key answer) {
            return [this, answer] {
                // Answered once the box is up, however long it takes to come.
                QTimer answerer;
                connect(&answerer, &QTimer::timeout, this, [&answerer, answer] {
                    if (QWidget *box = QApplication::activeModalWidget()) {
                        answerer.stop();
                        QTest::keyClick(box, answer);
                    }
                });
                answerer.start(10);
                pressOnClock(Qt::ControlModifier | Qt::Key_N);
            };
        };
        const QList<Step> steps{{key(Qt::Key_C), "Spring 1901--> 10:00"},
            {remote("pause"), "PAUSED Spring 1901--> 10:00"},
            {key(Qt::Key_Right), "PAUSED Spring 1901--> 10:10"},
            {key(Qt::ShiftModifier | Qt::Key_Left), "PAUSED Spring 1901--> 9:40"},
            {key(Qt::Key_Up), "PAUSED Spring 1901--> 10:40"},
            {key(Qt::ShiftModifier | Qt::Key_Down), "PAUSED Spring 1901--> 0:40.0"},
            {key(Qt::ShiftModifier | Qt::Key_Right), "PAUSED Spring 1901--> 1:10"},
            {key(Qt::Key_Left), "PAUSED Spring 1901--> 1:00"},
            {key(Qt::Key_Down), "PAUSED Spring 1901--> 0:00.0", 1},
            {key(Qt::ShiftModifier | Qt::Key_Up), "PAUSED Spring 1901--> 10:00"},
            {key(Qt::Key_B), "PAUSED Spring 1901--> 10:00", 1},
            {key(Qt::Key_F11), "PAUSED Spring 1901--> 10:00"},
            {remote("continue"), "Spring 1901--> 10:00"},
            {remote("plus1m"), "Spring 1901--> 11:00"},
            {remote("minus10s"), "Spring 1901--> 10:50"},
            {key(Qt::Key_Space), "PAUSED Spring 1901--> 10:50"},
            {remote("plus10s"), "PAUSED Spring 1901--> 11:00"},
            {remote("minus1m"), "PAUSED Spring 1901--> 10:00"},
            {key(Qt::Key_Space), "Spring 1901--> 10:00"},
            {key(Qt::ControlModifier | Qt::Key_Right), "Fall 1901--> 10:00", 1},
            {remote("nextPhase"), "Spring 1902--> 10:00", 1},
            {key(Qt::Key_Escape), "Spring 1902--> 10:00"},
            {key(Qt::Key_P), "PAUSED Spring 1902--> 10:00"},
            {key(Qt::ControlModifier | Qt::Key_Left), "PAUSED Fall 1901--> 10:00"},
            // A length set before a phase is continued or nudged applies to it at once.
            {field("fallMinutesTextField", "7"), "PAUSED Fall 1901--> 7:00"},
            {field("springMinutesTextField", "3"), "PAUSED Fall 1901--> 7:00"},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Spring 1902--> 3:00", 1},
            {field("orderWritingMinutesTextField", "2"), "PAUSED Spring 1902--> 3:00"},
            {field("orderWritingCheckBox", QString()), "PAUSED Spring 1902--> 3:00"},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Spring (Orders) 1902--> 2:00", 1},
            {newGame(Qt::Key_Escape), "PAUSED Spring (Orders) 1902--> 2:00"},
            {newGame(Qt::Key_Return), "PAUSED Spring 1901--> 3:00"},
            {field("lastYearTextField", "1901"), "PAUSED Spring 1901--> 3:00"},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Spring (Orders) 1901--> 2:00", 1},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Fall 1901--> 7:00", 1},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Fall (Orders) 1901--> 2:00", 1},
            {key(Qt::ControlModifier | Qt::Key_Right), "PAUSED Fall (Orders) 1901--> 0:00.0", 1},
            {key(Qt::Key_C), "PAUSED Fall (Orders) 1901--> 0:00.0"}};
        for (const Step &step : steps) {
            QSignalSpy cues(&_app->delegate.soundPlayer(), &SoundPlayer::cueStarted);
            step.act();
            expectAllAgree(step.clock, viewer);
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(step.clock));
            QCOMPARE(std::count_if(cues.begin(), cues.end(),
                         [](const QList<QVariant> &cue) { return cue.first().toInt() == 0; }),
                step.zeroCues);
        }
        QVERIFY(timer().hasEnded());
        QCOMPARE(ui().phaseView->text(), "End of game 1901");
    }

    void theViewerIsSetUpInThePreferences()
    {
        _app->window.show();
        PreferenceController::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        _app->appController.showPreferencePanel(&_app->window);
        PreferenceController &prefs = *_app->appController.preferenceController();
        QCOMPARE(prefs.viewerStatusLabel()->text(), "Viewers are off.");
        const quint16 port = ViewerClient::freePort();
        edit(prefs.viewerPortTextField(), QString::number(port));
        edit(prefs.viewerPinTextField(), "2468");
        clickBox(prefs.viewerCheckBox());
        QTRY_COMPARE(prefs.viewerStatusLabel()->text(),
            QStringLiteral("Players open http://127.0.0.1:%1/ (viewers now: 0)").arg(port));

        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        QTRY_COMPARE(prefs.viewerStatusLabel()->text(),
            QStringLiteral("Players open http://127.0.0.1:%1/ (viewers now: 1)").arg(port));
        QSignalSpy closed(&viewer, &ViewerClient::closed);
        clickBox(prefs.viewerCheckBox());
        QCOMPARE(prefs.viewerStatusLabel()->text(), "Viewers are off.");
        QVERIFY(closed.wait(5000));
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
    void pressOnClock(QKeyCombination keys)
    {
        QWidget *clock = _app->delegate.clockWindow();
        clock->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(clock));
        QTest::keyClick(clock, keys.key(), keys.keyboardModifiers());
    }
    // Opens the preferences as the operator does, sets one field (a check box is clicked)
    // and closes them again.
    void editPreference(const char *name, const QString &text)
    {
        pressOnClock(Qt::ControlModifier | Qt::Key_Comma);
        QWidget *window = nullptr;
        QVERIFY(QTest::qWaitFor([&] {
            window = QApplication::activeWindow();
            return window && window != _app->delegate.clockWindow();
        }));
        if (auto *box = window->findChild<QCheckBox *>(name))
            clickBox(box);
        else
            edit(window->findChild<QLineEdit *>(name), text);
        QTest::keyClick(window, Qt::Key_Escape);
    }
    void expectAllAgree(const QString &clock, const ViewerClient &viewer)
    {
        QCOMPARE(timer().description(), clock);
        QCOMPARE(ui().countdownView->text(), timer().displayTime());
        QVERIFY(clock.contains(ui().phaseView->text()) || timer().hasEnded());
        QJsonObject seen;
        const auto viewerAgrees = [&] {
            for (const QJsonObject &message : viewer.messages) {
                for (auto field = message.constBegin(); field != message.constEnd(); ++field)
                    seen.insert(field.key(), field.value());
            }
            return seen["time"] == timer().displayTime() &&
                seen["phase"] == ui().phaseView->text() && seen["running"] == timer().isRunning() &&
                seen["seconds"] == timer().secondsLeft();
        };
        QVERIFY2(QTest::qWaitFor(viewerAgrees, 5000), QJsonDocument(seen).toJson());
        QFile file(GameStateFile::besidePreferences());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject saved = QJsonDocument::fromJson(file.readAll()).object();
        const Phase &phase = timer().phase();
        QCOMPARE(saved["season"].toString() + ' ' + QString::number(saved["year"].toInt()),
            phase.season() + ' ' + QString::number(phase.year()));
        QCOMPARE(saved["orders"].toBool(), phase.isInOrderWriting());
        QCOMPARE(saved["secondsLeft"].toDouble(), timer().secondsLeft());
        QCOMPARE(saved["running"].toBool(), timer().isRunning());
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
