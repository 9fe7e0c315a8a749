// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QtEndian>

// A viewer on loopback that keeps every message it is sent. It speaks WebSocket itself, so that
// it can come from any address in 127.0.0.0/8, leave pings unanswered, and send odd frames.
class ViewerClient : public QObject
{
    Q_OBJECT

public:
    // `request`, when not null, is sent instead of the handshake a page of the clock's sends.
    explicit ViewerClient(quint16 port, const QString &from = QStringLiteral("127.0.0.1"),
        const QByteArray &request = QByteArray())
    {
        connect(&socket, &QTcpSocket::readyRead, this, &ViewerClient::read);
        connect(&socket, &QTcpSocket::disconnected, this, &ViewerClient::closed);
        socket.bind(QHostAddress(from));
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.write(!request.isNull() ? request : upgrade(port));
    }

    // The handshake a page of the clock's sends.
    static QByteArray upgrade(quint16 port)
    {
        return "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: "
               "Upgrade\r\nSec-WebSocket-Version: 13\r\nSec-WebSocket-Key: "
               "dGhlIHNhbXBsZSBub25jZQ==\r\nOrigin: http://127.0.0.1:" +
            QByteArray::number(port) + "\r\n\r\n";
    }

    // The address in 127.0.0.0/8 of the `device`th of many guests.
    static QString from(int device)
    {
        return QStringLiteral("127.0.%1.%2").arg(1 + device / 250).arg(1 + device % 250);
    }
    // A loopback port that was free a moment ago.
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    bool waitFor(int count, int timeoutMs = 5000)
    {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, timeoutMs);
    }
    // Sends `message` and answers the reply to it, passing over the clock's changes and (unless
    // it is a ping) the answers to pings that come meanwhile; an empty object after 5 s.
    QJsonObject ask(const QJsonObject &message)
    {
        waitFor(1); // the whole state, which comes first
        sendFrame(0x81, QJsonDocument(message).toJson()); // only written: nothing is read yet
        const bool ping = message["type"] == QLatin1String("ping");
        for (qsizetype next = messages.size(); waitFor(next + 1); ++next) {
            const QJsonValue type = messages.at(next)["type"];
            if (type != QLatin1String("change") && (type == QLatin1String("pong")) == ping)
                return messages.at(next);
        }
        return QJsonObject();
    }
    // Sends the PIN (`what` is "pin") or a command with it, and answers the error, or else the
    // answer's type: "done" for a command, "pin" for a right PIN.
    QString answer(const QString &what, const QString &pin)
    {
        const QJsonObject reply = ask(what == QLatin1String("pin")
                ? QJsonObject{{"type", "pin"}, {"pin", pin}}
                : QJsonObject{{"type", "command"}, {"command", what}, {"pin", pin}});
        return reply.value(reply.contains(QLatin1String("error")) ? "error" : "type").toString();
    }
    // One frame with `first` as its first byte (final bit and opcode), masked unless not.
    void sendFrame(quint8 first, const QByteArray &payload, bool masked = true)
    {
        QByteArray frame(1, char(first));
        const char maskBit = masked ? char(0x80) : char(0);
        if (payload.size() < 126) {
            frame.append(char(maskBit | payload.size()));
        } else {
            frame.append(char(maskBit | 126)).append(2, '\0');
            qToBigEndian(quint16(payload.size()), frame.data() + 2);
        }
        const QByteArray key = masked ? "\x5a\xc3\x3c\xa5" : "";
        QByteArray body = payload;
        for (qsizetype i = 0; masked && i < body.size(); ++i)
            body[i] = char(body.at(i) ^ key.at(i % 4));
        socket.write(frame + key + body);
    }

    QTcpSocket socket;
    QByteArray handshake;
    QList<QJsonObject> messages;
    int closeCode = 0;
    bool answerPings = true;

signals:
    void received();
    void closed();

private:
    void read()
    {
        _input += socket.readAll();
        if (handshake.isEmpty()) {
            const qsizetype end = _input.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            handshake = _input.left(end);
            _input.remove(0, end + 4);
        }
        while (_input.size() >= 2) {
            const int opcode = _input.at(0) & 0x0f;
            qsizetype length = _input.at(1) & 0x7f, head = 2;
            if (length == 126) {
                if (_input.size() < 4)
                    return;
                length = qFromBigEndian<quint16>(_input.constData() + 2);
                head = 4;
            }
            if (_input.size() < head + length)
                return;
            const QByteArray payload = _input.mid(head, length);
            _input.remove(0, head + length);
            if (opcode == 0x9 && answerPings)
                sendFrame(0x8A, payload);
            if (opcode == 0x8)
                closeCode =
                    payload.size() >= 2 ? qFromBigEndian<quint16>(payload.constData()) : 1005;
            if (opcode == 0x1) {
                messages.append(QJsonDocument::fromJson(payload).object());
                emit received();
            }
        }
    }

    QByteArray _input;
};
