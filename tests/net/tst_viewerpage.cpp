#include "ViewerClient.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

// The viewer page in a real browser (headless Chromium), served by the real program, read
// off its screenshots by OCR.
class TestViewerPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty())
            QFAIL("chromium and tesseract are needed: run scripts/install-deps.sh");
        _port = ViewerClient::freePort();
        writePreferences();
    }
    void cleanup()
    {
        for (QProcess *process : {&_clock, &_browser}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    void theBrowserShowsTheClocksTimeThenSaysWhenTheClockIsGone()
    {
        startClock();
        if (QTest::currentTestFailed())
            return;
        ViewerClient referee(_port);
        QVERIFY(referee.waitFor(1));
        QCOMPARE(referee.ask({{"type", "command"}, {"command", "continue"}, {"pin", "1357"}})
                     .value("type")
                     .toString(),
            "done");
        startBrowser();
        if (QTest::currentTestFailed())
            return;
        QTest::qWait(3000); // loaded, connected, a few seconds counted

        const double clockBefore = secondsNow(referee);
        const QImage screen = screenshot();
        const double clockAfter = secondsNow(referee);
        const QString page = textOn(screen);
        QVERIFY2(page.contains(QStringLiteral("Spring 1901")), qPrintable(page));
        const QRegularExpressionMatch time =
            QRegularExpression(QStringLiteral("(\\d+):(\\d\\d)")).match(page);
        QVERIFY2(time.hasMatch(), qPrintable(page));
        const double shown = time.captured(1).toInt() * 60 + time.captured(2).toInt();
        // Within a second of the clock while the screenshot was taken.
        QVERIFY2(shown > clockAfter - 1 && shown < clockBefore + 1,
            qPrintable(QStringLiteral("page %1, clock %2 to %3")
                           .arg(shown)
                           .arg(clockBefore)
                           .arg(clockAfter)));

        _clock.kill();
        _clock.waitForFinished(5000);
        QTest::qWait(4500); // 3 s of silence, and the check that follows a second later
        const QString lost = textOn(screenshot());
        QVERIFY2(lost.contains(QStringLiteral("connection lost")), qPrintable(lost));
    }

private:
    void writePreferences()
    {
        QDir().mkpath(_home.filePath(QStringLiteral("Corvelworks")));
        QFile file(_home.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[General]\nviewer.enabled=1\nviewer.port=%1\nviewer.pin=1357\n"
                                  "viewer.address=127.0.0.1\ndefaults.marquisText=Board 3\n")
                       .arg(_port)
                       .toUtf8());
    }

    void startClock()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), _home.path());
        _clock.setProcessEnvironment(environment);
        _clock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        _clock.start(QStringLiteral(MERVANE_BINARY), {});
        QVERIFY(_clock.waitForStarted(5000));
        QVERIFY(QTest::qWaitFor([this] { return canConnect(_port); }, 15'000));
    }

    void startBrowser()
    {
        const QString profile = _home.filePath(QStringLiteral("chromium"));
        _browser.setProcessChannelMode(QProcess::MergedChannels);
        _browser.start(QStringLiteral("chromium"),
            {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
                "--remote-allow-origins=*", "--user-data-dir=" + profile, "--window-size=1000,600",
                QStringLiteral("http://127.0.0.1:%1/").arg(_port)});
        QVERIFY(_browser.waitForStarted(5000));
        QFile activePort(profile + QStringLiteral("/DevToolsActivePort"));
        QVERIFY(QTest::qWaitFor([&] { return activePort.size() > 0; }, 30'000));
        QVERIFY(activePort.open(QIODevice::ReadOnly));
        _devToolsPort = activePort.readLine().trimmed().toUShort();
        const QString target = pageTarget();
        QVERIFY2(!target.isEmpty(), "no page in the browser");
        _devTools.open(QUrl(target));
        QVERIFY(QTest::qWaitFor(
            [this] { return _devTools.state() == QAbstractSocket::ConnectedState; }, 10'000));
    }

    // The DevTools address of the viewer page's tab.
    QString pageTarget()
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            const QJsonArray targets =
                QJsonDocument::fromJson(httpBody(_devToolsPort, "/json/list")).array();
            for (const QJsonValue &target : targets) {
                if (target[QLatin1String("type")] == QLatin1String("page") &&
                    target[QLatin1String("url")].toString().contains(QString::number(_port)))
                    return target[QLatin1String("webSocketDebuggerUrl")].toString();
            }
            QTest::qWait(200);
        }
        return QString();
    }

    QImage screenshot()
    {
        QByteArray reply;
        QMetaObject::Connection got = connect(&_devTools, &QWebSocket::textMessageReceived,
            [&](const QString &text) { reply = text.toUtf8(); });
        _devTools.sendTextMessage(QStringLiteral(
            "{\"id\":1,\"method\":\"Page.captureScreenshot\",\"params\":{\"format\":\"png\"}}"));
        const bool taken = QTest::qWaitFor([&] { return !reply.isEmpty(); }, 10'000);
        disconnect(got);
        if (!taken)
            return QImage();
        return QImage::fromData(QByteArray::fromBase64(
            QJsonDocument::fromJson(reply)["result"]["data"].toString().toLatin1()));
    }

    // The text on `screen` as OCR reads it.
    QString textOn(const QImage &screen)
    {
        // OCR reads letters best at a few dozen pixels high, not at the size of a room.
        const QString path = _home.filePath(QStringLiteral("screen.png"));
        screen.scaledToWidth(500, Qt::SmoothTransformation).save(path);
        QProcess ocr;
        ocr.start(QStringLiteral("tesseract"), {path, "stdout", "--psm", "11"});
        ocr.waitForFinished(30'000);
        return QString::fromUtf8(ocr.readAllStandardOutput()).simplified();
    }

    static double secondsNow(const ViewerClient &referee)
    {
        QJsonObject state;
        for (const QJsonObject &message : referee.messages) {
            for (auto field = message.constBegin(); field != message.constEnd(); ++field)
                state.insert(field.key(), field.value());
        }
        const double elapsed =
            (QDateTime::currentMSecsSinceEpoch() - state["at"].toDouble()) / 1000;
        return state["seconds"].toDouble() - (state["running"].toBool() ? elapsed : 0);
    }

    static bool canConnect(quint16 port)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.waitForConnected(200);
    }

    // The body of a GET answered with a Content-Length; the connection may stay open.
    static QByteArray httpBody(quint16 port, const QByteArray &path)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(2000))
            return QByteArray();
        // DevTools names its addresses after the host asked for.
        socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
            "\r\n\r\n");
        QByteArray reply;
        const auto whole = [&] {
            reply += socket.readAll();
            const qsizetype end = reply.indexOf("\r\n\r\n");
            const QRegularExpressionMatch length =
                QRegularExpression(QStringLiteral("(?i)content-length: *(\\d+)"))
                    .match(QString::fromLatin1(reply.left(end)));
            return end >= 0 && length.hasMatch() &&
                reply.size() - end - 4 >= length.captured(1).toLongLong();
        };
        if (!QTest::qWaitFor(whole, 5000))
            return QByteArray();
        return reply.mid(reply.indexOf("\r\n\r\n") + 4);
    }

    QTemporaryDir _home;
    quint16 _port = 0;
    quint16 _devToolsPort = 0;
    QProcess _clock;
    QProcess _browser;
    QWebSocket _devTools;
};

QTEST_GUILESS_MAIN(TestViewerPage)
#include "tst_viewerpage.moc"
