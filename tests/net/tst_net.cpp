#include "CountdownTimer.h"
#include "PinGuard.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"
#include "ViewerClient.h"
#include "ViewerServer.h"
#include "ViewerService.h"
#include "ViewerState.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

// The viewer server on loopback, with real WebSocket viewers, under a clock the test moves.
class TestNet : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _store = std::make_unique<TemporaryStore>();
        _timer = std::make_unique<CountdownTimer>(10, [this] { return _now; });
        _state = std::make_unique<ViewerState>([this] { return _wall; });
        _state->setClock(_timer->secondsLeft(), _timer->displayTime(), _timer->isRunning());
        _state->setPhase(QStringLiteral("Spring 1901"));
        _server = std::make_unique<ViewerServer>(*_state, [this] { return _monotonicMs; });
        _commands = std::make_unique<QSignalSpy>(_server.get(), &ViewerServer::commandReceived);
        QVERIFY(_server->listen(QHostAddress::LocalHost, 0));
    }
    void cleanup()
    {
        _commands.reset();
        _server.reset();
        _state.reset();
        _timer.reset();
        _store.reset();
    }

    void viewersGetTheWholeStateThenEveryChangeInOrder()
    {
        ViewerClient viewer(_server->port());
        QVERIFY(viewer.waitFor(1));
        const QJsonObject first = viewer.messages.first();
        QCOMPARE(first.value("type").toString(), "state");
        QCOMPARE(first.value("time").toString(), "10:00");
        QCOMPARE(first.value("phase").toString(), "Spring 1901");
        QCOMPARE(first.value("running").toBool(), false);
        QCOMPARE(first.value("banner").toString(), PreferenceController::preferenceMarquisText());

        _timer->restart();
        for (int i = 0; i < 99; ++i)
            tick(0.1); // 10:00 down to 9:50.1, one change a second
        _timer->nextPhase();
        QVERIFY(PreferenceController::setPreferenceMarquisText(QStringLiteral("Round 2")));
        QVERIFY(viewer.waitFor(15));

        QStringList times;
        for (int i = 1; i < viewer.messages.size(); ++i) {
            const QJsonObject &change = viewer.messages.at(i);
            QCOMPARE(change.value("type").toString(), "change");
            QCOMPARE(change.value("seq").toInteger(),
                viewer.messages.at(i - 1).value("seq").toInteger() + 1);
            if (change.contains("time"))
                times.append(change.value("time").toString());
        }
        QCOMPARE(times,
            QStringList({"9:59", "9:58", "9:57", "9:56", "9:55", "9:54", "9:53", "9:52", "9:51",
                "9:50", "0:00.0", "10:00"}));
        QCOMPARE(viewer.messages.at(1).value("running").toBool(), true);
        // Each time comes with the time left and the moment it was read, to count on from.
        const QJsonObject nineFiftyFive = viewer.messages.at(6);
        QCOMPARE(nineFiftyFive.value("time").toString(), "9:55");
        const double sinceStart = (nineFiftyFive.value("at").toDouble() - 1'800'000'000'000) / 1000;
        QVERIFY(qAbs(nineFiftyFive.value("seconds").toDouble() - (600 - sinceStart)) < 1e-3);

        // A latecomer gets all of it at once.
        ViewerClient latecomer(_server->port());
        QVERIFY(latecomer.waitFor(1));
        const QJsonObject now = latecomer.messages.first();
        QCOMPARE(now.value("phase").toString(), "Fall 1901");
        QCOMPARE(now.value("banner").toString(), "Round 2");
        QCOMPARE(now.value("running").toBool(), true); // the next phase runs on
    }

    void remoteCommandsNeedTheRightPinEveryTime()
    {
        ViewerClient viewer(_server->port());
        QVERIFY(viewer.waitFor(1));
        QCOMPARE(viewer.messages.first().value("control").toBool(), false);
        QCOMPARE(command(viewer, "continue", "").value("error").toString(),
            "This clock takes no remote commands");

        _server->setPin(QStringLiteral("2468"));
        QVERIFY(viewer.waitFor(3));
        QCOMPARE(viewer.messages.last().value("control").toBool(), true);
        QCOMPARE(viewer.ask({{"type", "pin"}, {"pin", "2468"}}).value("ok").toBool(), true);
        QCOMPARE(command(viewer, "continue", "2469").value("error").toString(), "Wrong PIN");
        QCOMPARE(command(viewer, "continue", "").value("error").toString(), "Wrong PIN");
        for (const QString &name : ViewerServer::commands())
            QCOMPARE(command(viewer, name, "2468").value("type").toString(), "done");
        QCOMPARE(commandNames(), ViewerServer::commands());

        // Five wrong in a row lock the address out for a minute, the right PIN included.
        for (int i = 0; i < PinGuard::maxWrongPins; ++i)
            QCOMPARE(command(viewer, "pause", "0000").value("error").toString(), "Wrong PIN");
        QCOMPARE(command(viewer, "pause", "2468").value("error").toString(),
            "Too many wrong PINs; try again in 60 s");
        _monotonicMs += PinGuard::lockoutMilliseconds - 1;
        QCOMPARE(viewer.ask({{"type", "pin"}, {"pin", "2468"}}).value("ok").toBool(), false);
        _monotonicMs += 1;
        QCOMPARE(command(viewer, "pause", "2468").value("type").toString(), "done");
        QCOMPARE(_commands->count(), ViewerServer::commands().size() + 1);
    }

    void aLockoutIsPerAddress()
    {
        PinGuard guard([this] { return _monotonicMs; });
        guard.setPin(QStringLiteral("1234"));
        for (int i = 0; i < PinGuard::maxWrongPins; ++i)
            QCOMPARE(guard.check("10.0.0.1", "9999"), PinGuard::Verdict::Wrong);
        QCOMPARE(guard.check("10.0.0.1", "1234"), PinGuard::Verdict::LockedOut);
        QCOMPARE(guard.check("10.0.0.2", "1234"), PinGuard::Verdict::Accepted);
        // Four wrong then a right one start the count again.
        for (int i = 0; i < PinGuard::maxWrongPins - 1; ++i)
            guard.check("10.0.0.3", "9999");
        QCOMPARE(guard.check("10.0.0.3", "1234"), PinGuard::Verdict::Accepted);
        QCOMPARE(guard.check("10.0.0.3", "9999"), PinGuard::Verdict::Wrong);
        QCOMPARE(guard.check("10.0.0.3", "1234"), PinGuard::Verdict::Accepted);
    }

    void badInputIsRefusedAndTheClockGoesOn()
    {
        _server->setPin(QStringLiteral("2468"));
        ViewerClient viewer(_server->port());
        QVERIFY(viewer.waitFor(1));
        const QStringList refusals = {"{", "[1]", "\"pause\"", "{\"type\":\"format\"}",
            "{\"type\":\"command\",\"command\":\"quit\",\"pin\":\"2468\"}",
            "{\"type\":\"command\",\"command\":[\"pause\"],\"pin\":\"2468\"}"};
        for (const QString &text : refusals) {
            const int before = viewer.messages.size();
            viewer.socket.sendTextMessage(text);
            QVERIFY2(viewer.waitFor(before + 1), qPrintable(text));
            QCOMPARE(viewer.messages.last().value("type").toString(), "error");
        }
        viewer.socket.sendBinaryMessage("{\"type\":\"ping\"}");
        QVERIFY(viewer.waitFor(refusals.size() + 2));
        QCOMPARE(viewer.messages.last().value("type").toString(), "error");

        // Too long a message closes that viewer only.
        QSignalSpy closed(&viewer.socket, &QWebSocket::disconnected);
        viewer.socket.sendTextMessage(QString(ViewerServer::maxMessageBytes + 1, u'x'));
        QVERIFY(closed.wait(5000));
        QCOMPARE(viewer.socket.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        QCOMPARE(rawTextFrameAnswer(QByteArray("\xc3\x28", 2)), QByteArray("\x88"));

        QCOMPARE(_commands->count(), 0);
        QCOMPARE(_timer->displayTime(), "10:00");
        QVERIFY(_timer->isPaused());
        ViewerClient next(_server->port());
        QVERIFY(next.waitFor(1));
        QCOMPARE(next.ask({{"type", "ping"}, {"t", 5}}).value("server").toInteger(), _wall);
    }

    void onlyThePageIsServed()
    {
        QCOMPARE(httpStatus("/"), 200);
        for (const char *path : {"/viewer.html", "/net/viewer.html", "/../../etc/passwd",
                 "/%2e%2e/%2e%2e/etc/passwd", "/:/net/viewer.html", "//etc/passwd"})
            QCOMPARE(httpStatus(path), 404);
    }

    void fiveHundredViewersGetEveryChangeAndTheNextIsRefused()
    {
        // Each viewer takes a descriptor at both ends.
        rlimit files = {};
        getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = std::max<rlim_t>(files.rlim_cur, std::min<rlim_t>(files.rlim_max, 4096));
        setrlimit(RLIMIT_NOFILE, &files);

        std::vector<std::unique_ptr<ViewerClient>> viewers;
        for (int i = 0; i < ViewerServer::maxViewers; ++i)
            viewers.push_back(std::make_unique<ViewerClient>(_server->port()));
        QVERIFY(QTest::qWaitFor(
            [&] { return _server->viewerCount() == ViewerServer::maxViewers; }, 60'000));
        ViewerClient refused(_server->port());
        QVERIFY(refused.waitFor(1));
        QCOMPARE(refused.messages.first().value("type").toString(), "refused");
        QCOMPARE(refused.messages.first().value("error").toString(),
            "This clock already has 500 viewers; try again later");

        _timer->restart();
        for (int i = 0; i < 30; ++i)
            tick(0.1);
        for (const auto &viewer : viewers) {
            QVERIFY(viewer->waitFor(5, 20'000));
            QCOMPARE(viewer->messages.at(4).value("time").toString(), "9:57");
        }
        QCOMPARE(refused.messages.size(), 1);
    }

    void theServiceFollowsThePreferencesAndReportsABusyPort()
    {
        QTcpServer busy;
        QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
        PreferenceController::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        PreferenceController::setIntPreference(CVLViewerPortKey, busy.serverPort());
        PreferenceController::setTextPreference(CVLViewerPinKey, QStringLiteral("12ab"));
        ViewerService service(*_state, [this] { return _monotonicMs; });
        service.applyPreferences();
        QCOMPARE(service.status(), "Viewers are off.");

        PreferenceController::setIntPreference(CVLViewerEnabledKey, 1);
        QVERIFY(service.status().startsWith(
            QStringLiteral("Viewers are off: Port %1 cannot be used").arg(busy.serverPort())));
        QVERIFY(service.address().isEmpty());

        const quint16 port = busy.serverPort();
        busy.close();
        PreferenceController::setIntPreference(CVLViewerPortKey, port + 0); // same port, now free
        PreferenceController::setIntPreference(CVLViewerEnabledKey, 0);
        PreferenceController::setIntPreference(CVLViewerEnabledKey, 1);
        QCOMPARE(service.address(), QStringLiteral("http://127.0.0.1:%1/").arg(port));
        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        // A PIN that is not 4 to 8 digits guards nothing: no commands at all.
        QCOMPARE(viewer.messages.first().value("control").toBool(), false);
        PreferenceController::setTextPreference(CVLViewerPinKey, QStringLiteral("8642"));
        QCOMPARE(command(viewer, "pause", "8642").value("type").toString(), "done");
    }

    void aFileWithAPinIsForItsOwnerOnly()
    {
        QFile file(_store->path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nviewer.pin=1357\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
            QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QCOMPARE(PreferenceController::textPreference(CVLViewerPinKey), "1357");
        QCOMPARE(mode(), 0600);
        QVERIFY(PreferenceController::setPreferenceSpringMinutes(12));
        QCOMPARE(mode(), 0600);
    }

private:
    void tick(double seconds)
    {
        _now += seconds;
        _wall += std::llround(seconds * 1000);
        _timer->doUpdate();
    }

    static QJsonObject command(ViewerClient &viewer, const QString &name, const QString &pin)
    {
        return viewer.ask({{"type", "command"}, {"command", name}, {"pin", pin}});
    }

    QStringList commandNames() const
    {
        QStringList names;
        for (const QList<QVariant> &call : *_commands)
            names.append(call.first().toString());
        return names;
    }

    int mode() const
    {
        struct stat status = {};
        ::stat(QFile::encodeName(_store->path()).constData(), &status);
        return status.st_mode & 0777;
    }

    // The first byte of the server's answer to a masked text frame holding `payload`.
    QByteArray rawTextFrameAnswer(const QByteArray &payload)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, _server->port());
        if (!socket.waitForConnected(5000))
            return "not connected";
        socket.write("GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                     "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                     "Sec-WebSocket-Version: 13\r\n\r\n");
        QByteArray answer;
        // Past the handshake and the whole state the server sends first.
        if (!QTest::qWaitFor(
                [&] { return (answer += socket.readAll()).contains("\r\n\r\n"); }, 5000) ||
            !QTest::qWaitFor(
                [&] { return (answer += socket.readAll()).contains("\"type\":\"state\""); }, 5000))
            return "no handshake";
        QByteArray frame("\x81", 1);
        frame.append(char(0x80 | payload.size())).append(4, '\0').append(payload);
        socket.write(frame);
        QByteArray reply;
        if (!QTest::qWaitFor([&] { return !(reply += socket.readAll()).isEmpty(); }, 5000))
            return "no answer";
        return reply.left(1);
    }

    int httpStatus(const QByteArray &path)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, _server->port());
        if (!socket.waitForConnected(5000))
            return 0;
        socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
        QByteArray reply;
        if (!QTest::qWaitFor([&] { return (reply += socket.readAll()).contains("\r\n"); }, 5000))
            return 0;
        return reply.split(' ').value(1).toInt();
    }

    std::unique_ptr<TemporaryStore> _store;
    std::unique_ptr<CountdownTimer> _timer;
    std::unique_ptr<ViewerState> _state;
    std::unique_ptr<ViewerServer> _server;
    std::unique_ptr<QSignalSpy> _commands;
    double _now = 0;
    qint64 _wall = 1'800'000'000'000;
    qint64 _monotonicMs = 0;
};

QTEST_GUILESS_MAIN(TestNet)
#include "tst_net.moc"
