#include "CountdownTimer.h"
#include "GuestConnection.h"
#include "PinGuard.h"
#include "PreferenceStore.h"
#include "TemporaryStore.h"
#include "ViewerClient.h"
#include "ViewerServer.h"
#include "ViewerService.h"
#include "ViewerState.h"

#include <QWebSocket>
#include <QtTest>

#include <sys/stat.h>

// The viewer server on loopback, with real viewers, under a clock the test moves.
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
        QCOMPARE(first.value("banner").toString(), PreferenceStore::preferenceMarquisText());

        _timer->restart();
        for (int i = 0; i < 99; ++i)
            tick(0.1); // 10:00 down to 9:50.1, one change a second
        _timer->nextPhase();
        QVERIFY(PreferenceStore::setPreferenceMarquisText(QStringLiteral("Round 2")));
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

        // A latecomer gets all of it at once, here through another WebSocket implementation,
        // from the clock's own page (its Origin).
        QWebSocket latecomer(QStringLiteral("http://127.0.0.1:%1").arg(_server->port()));
        QSignalSpy received(&latecomer, &QWebSocket::textMessageReceived);
        latecomer.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(_server->port())));
        QVERIFY(received.wait(5000));
        const QJsonObject now =
            QJsonDocument::fromJson(received.at(0).at(0).toByteArray()).object();
        QCOMPARE(now.value("phase").toString(), "Fall 1901");
        QCOMPARE(now.value("banner").toString(), "Round 2");
        QCOMPARE(now.value("running").toBool(), true); // the next phase runs on
    }

    void remoteCommandsNeedTheRightPinEveryTimeAndComeAFewASecond()
    {
        ViewerClient viewer(_server->port());
        QVERIFY(viewer.waitFor(1));
        QCOMPARE(viewer.messages.first().value("control").toBool(), false);
        QCOMPARE(error(viewer, "continue", ""), "This clock takes no remote commands");

        _server->setPin(QStringLiteral("2468"));
        QVERIFY(viewer.waitFor(3));
        QCOMPARE(viewer.messages.last().value("control").toBool(), true);
        QCOMPARE(viewer.ask({{"type", "pin"}, {"pin", "2468"}}).value("ok").toBool(), true);
        QCOMPARE(error(viewer, "continue", "2469"), "Wrong PIN");
        QCOMPARE(error(viewer, "continue", ""), "Wrong PIN");
        for (const QString &name : ViewerServer::commands()) {
            _monotonicMs += 1000 / PinGuard::maxCommandsPerSecond;
            QCOMPARE(command(viewer, name, "2468").value("type").toString(), "done");
        }
        QCOMPARE(commandNames(), ViewerServer::commands());
        QCOMPARE(error(viewer, "pause", "2468"), "Too many commands; wait a moment");

        // Five wrong in a row lock the address out, the right PIN included.
        for (int i = 0; i < PinGuard::maxWrongPins; ++i)
            QCOMPARE(error(viewer, "pause", "0000"), "Wrong PIN");
        QCOMPARE(error(viewer, "pause", "2468"), "Too many wrong PINs; try again in 60 s");
        QCOMPARE(_commands->count(), ViewerServer::commands().size());
    }

    void theGuardLocksOutStopsEveryoneAndForgets()
    {
        PinGuard guard([this] { return _monotonicMs; });
        guard.setPin(QStringLiteral("1234"));
        for (int i = 0; i < PinGuard::maxWrongPins; ++i)
            QCOMPARE(guard.check("10.0.0.1", "9999"), PinGuard::Verdict::Wrong);
        QCOMPARE(guard.check("10.0.0.1", "1234"), PinGuard::Verdict::LockedOut);
        // Someone behind the same address who had the PIN before is not shut out.
        QCOMPARE(guard.check("10.0.0.1", "1234", true), PinGuard::Verdict::Accepted);
        QCOMPARE(guard.check("10.0.0.2", "1234"), PinGuard::Verdict::Accepted);
        // Four wrong then a right one start the count again.
        for (int i = 0; i < PinGuard::maxWrongPins - 1; ++i)
            guard.check("10.0.0.3", "9999");
        QCOMPARE(guard.check("10.0.0.3", "1234"), PinGuard::Verdict::Accepted);
        QCOMPARE(guard.check("10.0.0.3", "9999"), PinGuard::Verdict::Wrong);
        QCOMPARE(guard.recordCount(), 2);
        // A lockout ends after its minute, and its record goes with it.
        _monotonicMs += PinGuard::lockoutMilliseconds - 1;
        QCOMPARE(guard.check("10.0.0.1", "1234"), PinGuard::Verdict::LockedOut);
        _monotonicMs += 1;
        QCOMPARE(guard.check("10.0.0.1", "1234"), PinGuard::Verdict::Accepted);
        QCOMPARE(guard.recordCount(), 0);

        // Wrong PINs from everywhere together stop every command, the right PIN included,
        // until the referee starts them again. Ten wrong so far.
        for (int i = 2 * PinGuard::maxWrongPins + 1; i < PinGuard::maxWrongPinsEverywhere; ++i)
            QCOMPARE(
                guard.check(QStringLiteral("10.1.0.%1").arg(i), "9999"), PinGuard::Verdict::Wrong);
        QVERIFY(!guard.stopped());
        QCOMPARE(guard.check("10.2.0.1", "9999"), PinGuard::Verdict::Wrong);
        QVERIFY(guard.stopped());
        QCOMPARE(guard.check("10.2.0.2", "1234", true), PinGuard::Verdict::Stopped);
        guard.restart();
        QCOMPARE(guard.check("10.2.0.2", "1234"), PinGuard::Verdict::Accepted);
    }

    void httpAnswersOneRequestAtATimeAndClosesWhenAsked()
    {
        const QByteArray page = "GET / HTTP/1.1\r\nHost: x\r\n\r\n";
        const QByteArray ws =
            "GET /ws HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
            "Sec-WebSocket-Version: 13\r\nSec-WebSocket-Key: AQIDBAUGBwgJCgsMDQ4PEA==\r\n";
        // Request, status line, whether a body follows, whether the connection closes after.
        const QList<std::tuple<QByteArray, QByteArray, bool, bool>> rows = {
            {page, "HTTP/1.1 200 OK", true, false},
            {"HEAD / HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK", false, false},
            {"GET /?x=1 HTTP/1.0\r\n\r\n", "HTTP/1.1 200 OK", true, true},
            {"GET / HTTP/1.1\r\nConnection: close\r\n\r\n", "HTTP/1.1 200 OK", true, true},
            {"GET / HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n",
                "HTTP/1.1 200 OK", true, false},
            {"GET /ws HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found", true, false},
            {"GET /%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found", true,
                false},
            {"GET /viewer.html HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found", true, false},
            {"POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello", "HTTP/1.1 413 Content Too Large",
                true, true},
            {"GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n",
                "HTTP/1.1 413 Content Too Large", true, true},
            {"DELETE / HTTP/1.1\r\n\r\n", "HTTP/1.1 405 Method Not Allowed", true, true},
            {"HELLO\r\n\r\n", "HTTP/1.1 400 Bad Request", true, true},
            {"GET / HTTP/1.1\r\nX: " + QByteArray(GuestConnection::maxRequestBytes - 19, 'x'),
                "HTTP/1.1 431 Request Header Fields Too Large", true, true},
            {ws + "Origin: http://example.com\r\n\r\n", "HTTP/1.1 403 Forbidden", true, true},
            {ws + "Origin: http://127.0.0.1\r\n\r\n", "HTTP/1.1 403 Forbidden", true, true},
        };
        for (const auto &[request, status, hasBody, closes] : rows) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, _server->port());
            socket.write(request);
            QByteArray reply;
            qsizetype whole = -1; // the head, and the body when one is due
            QVERIFY2(QTest::qWaitFor(
                         [&] {
                             reply += socket.readAll();
                             const qsizetype head = reply.indexOf("\r\n\r\n") + 4;
                             const QByteArray length = reply.mid(reply.indexOf("Length: ") + 8);
                             whole = head + (hasBody ? length.split('\r').first().toInt() : 0);
                             return head >= 4 && reply.size() >= whole;
                         },
                         5000),
                request.left(40));
            QVERIFY2(reply.startsWith(status + "\r\n") && reply.size() == whole, reply.left(40));
            QVERIFY(!reply.contains("example"));
            // Then closed, or kept: a second request on it is answered too.
            if (!closes)
                socket.write(page);
            QVERIFY2(QTest::qWaitFor(
                         [&] {
                             return closes ? socket.state() == QAbstractSocket::UnconnectedState
                                           : socket.bytesAvailable() > 0;
                         },
                         5000),
                request.left(40));
        }
    }

    void badFramesCloseTheirViewerOnlyAndTheClockGoesOn()
    {
        _server->setPin(QStringLiteral("2468"));
        ViewerClient viewer(_server->port());
        QVERIFY(viewer.waitFor(1));
        const QStringList refusals = {"{", "[1]", "\"pause\"", "{\"type\":\"format\"}",
            "{\"type\":\"command\",\"command\":\"quit\",\"pin\":\"2468\"}",
            "{\"type\":\"command\",\"command\":[\"pause\"],\"pin\":\"2468\"}"};
        for (const QString &text : refusals)
            viewer.sendFrame(0x81, text.toUtf8());
        viewer.sendFrame(0x82, "{\"type\":\"ping\"}");
        QVERIFY(viewer.waitFor(refusals.size() + 2));
        for (int i = 1; i < viewer.messages.size(); ++i)
            QCOMPARE(viewer.messages.at(i).value("type").toString(), "error");

        // First byte, payload, masked: the close code that answers it.
        const QList<std::tuple<quint8, QByteArray, bool, int>> rows = {
            {0x81, QByteArray(ViewerServer::maxMessageBytes + 1, 'x'), true, 1009},
            {0x01, QByteArray(ViewerServer::maxMessageBytes, 'x'), true, 1009}, // continued
            {0x81, QByteArray("\xc3\x28", 2), true, 1007},
            {0x81, "{\"type\":\"ping\"}", false, 1002},
            {0xC1, "{\"type\":\"ping\"}", true, 1002},
            {0x80, "{}", true, 1002},
        };
        for (const auto &[first, payload, masked, code] : rows) {
            ViewerClient guest(_server->port());
            QVERIFY(guest.waitFor(1));
            guest.sendFrame(first, payload, masked);
            if (first == 0x01)
                guest.sendFrame(0x80, "x");
            QSignalSpy closed(&guest, &ViewerClient::closed);
            QVERIFY(closed.wait(5000));
            QCOMPARE(guest.closeCode, code);
        }
        QCOMPARE(_commands->count(), 0);
        QVERIFY(_timer->isPaused());
        QCOMPARE(viewer.ask({{"type", "ping"}, {"t", 5}}).value("server").toInteger(), _wall);
    }

    void fiveHundredViewersGetEveryChangeAndTheNextIsRefused()
    {
        std::vector<std::unique_ptr<ViewerClient>> viewers;
        const int perAddress = ViewerServer::maxConnectionsPerAddress;
        for (int i = 0; i < ViewerServer::maxViewers; ++i)
            viewers.push_back(
                std::make_unique<ViewerClient>(_server->port(), from(i / perAddress)));
        QVERIFY(QTest::qWaitFor(
            [&] { return _server->viewerCount() == ViewerServer::maxViewers; }, 60'000));
        ViewerClient refused(_server->port(), from(100));
        QVERIFY(refused.waitFor(1));
        QCOMPARE(refused.messages.first().value("error").toString(),
            "This clock already has 500 viewers; try again later");
        // One address more than its share is not let in at all.
        ViewerClient greedy(_server->port(), from(0));
        QSignalSpy closed(&greedy, &ViewerClient::closed);
        QVERIFY(closed.wait(5000));
        QVERIFY(greedy.handshake.isEmpty());

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
        PreferenceStore::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        PreferenceStore::setIntPreference(CVLViewerPortKey, busy.serverPort());
        PreferenceStore::setTextPreference(CVLViewerPinKey, QStringLiteral("12ab"));
        ViewerService service(*_state, [this] { return _monotonicMs; });
        service.applyPreferences();
        QCOMPARE(service.status(), "Viewers are off.");

        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 1);
        QTRY_VERIFY(service.status().startsWith(
            QStringLiteral("Viewers are off: Port %1 cannot be used").arg(busy.serverPort())));
        QVERIFY(service.address().isEmpty());

        const quint16 port = busy.serverPort();
        busy.close();
        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 0);
        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 1);
        QTRY_COMPARE(service.address(), QStringLiteral("http://127.0.0.1:%1/").arg(port));
        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        // A PIN that is not 4 to 8 digits guards nothing: no commands at all.
        QCOMPARE(viewer.messages.first().value("control").toBool(), false);
        PreferenceStore::setTextPreference(CVLViewerPinKey, QStringLiteral("8642"));
        QCOMPARE(command(viewer, "pause", "8642").value("type").toString(), "done");

        // Too many wrong PINs stop the commands; the status says so until they are restarted.
        for (int i = 0; i < PinGuard::maxWrongPinsEverywhere; ++i)
            ViewerClient(port, from(i)).ask({{"type", "pin"}, {"pin", "0000"}});
        QTRY_VERIFY(service.commandsStopped());
        QVERIFY(service.status().contains("Remote commands are stopped: 20 wrong PINs"));
        service.restartCommands();
        QTRY_VERIFY(!service.status().contains("stopped"));
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
        QCOMPARE(PreferenceStore::textPreference(CVLViewerPinKey), "1357");
        QCOMPARE(mode(), 0600);
        QVERIFY(PreferenceStore::setPreferenceSpringMinutes(12));
        QCOMPARE(mode(), 0600);
    }

private:
    void tick(double seconds)
    {
        _now += seconds;
        _wall += std::llround(seconds * 1000);
        _timer->doUpdate();
    }

    static QString from(int device)
    {
        return QStringLiteral("127.0.%1.%2").arg(1 + device / 250).arg(1 + device % 250);
    }

    static QJsonObject command(ViewerClient &viewer, const QString &name, const QString &pin)
    {
        return viewer.ask({{"type", "command"}, {"command", name}, {"pin", pin}});
    }
    static QString error(ViewerClient &viewer, const QString &name, const QString &pin)
    {
        return command(viewer, name, pin).value("error").toString();
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
