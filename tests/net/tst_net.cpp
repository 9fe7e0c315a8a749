// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountdownTimer.h"
#include "GuestAdmission.h"
#include "GuestConnection.h"
#include "HttpRequest.h"
#include "ParserRows.h"
#include "PhaseOutlook.h"
#include "PinGuard.h"
#include "PreferenceStore.h"
#include "RawGuest.h"
#include "TemporaryStore.h"
#include "ViewerClient.h"
#include "ViewerServer.h"
#include "ViewerService.h"
#include "ViewerState.h"
#include "WebSocketFrame.h"

#include <QtTest>

#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

// The viewer server on loopback, with real viewers, under a clock the test moves.
class TestNet : public QObject
{
    Q_OBJECT

    // The clocks the test moves: the clock's seconds, the wall's and the server's milliseconds.
    struct Rig
    {
        double now = 0;
        qint64 wall = 1'800'000'000'000, ms = 0;
        TemporaryStore store;
        CountdownTimer timer{10, [this] { return now; }};
        ViewerState state{[this] { return wall; }};
        PhaseOutlook outlook{timer};
        ViewerServer server{state, [this] { return ms; }};
        QSignalSpy commands{&server, &ViewerServer::commandReceived};
    };

private slots:
    void init()
    {
        _rig.reset();
        _rig = std::make_unique<Rig>();
        const CountdownTimer &timer = _rig->timer;
        _rig->state.setClock(timer.secondsLeft(), timer.displayTime(), timer.isRunning());
        _rig->state.setPhase(QStringLiteral("Spring 1901"));
        QVERIFY(_rig->server.listen(QHostAddress::LocalHost, 0));
    }

    void fiveHundredViewersGetTheWholeStateThenEveryChangeInOrderAndTheNextIsRefused()
    {
        std::vector<std::unique_ptr<ViewerClient>> viewers;
        for (int i = 0; i < ViewerServer::maxViewers; ++i)
            viewers.push_back(std::make_unique<ViewerClient>(
                port(), ViewerClient::from(i / GuestAdmission::maxConnectionsPerAddress)));
        QTRY_COMPARE_WITH_TIMEOUT(_rig->server.viewerCount(), ViewerServer::maxViewers, 60'000);
        ViewerClient refused(port(), ViewerClient::from(100));
        QVERIFY(refused.waitFor(1));
        QCOMPARE(refused.messages.first().value("type").toString(), "refused");

        const QString banner = PreferenceStore::preferenceMarquisText();
        _rig->timer.restart();
        for (int i = 0; i < 99; ++i) { // 10:00 down to 9:50.1, one change a second
            _rig->now += 0.1;
            _rig->wall += 100;
            _rig->timer.doUpdate();
        }
        _rig->timer.nextPhase();
        QVERIFY(PreferenceStore::setPreferenceMarquisText(QStringLiteral("Round 2")));
        _rig->state.playCue(0); // by hand, as the sound check does
        const QList<QJsonObject> &messages = viewers.front()->messages;
        for (const auto &viewer : viewers) {
            QVERIFY(viewer->waitFor(17, 20'000));
            QCOMPARE(viewer->messages, messages);
        }
        QCOMPARE(refused.messages.size(), 1);
        QJsonObject first = messages.first();
        first.remove("seq");
        QCOMPARE(first.take("cues").toArray().size(), 13);
        QCOMPARE(first.take("commands").toArray().size(), int(std::size(ViewerServer::commands)));
        first.remove("clock24"), first.remove("texts"); // the system's, the hall's language
        QCOMPARE(first,
            QJsonObject({{"type", "state"}, {"seconds", 600}, {"time", "10:00"}, {"running", false},
                {"at", 1'800'000'000'000.0}, {"phase", "Spring 1901"}, {"banner", banner},
                {"control", false}, {"next", "Fall 1901 · 10 min"}, {"length", 600}, {"lang", "en"},
                {"warnAt", 120},
                {"show", QJsonObject{{"band", true}, {"next", true}, {"timeOfDay", false}}}}));
        QStringList times;
        for (int i = 1; i < messages.size(); ++i) {
            const bool cue = i == messages.size() - 1; // a cue is no change: it takes no number
            QCOMPARE(messages.at(i).value("type").toString(), cue ? "cue" : "change");
            QCOMPARE(messages.at(i).value("seq").toInteger(),
                messages.at(i - 1).value("seq").toInteger() + !cue);
            if (messages.at(i).contains("time"))
                times.append(messages.at(i).value("time").toString());
        }
        QCOMPARE(times,
            QStringList({"9:59", "9:58", "9:57", "9:56", "9:55", "9:54", "9:53", "9:52", "9:51",
                "9:50", "0:00.0", "10:00"}));
        QCOMPARE(messages.at(1).value("running").toBool(), true);
        QCOMPARE(messages.last().value("cue").toInt(-1), 0);
        // Each time comes with the seconds left and the moment they were read, to count on from.
        const QJsonObject tick = messages.at(6);
        QCOMPARE(tick["seconds"].toDouble() * 1000 + tick["at"].toDouble(), 1'800'000'600'000.0);

        // A latecomer to a place let go gets all of it at once; the next phase runs on.
        viewers.pop_back();
        QTRY_COMPARE(_rig->server.viewerCount(), ViewerServer::maxViewers - 1);
        ViewerClient latecomer(port());
        QVERIFY(latecomer.waitFor(1));
        const QJsonObject now = latecomer.messages.first();
        QCOMPARE(QStringList({now["phase"].toString(), now["banner"].toString(),
                     now["running"].toVariant().toString(), now["next"].toString()}),
            QStringList({"Fall 1901", "Round 2", "true", "Spring 1902 · 10 min"}));
    }

    void remoteCommandsPassThePinGuard()
    {
        // Two from one address, one from another; anew after a wait a silent viewer outlasts.
        std::unique_ptr<ViewerClient> viewers[3];
        const auto connectAll = [&] {
            for (int i = 0; i < 3; ++i)
                viewers[i] = std::make_unique<ViewerClient>(port(), ViewerClient::from(i / 2));
        };
        connectAll();
        QCOMPARE(viewers[0]->answer("continue", ""), "This clock takes no remote commands");
        _rig->server.setPin(QStringLiteral("2468"));
        QVERIFY(viewers[0]->waitFor(3));
        QCOMPARE(viewers[0]->messages.last().value("control").toBool(), true);

        // Who, "pin" or a command, the PIN, the answer, milliseconds waited before, how often.
        struct Step
        {
            int who;
            const char *what, *pin;
            QString expected;
            qint64 wait = 0;
            int times = 1;
        };
        const QString wrong = "Wrong PIN", locked = "Too many wrong PINs; try again in %1 s";
        const qint64 minute = PinGuard::lockoutMilliseconds;
        const std::vector<Step> steps = {{0, "pin", "2468", "pin"}, {0, "continue", "2469", wrong},
            {0, "continue", "", wrong},
            {0, "minus10s", "2468", "done", 0, PinGuard::maxCommandsPerSecond},
            {0, "pause", "2468", "Too many commands; wait a moment"},
            // Five wrong in a row lock the address out, the right PIN included; not another
            // address, nor the connection behind it that gave the right PIN before.
            {1, "pin", "0000", wrong, 0, PinGuard::maxWrongPins},
            {1, "pin", "2468", locked.arg(60)}, {0, "plus10s", "2468", "done", 1000},
            {2, "pin", "2468", "pin"}, {1, "pin", "2468", locked.arg(1), minute - 1001},
            {1, "pin", "2468", "pin", 1},
            // A right PIN, or a minute without a wrong one, forgets the wrong ones before it.
            {2, "pin", "0000", wrong, 0, 4}, {2, "pin", "2468", "pin"},
            {2, "pin", "0000", wrong, 0, 4}, {2, "pin", "0000", wrong, minute},
            {2, "pin", "2468", "pin"}};
        for (const Step &step : steps) {
            _rig->ms += step.wait;
            if (step.wait > GuestConnection::pongMilliseconds)
                connectAll();
            for (int i = 0; i < step.times; ++i)
                QCOMPARE(viewers[step.who]->answer(step.what, step.pin), step.expected);
        }
        QCOMPARE(_rig->commands.count(), PinGuard::maxCommandsPerSecond + 1);
    }

    // The parsers of what guests send, each a pure function held to its table of raw input.
    void requestHeadsAreReadOrRefused()
    {
        for (const auto &[head, parsed] : ParserRows::heads()) {
            const std::optional<HttpRequest> request = HttpRequest::parse(head);
            const QByteArray read = !request ? QByteArray()
                                             : request->method + ' ' + request->path + ' ' +
                    char('0' + request->hasBody()) + ' ' + char('0' + request->wantsClose());
            QVERIFY2(read == parsed, head);
        }
    }

    void framesAreReadOrCloseWithTheirCode()
    {
        for (const auto &[bytes, inMessage, room, closeCode] : ParserRows::frames()) {
            const WebSocketFrame frame = WebSocketFrame::read(bytes, inMessage, room);
            const int code =
                frame.status == WebSocketFrame::Status::Incomplete ? -1 : frame.closeCode;
            QVERIFY2(code == closeCode, qPrintable(bytes.toHex() + " " + frame.reason));
            if (code == 0) {
                QCOMPARE(frame.size, bytes.size());
                QCOMPARE(frame.payload, bytes.mid(bytes.size() - frame.payload.size()));
                QCOMPARE(frame.final, bool(bytes.at(0) & 0x80));
            }
        }
        // Unmasked with a key that is not zero.
        const WebSocketFrame masked = WebSocketFrame::read("\x81\x82\x01\x02\x03\x04ij", false, 9);
        QCOMPARE(masked.payload, QByteArray("hh"));
    }

    // Wrong PINs count from the PIN's setting, however slowly they come; only a new PIN, or
    // the referee taking commands back, forgives them.
    void wrongPinsCountUntilThePinChanges()
    {
        qint64 ms = 0;
        PinGuard guard([&] { return ms; });
        QVERIFY(guard.setPin(QStringLiteral("2468")));
        using Verdict = PinGuard::Verdict;
        for (int i = 0; i < PinGuard::maxWrongPins; ++i)
            QCOMPARE(guard.check("10.0.0.1", "0000"), Verdict::Wrong);
        QVERIFY(!guard.setPin(QStringLiteral("2468")));
        QCOMPARE(guard.check("10.0.0.1", "2468"), Verdict::LockedOut);
        for (int i = PinGuard::maxWrongPins; i < PinGuard::maxWrongPinsEverywhere - 1; ++i) {
            ms += 3'600'000;
            QCOMPARE(guard.check(ViewerClient::from(i), "0000"), Verdict::Wrong);
        }
        QCOMPARE(guard.check("10.0.0.2", "0000"), Verdict::Wrong);
        QCOMPARE(guard.check("10.0.0.2", "2468"), Verdict::Stopped);
        QVERIFY(!guard.setPin(QStringLiteral("2468")) && guard.stopped());
        guard.restart();
        QCOMPARE(guard.check("10.0.0.2", "0000"), Verdict::Wrong);
        QCOMPARE(guard.check("10.0.0.2", "2468"), Verdict::Accepted);
        QVERIFY(guard.setPin(QStringLiteral("1357")));
        QCOMPARE(guard.wrongPinCount(), 0);
    }

    // Caps and lockouts hold a host, not an address: an IPv6 host has a /64 of them.
    void guestsAreCountedByHost()
    {
        QStringList groups;
        for (const char *address :
            {"::ffff:192.168.1.5", "2001:db8:1:2::a", "2001:db8:1:2:f::1", "2001:db8:1:3::a"})
            groups << GuestAdmission::addressGroup(QHostAddress(QString::fromLatin1(address)));
        QCOMPARE(groups,
            QStringList(
                {"192.168.1.5", "2001:db8:1:2::/64", "2001:db8:1:2::/64", "2001:db8:1:3::/64"}));
    }

    void httpAnswersOneRequestAtATimeAndClosesWhenAsked()
    {
        const QByteArray own = "http://127.0.0.1:" + QByteArray::number(port());
        const QByteArray ws =
            "GET /ws HTTP/1.1\r\nHost: a\r\nUpgrade: websocket\r\n"
            "Connection: Upgrade\r\nSec-WebSocket-Key: AQIDBAUGBwgJCgsMDQ4PEA==\r\n";
        const QByteArray v13 = ws + "Sec-WebSocket-Version: 13\r\n", notFound = "Length: 10\r\n";
        // Request, status, whether the connection closes after, a line the answer holds.
        QList<std::tuple<QByteArray, int, bool, QByteArray>> rows = {
            {"GET / HTTP/1.1\r\nHost: a\r\n\r\n", 200, false,
                "connect-src 'self' ws:; img-src data:; frame-ancestors 'none'; base-uri 'none'; "
                "form-action 'none'\r\n"},
            {"HEAD / HTTP/1.1\r\nHost: a\r\n\r\n", 200, false, "Referrer-Policy: no-referrer\r\n"},
            {"GET /?x=1 HTTP/1.0\r\n\r\n", 200, true, ""},
            {"GET / HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n", 200, true, ""},
            {"GET / HTTP/1.1\r\nHost: a\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n", 200,
                false, ""},
            {"GET /ws HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            {"HEAD /ws HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            {"GET /%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            // A cue, larger than a guest's backlog, goes out a piece at a time; only cues exist.
            {"GET /cues/0.wav HTTP/1.1\r\nHost: a\r\n\r\n", 200, false, "max-age=86400"},
            {"HEAD /cues/10.wav HTTP/1.1\r\nHost: a\r\n\r\n", 200, false, "max-age=86400"},
            {"GET /cues/11.wav HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            {"GET /cues/05.wav HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            {"GET /sounds/0s.wav HTTP/1.1\r\nHost: a\r\n\r\n", 404, false, notFound},
            // A refusal is read whole, even with much of the guest's body left unread.
            {"POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 99999\r\n\r\n" +
                    QByteArray(60'000, 'x'),
                413, true, ""},
            {"DELETE / HTTP/1.1\r\nHost: a\r\n\r\n", 405, true, ""},
            {"HELLO\r\n\r\n", 400, true, ""},
            {"GET / HTTP/1.1\r\nX: " + QByteArray(GuestConnection::maxRequestBytes - 19, 'x'), 431,
                true, ""},
            {ws + "Sec-WebSocket-Version: 8\r\n\r\n", 426, true, "Sec-WebSocket-Version: 13\r\n"},
            {"GET /ws HTTP/1.0\r\n" + v13.mid(18) + "\r\n", 400, true, ""},
            {QByteArray(v13).replace("EA==", "EBE=") + "\r\n", 400, true, ""},
            {v13 + "Origin: " + own + "\r\n\r\n", 101, false, ""}};
        for (const QByteArray &origin : QByteArrayList{"http://example.com", "http://127.0.0.1",
                 own + ".example.net", own + "0", "http://example.net/" + own})
            rows.append({v13 + "Origin: " + origin + "\r\n\r\n", 403, true, ""});
        for (const auto &[request, status, closes, holds] : rows) {
            RawGuest guest(port(), request);
            const auto answered = [&] {
                const qsizetype end = guest.received.indexOf("\r\n\r\n");
                return end >= 0 &&
                    guest.received.size() >= end + 4 +
                        (request.startsWith("HEAD") || status == 101
                                ? 0
                                : guest.received.mid(guest.received.indexOf("Length: ") + 8)
                                      .split('\r')[0]
                                      .toInt());
            };
            // One kept open answers the next request too, here one that closes it.
            QVERIFY2(guest.readUntil(answered), request.left(40));
            const qsizetype end = guest.received.size();
            if (!closes)
                guest.send("GET / HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n");
            QVERIFY(status == 101 || guest.readToEnd());
            const QByteArray &reply = guest.received;
            QVERIFY2(reply.startsWith("HTTP/1.1 " + QByteArray::number(status) + ' '),
                reply.left(40) + request.left(40));
            QCOMPARE(reply.mid(end, 15), closes || status == 101 ? "" : "HTTP/1.1 200 OK");
            QVERIFY2(reply.left(end).contains(holds), reply.left(end));
            QVERIFY(status == 101 || guest.end == RawGuest::End::Closed);
        }
    }

    // A guest that sends part of a request is told its time ran out at its own deadline, counted
    // from its last answer, however it trickles; a closed WebSocket waits for the guest's close
    // no longer than it may.
    void everyGuestGoesAtItsOwnDeadline()
    {
        const QByteArray get = "GET / HTTP/1.1\r\nHost: a\r\n\r\n", part = "GET / HTTP/1.1\r\n";
        {
            RawGuest early(port(), get);
            QVERIFY(early.readUntil([&] { return early.received.endsWith("</html>\n"); }));
            // What the system holds for a guest is bounded too.
            auto *accepted = _rig->server.findChild<QTcpSocket *>();
            for (const auto option : {QAbstractSocket::ReceiveBufferSizeSocketOption,
                     QAbstractSocket::SendBufferSizeSocketOption})
                QCOMPARE(accepted->socketOption(option), 2 * GuestConnection::socketBufferBytes);
            _rig->ms = GuestConnection::requestMilliseconds / 2;
            RawGuest late(port(), get);
            QVERIFY(late.readUntil([&] { return late.received.endsWith("</html>\n"); }));
            early.send(part);
            late.send(part);
            _rig->ms = GuestConnection::requestMilliseconds;
            late.send("X");
            QVERIFY(early.readToEnd() && early.received.contains("408 Request Timeout"));
            late.readUntil([] { return true; });
            QVERIFY(late.end == RawGuest::End::Open && !late.received.contains("408"));
            _rig->ms += GuestConnection::requestMilliseconds / 2;
            QVERIFY(late.readToEnd() && late.received.contains("408 Request Timeout"));
        }
        QTRY_COMPARE(_rig->server.connectionCount(), 0);
        RawGuest closed(port(), ViewerClient::upgrade(port()) + QByteArray("\x81\x00", 2));
        QVERIFY(closed.readUntil([&] { return closed.end == RawGuest::End::Closed; }));
        QCOMPARE(
            closed.received.mid(closed.received.lastIndexOf('\x88') + 2, 2), "\x03\xea"); // 1002
        QCOMPARE(_rig->server.connectionCount(), 1);
        _rig->ms += GuestConnection::closingMilliseconds;
        QTRY_COMPARE(_rig->server.connectionCount(), 0);
    }

    void badFramesAreRefusedOrCloseTheirViewerOnlyAndTheClockGoesOn()
    {
        _rig->server.setPin(QStringLiteral("2468"));
        ViewerClient viewer(port());
        // First byte, payload, masked: the close code that answers it, or 0 for an error
        // message to the viewer, which stays.
        const QList<std::tuple<quint8, QByteArray, bool, int>> rows = {{0x81, "{", true, 0},
            {0x81, "[1]", true, 0}, {0x81, "\"pause\"", true, 0},
            {0x81, "{\"type\":\"format\"}", true, 0},
            {0x81, "{\"type\":\"command\",\"command\":\"quit\",\"pin\":\"2468\"}", true, 0},
            {0x81, "{\"type\":\"command\",\"command\":[\"pause\"],\"pin\":\"2468\"}", true, 0},
            {0x82, "{\"type\":\"ping\"}", true, 0},
            {0x01, QByteArray(GuestConnection::maxMessageBytes, 'x'), true, 1009}, // continued
            {0x81, QByteArray("\xc3\x28", 2), true, 1007}};
        for (const auto &[first, payload, masked, code] : rows) {
            ViewerClient guest(port());
            ViewerClient &to = code ? guest : viewer;
            QVERIFY(to.waitFor(1));
            const qsizetype before = to.messages.size();
            QSignalSpy closed(&to, &ViewerClient::closed);
            to.sendFrame(first, payload, masked);
            if (first == 0x01)
                to.sendFrame(0x80, "x");
            QVERIFY2(code ? closed.wait(5000) : to.waitFor(before + 1), payload.left(40));
            QCOMPARE(to.closeCode, code);
            QCOMPARE(to.messages.last().value("type").toString(), code ? "state" : "error");
        }
        QCOMPARE(_rig->commands.count(), 0);
        QCOMPARE(viewer.ask({{"type", "ping"}, {"t", 5}}).value("server").toInteger(), _rig->wall);
    }

    // With no descriptor left for a connection, the server stops accepting for a while rather
    // than try again at once, then takes the waiting guest.
    void outOfFilesTheServerPausesAccepting()
    {
        ViewerClient guest(port());
        rlimit files = {};
        getrlimit(RLIMIT_NOFILE, &files);
        const rlimit usual = files;
        const int lowestFree = ::dup(STDERR_FILENO);
        ::close(lowestFree);
        files.rlim_cur = rlim_t(lowestFree); // none left for the guest's connection
        setrlimit(RLIMIT_NOFILE, &files);
        const std::clock_t before = std::clock();
        QTest::qWait(1000);
        const double busySeconds = double(std::clock() - before) / CLOCKS_PER_SEC;
        setrlimit(RLIMIT_NOFILE, &usual);
        QVERIFY(guest.messages.isEmpty() && busySeconds < 0.25); // not trying again and again
        QVERIFY(guest.waitFor(1, 10'000));
    }

    void theServiceFollowsThePreferencesAndReportsABusyPort()
    {
        QTcpServer busy;
        QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
        const quint16 port = busy.serverPort();
        ViewerService service(_rig->state, [this] { return _rig->ms; });
        PreferenceStore::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        PreferenceStore::setIntPreference(CVLViewerPortKey, port);
        PreferenceStore::setTextPreference(CVLViewerPinKey, QStringLiteral("12ab"));
        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 1);
        QTRY_VERIFY(service.status().startsWith(
            QStringLiteral("Viewers are off: Port %1 cannot be used").arg(port)));
        QVERIFY(service.address().isEmpty());

        busy.close();
        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 0);
        PreferenceStore::setIntPreference(CVLViewerEnabledKey, 1);
        QTRY_COMPARE(service.address(), QStringLiteral("http://127.0.0.1:%1/").arg(port));
        ViewerClient viewer(port);
        QVERIFY(viewer.waitFor(1));
        // A PIN that is not 4 to 8 digits guards nothing: no commands at all.
        QCOMPARE(viewer.messages.first().value("control").toBool(), false);
        PreferenceStore::setTextPreference(CVLViewerPinKey, QStringLiteral("8642"));
        QCOMPARE(viewer.answer("pause", "8642"), "done");

        // Each wrong PIN counts, and the status says how far twenty go against four digits.
        ViewerClient(port, ViewerClient::from(1)).ask({{"type", "pin"}, {"pin", "0000"}});
        QTRY_VERIFY(service.status().contains("Wrong PINs so far: 1 of the 20") &&
            service.status().contains("once in 500 tries; with 6 digits, once in 50,000"));
        // Too many wrong PINs stop the commands; the status says so until they are restarted.
        for (int i = 1; i < PinGuard::maxWrongPinsEverywhere; ++i)
            ViewerClient(port, ViewerClient::from(i)).ask({{"type", "pin"}, {"pin", "0000"}});
        QTRY_VERIFY(service.status().contains("Remote commands are stopped: 20 wrong PINs"));
        service.restartCommands();
        QTRY_VERIFY(!service.status().contains("stopped"));
        QCOMPARE(viewer.answer("pause", "8642"), "done");
    }

private:
    quint16 port() const { return _rig->server.port(); }

    std::unique_ptr<Rig> _rig;
};

QTEST_GUILESS_MAIN(TestNet)
#include "tst_net.moc"
