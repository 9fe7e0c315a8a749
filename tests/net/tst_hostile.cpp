#include "GuestConnection.h"
#include "PinGuard.h"
#include "ViewerClient.h"
#include "ViewerServer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

// The real clock, limited to the usual desktop 1,024 open files, attacked on loopback by
// guests from many addresses in 127.0.0.0/8 (standing for many devices) while a viewer
// watches. Every attack must leave that viewer served on time, the clock's memory within a
// bound, and the clock's open files back where they were while the guests still hold their
// ends: the clock itself let them go.
class TestHostile : public QObject
{
    Q_OBJECT

    using Guests = std::vector<std::unique_ptr<ViewerClient>>;
    struct Attack
    {
        const char *name;
        int guests, perAddress; // connections, and how many of them share an address
        QByteArray request; // sent on each, instead of a WebSocket handshake
        QByteArray flood; // then sent again and again as fast as it is taken
        void (TestHostile::*then)(Guests &guests, ViewerClient &referee);
    };
    static constexpr double memoryBoundMegabytes = 25;
    static constexpr qint64 longestGapMilliseconds = 1500;

private slots:
    void initTestCase()
    {
        rlimit files = {};
        getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = files.rlim_max; // for the guests' ends
        setrlimit(RLIMIT_NOFILE, &files);
    }

    void survives_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(attacks)); ++row)
            QTest::newRow(attacks[row].name) << row;
    }

    void survives()
    {
        QFETCH(int, row);
        const Attack &attack = attacks[row];
        QTemporaryDir home;
        QProcess clock;
        startClock(clock, home);
        std::unique_ptr<ViewerClient> referee;
        QVERIFY(QTest::qWaitFor(
            [&] { return (referee = std::make_unique<ViewerClient>(_port))->waitFor(1, 300); },
            15'000));
        QCOMPARE(referee->answer("continue", "1357"), "done");
        QElapsedTimer sinceLast; // a message to the referee: a change each second, or a pong
        sinceLast.start();
        qint64 longestGap = 0;
        connect(referee.get(), &ViewerClient::received, this,
            [&] { longestGap = std::max(longestGap, sinceLast.restart()); });
        QTimer pinger; // as the page does
        connect(&pinger, &QTimer::timeout, this,
            [&] { referee->sendFrame(0x81, "{\"type\":\"ping\"}"); });
        pinger.start(1000);
        QTest::qWait(1500);
        _pid = clock.processId();
        const double baseMegabytes = residentMegabytes();
        double peakMegabytes = baseMegabytes;
        _baseFiles = _peakFiles = openFiles();
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            peakMegabytes = std::max(peakMegabytes, residentMegabytes());
            _peakFiles = std::max(_peakFiles, openFiles());
        });
        sampler.start(100);
        longestGap = 0;

        Guests guests;
        for (int i = 0; i < attack.guests; ++i) {
            guests.push_back(std::make_unique<ViewerClient>(
                _port, ViewerClient::from(i / attack.perAddress), attack.request));
        }
        if (attack.then)
            (this->*attack.then)(guests, *referee);
        if (!attack.flood.isEmpty())
            flood(*guests.front(), attack.flood);
        const bool letGoOfAll = QTest::qWaitFor([this] { return letGo(); }, 15'000);
        guests.clear();
        QTest::qWait(1500); // and the viewer is still served after
        longestGap = std::max(longestGap, sinceLast.elapsed());
        qInfo("%s: clock memory %+.1f MB and %d connections at most, longest gap %lld ms",
            attack.name, peakMegabytes - baseMegabytes, _peakFiles - _baseFiles, longestGap);
        QVERIFY(letGoOfAll);
        QVERIFY(peakMegabytes - baseMegabytes <= memoryBoundMegabytes);
        // The referee holds one place; a file the clock writes meanwhile may add one or two.
        QVERIFY(_peakFiles - _baseFiles < ViewerServer::maxConnections + 2);
        QVERIFY(longestGap <= longestGapMilliseconds);
        QCOMPARE(clock.state(), QProcess::Running);
        clock.kill();
        clock.waitForFinished(5000);
    }

private:
    // The guests fill every place, and a newcomer is turned away until the clock lets the
    // guests go for a request overdue.
    void newcomerGetsIn(Guests &, ViewerClient &)
    {
        QTRY_VERIFY_WITH_TIMEOUT(_peakFiles - _baseFiles >= ViewerServer::maxConnections - 1, 5000);
        QVERIFY(!ViewerClient(_port, ViewerClient::from(200)).waitFor(1, 500));
        QVERIFY(QTest::qWaitFor(
            [&] { return ViewerClient(_port, ViewerClient::from(200)).waitFor(1, 500); },
            GuestConnection::requestMilliseconds + 3000));
    }

    void slowloris(Guests &guests, ViewerClient &)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (!letGo() && elapsed.elapsed() < 10'000) {
            for (const auto &guest : guests)
                guest->socket.write("X");
            QTest::qWait(1000);
        }
        QVERIFY(elapsed.elapsed() < GuestConnection::requestMilliseconds + 2000);
    }

    void unreadPingFloodWhilePaused(Guests &guests, ViewerClient &referee)
    {
        QCOMPARE(referee.answer("pause", "1357"), "done");
        QVERIFY(guests.front()->waitFor(1));
    }

    // One address takes its share of places and no more; those let in answer no ping.
    void oneAddressTakesItsShare(Guests &guests, ViewerClient &)
    {
        QTest::qWait(2000);
        QCOMPARE(std::count_if(guests.begin(), guests.end(),
                     [](const auto &guest) { return !guest->handshake.isEmpty(); }),
            ViewerServer::maxConnectionsPerAddress);
        for (const auto &guest : guests)
            guest->answerPings = false;
        QVERIFY(ViewerClient(_port, ViewerClient::from(1)).waitFor(1));
    }

    // A guess from each address in turn; the first after too many wrong is the right PIN.
    static_assert(1337 + PinGuard::maxWrongPinsEverywhere == 1357);
    void wrongPins(Guests &guests, ViewerClient &referee)
    {
        for (int i = 0; i < int(guests.size()); ++i) {
            const QString answer = guests[i]->answer("pin", QString::number(1337 + i));
            QVERIFY2(answer.startsWith(i < PinGuard::maxWrongPinsEverywhere ? "Wrong" : "Remote"),
                qPrintable(answer));
        }
        QVERIFY(referee.answer("plus10s", "1357").startsWith("Remote commands are stopped"));
        guests.clear();
    }

    static inline const QByteArray pings = [] {
        QByteArray frames;
        for (int i = 0; i < 10'000; ++i)
            frames += QByteArray("\x89\x80\0\0\0\0", 6) +
                (i % 10 ? "" : QByteArray("\x81\x8f\0\0\0\0{\"type\":\"ping\"}", 21));
        return frames;
    }();
    static inline const QByteArray get = "GET / HTTP/1.1\r\n\r\n";
    static inline const Attack attacks[] = {
        {"endless request line", 1, 1, "GET /", QByteArray(64 * 1024, 'a'), nullptr},
        {"large body", 1, 1, "POST / HTTP/1.1\r\nContent-Length: 200000000\r\n\r\n",
            QByteArray(64 * 1024, 'a'), nullptr},
        {"unread pipelined GETs", 1, 1, get, get.repeated(1000), nullptr},
        {"unread ping flood while paused", 1, 1, QByteArray(), pings,
            &TestHostile::unreadPingFloodWhilePaused},
        {"1,100 idle connections", 1100, 30, "", QByteArray(), &TestHostile::newcomerGetsIn},
        {"slowloris", 300, 30, "GET / HTTP/1.1\r\n", QByteArray(), &TestHostile::slowloris},
        {"600 WebSockets from one address", 600, 600, QByteArray(), QByteArray(),
            &TestHostile::oneAddressTakesItsShare},
        {"wrong PINs from 300 addresses", 300, 1, QByteArray(), QByteArray(),
            &TestHostile::wrongPins},
    };

    void startClock(QProcess &clock, const QTemporaryDir &home)
    {
        _port = ViewerClient::freePort();
        QDir().mkpath(home.filePath(QStringLiteral("Corvelworks")));
        QFile preferences(home.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
        QVERIFY(preferences.open(QIODevice::WriteOnly));
        preferences.write("[General]\nviewer.enabled=1\nviewer.pin=1357\nviewer.address=127.0.0.1\n"
                          "defaults.springMinutes=60\nviewer.port=" +
            QByteArray::number(_port));
        preferences.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Memory freed is memory given back, under AddressSanitizer too.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("quarantine_size_mb=4"));
        clock.setProcessEnvironment(environment);
        clock.setChildProcessModifier([] {
            const rlimit files = {1024, 1024};
            setrlimit(RLIMIT_NOFILE, &files);
        });
        clock.start(QStringLiteral(MERVANE_BINARY), {});
        QVERIFY(clock.waitForStarted(5000));
    }

    // Sends `chunk` again and again, as fast as the clock takes it, reading nothing, until
    // the clock cuts the guest off (or 10 s).
    static void flood(ViewerClient &guest, const QByteArray &chunk)
    {
        QVERIFY(guest.socket.waitForConnected(5000));
        guest.stopReading();
        QElapsedTimer elapsed;
        elapsed.start();
        while (
            guest.socket.state() == QAbstractSocket::ConnectedState && elapsed.elapsed() < 10'000) {
            if (guest.socket.bytesToWrite() < chunk.size())
                guest.socket.write(chunk);
            QTest::qWait(1);
        }
        QCOMPARE(guest.socket.state(), QAbstractSocket::UnconnectedState);
    }

    double residentMegabytes() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(_pid));
        status.open(QIODevice::ReadOnly);
        static const QRegularExpression resident(QStringLiteral("VmRSS:\\s*(\\d+)"));
        return resident.match(QString::fromLatin1(status.readAll())).captured(1).toDouble() / 1024;
    }

    bool letGo() const { return openFiles() <= _baseFiles; }

    int openFiles() const
    {
        return int(QDir(QStringLiteral("/proc/%1/fd").arg(_pid))
                       .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                       .size());
    }

    quint16 _port = 0;
    qint64 _pid = 0;
    int _baseFiles = 0, _peakFiles = 0;
};

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_hostile.moc"
