// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PinGuard.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpSocket;
struct HttpAnswer;
struct HttpRequest;
struct WebSocketFrame;

// One guest's TCP connection: a bounded HTTP/1.1 exchange that serves the viewer page and
// the cue files, and at /ws a WebSocket after it. Whatever a guest can make it hold is bounded: the
// request head, the message being received, the answers not yet read and the time taken. A guest
// past a bound is cut off; the connection then says it has finished and deletes itself.
class GuestConnection : public QObject
{
    Q_OBJECT

public:
    // The request line and headers; a request must not have a body.
    static constexpr int maxRequestBytes = 8 * 1024;
    // For each request, counted from the connection or the answer before it.
    static constexpr qint64 requestMilliseconds = 5'000;
    static constexpr int maxMessageBytes = 4096;
    // Answers not yet taken by the guest's side.
    static constexpr qint64 maxBacklogBytes = 64 * 1024;
    // What the system may hold for a guest each way, set on its socket (Linux doubles it for
    // its own bookkeeping).
    static constexpr int socketBufferBytes = 8 * 1024;
    static constexpr qint64 pingMilliseconds = 4'000;
    static constexpr qint64 pongMilliseconds = 10'000;
    // After its last answer, how long a connection waits for the guest to close its side, so
    // that the guest reads the answer rather than a reset; then it is cut off.
    static constexpr qint64 closingMilliseconds = 2'000;

    // Takes over `socket`; `clock` gives the milliseconds the deadlines count in.
    GuestConnection(QTcpSocket *socket, PinGuard::Clock clock, QObject *parent = nullptr);
    ~GuestConnection() override;

    // Who the guest is for caps and lockouts (GuestAdmission::addressGroup).
    QString address() const { return _address; }
    bool isWebSocket() const { return _state == State::WebSocket; }

    // A text message on the WebSocket.
    void sendText(const QByteArray &utf8);
    // A WebSocket close, then the connection goes.
    void close(quint16 code, const QByteArray &reason = QByteArray());
    // An HTTP answer that the server is full, then the connection goes.
    void refuseAsFull();
    void abort();
    // Cuts off a guest past its deadline, and pings a WebSocket that is due.
    void checkTime();

signals:
    void webSocketOpened();
    void textReceived(const QString &text);
    void binaryReceived();
    void finished();

private:
    enum class State { Http, WebSocket, Closing };

    void readAvailable();
    bool readRequests();
    void answer(const HttpRequest &request);
    void send(const HttpAnswer &answer);
    void writeBody();
    QStringList ownOrigins() const;
    bool readFrames();
    void handleFrame(const WebSocketFrame &frame);
    void handleMessage();
    void sendFrame(int opcode, const QByteArray &payload);
    void write(const QByteArray &bytes);
    void closeAfterWriting();
    void shutDownSending();
    void finish();

    QTcpSocket *_socket;
    PinGuard::Clock _clock;
    QString _address;
    State _state = State::Http;
    QByteArray _input;
    // A message in fragments, with the opcode of its first.
    QByteArray _message;
    int _messageOpcode = 0;
    // The answer's body not yet handed to the system, shared with its source.
    QByteArray _body;
    qsizetype _bodySent = 0;
    bool _closeAfterBody = false;
    bool _sendingShutDown = false;
    qint64 _deadline = 0;
    qint64 _lastPing = 0;
    bool _finished = false;
};
