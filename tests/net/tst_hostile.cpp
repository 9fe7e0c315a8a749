// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuestAdmission.h"
#include "GuestConnection.h"
#include "TemporaryStore.h"
#include "ViewerClient.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

// The real clock, held to a desktop's 1,024 open files, attacked on loopback from many addresses
// in 127.0.0.0/8: a viewer stays served on time, memory bounded, and the clock's open files come
// back while the guests still hold their ends (the clock itself let them go).
class TestHostile : public QObject
{
    Q_OBJECT

    struct Attack
    {
        const char *name;
        int guests, perAddress; // connections, and how many of them share an address
        QByteArray request; // sent on each, instead of a WebSocket handshake
        std::function<void()> then;
    };
    static constexpr double memoryBoundMegabytes = 25;
    static constexpr qint64 longestGapMilliseconds = 1500;

private slots:
    void initTestCase()
    {
        GuestAdmission::connectionCap(); // raises the open-file limit, for the guests' ends
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Memory freed is memory given back, under AddressSanitizer too.
        qputenv("ASAN_OPTIONS", "quarantine_size_mb=4");
    }

    void survives_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(attacks().size()); ++row)
            QTest::newRow(attacks()[row].name) << row;
    }

    void survives()
    {
        QFETCH(int, row);
        const Attack attack = attacks()[row];
        QTemporaryDir home;
        QProcess clock;
        _port = ViewerClient::freePort();
        QDir().mkpath(home.filePath(QStringLiteral("Corvelworks")));
        QVERIFY(
            TemporaryStore::write(home.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")),
                "[General]\nviewer.enabled=1\nviewer.pin=1357\nviewer.address=127.0.0.1\n"
                "defaults.springMinutes=60\nviewer.port=" +
                    QByteArray::number(_port)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        clock.setChildProcessModifier([] {
            const rlimit files = {1024, 1024};
            setrlimit(RLIMIT_NOFILE, &files);
        });
        clock.start(QStringLiteral(MERVANE_BINARY), {});
        QVERIFY(clock.waitForStarted(5000));
        QVERIFY(QTest::qWaitFor(
            [&] { return (_referee = std::make_unique<ViewerClient>(_port))->waitFor(1, 300); },
            15'000));
        QCOMPARE(_referee->answer("continue", "1357"), "done");
        QElapsedTimer sinceLast; // a message to the referee: a change each second, or a pong
        sinceLast.start();
        qint64 longestGap = 0;
        connect(_referee.get(), &ViewerClient::received, this,
            [&] { longestGap = std::max(longestGap, sinceLast.restart()); });
        QTimer pinger; // as the page does
        connect(&pinger, &QTimer::timeout, this,
            [&] { _referee->sendFrame(0x81, "{\"type\":\"ping\"}"); });
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

        for (int i = 0; i < attack.guests; ++i)
            _guests.push_back(std::make_unique<ViewerClient>(
                _port, ViewerClient::from(i / attack.perAddress), attack.request));
        attack.then();
        const bool letGoOfAll =
            QTest::qWaitFor([this] { return openFiles() <= _baseFiles; }, 15'000);
        _guests.clear();
        QTest::qWait(1500); // and the viewer is still served after
        longestGap = std::max(longestGap, sinceLast.elapsed());
        qInfo("%s: clock memory %+.1f MB and %d connections at most, longest gap %lld ms",
            attack.name, peakMegabytes - baseMegabytes, _peakFiles - _baseFiles, longestGap);
        QVERIFY(letGoOfAll);
        QVERIFY(peakMegabytes - baseMegabytes <= memoryBoundMegabytes);
        // The referee holds one place; a file the clock writes meanwhile may add one or two.
        QVERIFY(_peakFiles - _baseFiles <
            GuestAdmission::maxConnections + GuestAdmission::maxRefused + 2);
        QVERIFY(longestGap <= longestGapMilliseconds);
    }

private:
    std::vector<Attack> attacks()
    {
        const QByteArray get = "GET / HTTP/1.1\r\nHost: a\r\n\r\n", lots(64 * 1024, 'a');
        const QByteArray pings = (QByteArray("\x89\x80\0\0\0\0", 6).repeated(10) +
            QByteArray("\x81\x8f\0\0\0\0{\"type\":\"ping\"}", 21))
                                     .repeated(1000);
        return {{"endless request line", 1, 1, "GET /", [=] { flood(lots); }},
            {"large body", 1, 1, "POST / HTTP/1.1\r\nHost: a\r\nContent-Length: 200000000\r\n\r\n",
                [=] { flood(lots); }},
            {"unread pipelined GETs", 1, 1, get, [=] { flood(get.repeated(1000)); }},
            {"unread ping flood while paused", 1, 1, QByteArray(),
                [=] {
                    QCOMPARE(_referee->answer("pause", "1357"), "done");
                    QVERIFY(_guests.front()->waitFor(1));
                    flood(pings);
                }},
            // The guests fill every place, and those over are told so, as is a newcomer, until the
            // clock lets the guests go for a request overdue.
            {"1,100 idle connections", 1100, 30, "",
                [this] {
                    QTRY_VERIFY_WITH_TIMEOUT(
                        _peakFiles - _baseFiles >= GuestAdmission::maxConnections - 1, 15'000);
                    QVERIFY(!ViewerClient(_port, ViewerClient::from(200)).waitFor(1, 500));
                    QVERIFY(told("503") >= GuestAdmission::maxRefused);
                    QVERIFY(QTest::qWaitFor(
                        [&] {
                            return ViewerClient(_port, ViewerClient::from(200)).waitFor(1, 500);
                        },
                        3 * GuestConnection::requestMilliseconds));
                }},
            // Each trickles until the clock tells it that its time is up.
            {"slowloris", 300, 30, "GET / HTTP/1.1\r\nHost: a\r\n",
                [this] {
                    QTimer trickle;
                    connect(&trickle, &QTimer::timeout, this, [this] {
                        for (const auto &guest : _guests)
                            if (guest->socket.state() == QAbstractSocket::ConnectedState)
                                guest->socket.write("X");
                    });
                    trickle.start(1000);
                    QVERIFY(QTest::qWaitFor([this] { return told("408") == int(_guests.size()); },
                        6 * GuestConnection::requestMilliseconds));
                }},
            // One address takes its share of places and no more; those let in answer no ping.
            {"600 WebSockets from one address", 600, 600, QByteArray(), [this] {
                 QTest::qWait(2000);
                 QCOMPARE(std::count_if(_guests.begin(), _guests.end(),
                              [](const auto &guest) { return !guest->handshake.isEmpty(); }),
                     GuestAdmission::maxConnectionsPerAddress);
                 for (const auto &guest : _guests)
                     guest->answerPings = false;
                 QVERIFY(ViewerClient(_port, ViewerClient::from(1)).waitFor(1));
             }}};
    }

    int told(const char *status) const
    {
        return int(std::count_if(_guests.begin(), _guests.end(), [status](const auto &guest) {
            return guest->handshake.startsWith(QByteArray("HTTP/1.1 ") + status);
        }));
    }

    // Sends `chunk` on the first guest again and again, as fast as the clock takes it, reading
    // nothing, until the clock cuts the guest off (or 10 s).
    void flood(const QByteArray &chunk)
    {
        ViewerClient &guest = *_guests.front();
        QVERIFY(guest.socket.waitForConnected(5000));
        guest.socket.setReadBufferSize(1); // what the clock answers piles up in its buffers
        guest.socket.disconnect(&guest);
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (guest.socket.bytesToWrite() < chunk.size())
                    guest.socket.write(chunk);
                return guest.socket.state() == QAbstractSocket::UnconnectedState;
            },
            10'000));
    }

    double residentMegabytes() const
    {
        const QByteArray pages = TemporaryStore::read(QStringLiteral("/proc/%1/statm").arg(_pid));
        return pages.split(' ').value(1).toDouble() * sysconf(_SC_PAGESIZE) / (1 << 20);
    }

    int openFiles() const
    {
        return int(QDir(QStringLiteral("/proc/%1/fd").arg(_pid))
                       .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                       .size());
    }

    std::unique_ptr<ViewerClient> _referee;
    std::vector<std::unique_ptr<ViewerClient>> _guests;
    quint16 _port = 0;
    qint64 _pid = 0;
    int _baseFiles = 0, _peakFiles = 0;
};

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_hostile.moc"
