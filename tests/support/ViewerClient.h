#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QWebSocket>

// A viewer on loopback that keeps every message it is sent, for tests and the benchmark.
class ViewerClient : public QObject
{
    Q_OBJECT

public:
    explicit ViewerClient(quint16 port, QObject *parent = nullptr)
        : QObject(parent)
    {
        connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString &text) {
            messages.append(QJsonDocument::fromJson(text.toUtf8()).object());
            emit received();
        });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    }

    // A loopback port that was free a moment ago.
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    // Waits, at most `timeoutMs`, until `count` messages have come.
    bool waitFor(int count, int timeoutMs = 5000)
    {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, timeoutMs);
    }
    // Sends `message` and answers the reply to it, passing over the clock's changes that
    // come meanwhile; an empty object after 5 s.
    QJsonObject ask(const QJsonObject &message)
    {
        int next = messages.size();
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
        while (waitFor(next + 1)) {
            if (messages.at(next).value(QLatin1String("type")) != QLatin1String("change"))
                return messages.at(next);
            ++next;
        }
        return QJsonObject();
    }

    QWebSocket socket;
    QList<QJsonObject> messages;

signals:
    void received();
};
