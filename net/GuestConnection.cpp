// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuestConnection.h"

#include "GuestAdmission.h"
#include "HttpAnswer.h"
#include "HttpRequest.h"
#include "WebSocketFrame.h"

#include <QHostAddress>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QtEndian>

#include <sys/socket.h>

#include <algorithm>
#include <utility>

namespace {
using Frame = WebSocketFrame;
// A longer answer goes out a piece at a time, as the guest takes it.
constexpr qsizetype bodyPieceBytes = 16 * 1024;
} // namespace

GuestConnection::GuestConnection(QTcpSocket *socket, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _socket(socket)
    , _clock(std::move(clock))
    , _address(GuestAdmission::addressGroup(socket->peerAddress()))
    , _deadline(_clock() + requestMilliseconds)
{
    _socket->setParent(this);
    // Qt stops reading from the system once this much waits for us, so the guest waits.
    _socket->setReadBufferSize(maxRequestBytes);
    _socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, socketBufferBytes);
    _socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, socketBufferBytes);
    connect(_socket, &QTcpSocket::readyRead, this, &GuestConnection::readAvailable);
    connect(_socket, &QTcpSocket::bytesWritten, this, &GuestConnection::writeBody);
    connect(_socket, &QTcpSocket::disconnected, this, &GuestConnection::finish);
    connect(_socket, &QTcpSocket::errorOccurred, this, &GuestConnection::finish);
}

GuestConnection::~GuestConnection()
{
    _socket->disconnect(this);
    _socket->abort();
}

void GuestConnection::sendText(const QByteArray &utf8)
{
    if (_state == State::WebSocket)
        sendFrame(Frame::Text, utf8);
}

void GuestConnection::close(quint16 code, const QByteArray &reason)
{
    if (_state != State::WebSocket)
        return abort();
    QByteArray payload(2, '\0');
    qToBigEndian(code, payload.data());
    sendFrame(Frame::Close, payload + reason.left(Frame::maxControlBytes - 2));
    closeAfterWriting();
}

void GuestConnection::refuseAsFull()
{
    send(HttpAnswer::refusal(
        503, "The clock has no room for more guests just now\n", "Retry-After: 5\r\n"));
}

void GuestConnection::abort()
{
    _socket->abort();
    finish();
}

// A guest that sent part of a request is told its time ran out; an idle one is let go.
void GuestConnection::checkTime()
{
    const qint64 now = _clock();
    if (now >= _deadline) {
        if (_state == State::Http && !_input.isEmpty() && _body.isEmpty())
            return send(HttpAnswer::refusal(408, "Request timeout\n"));
        return abort();
    }
    if (_state == State::WebSocket && now - _lastPing >= pingMilliseconds) {
        _lastPing = now;
        sendFrame(Frame::Ping, QByteArray());
    }
}

// Reads no more than can be used at once: the rest waits in the system, and the guest with it.
// A closing connection reads only to throw away, so that the guest's close is seen.
void GuestConnection::readAvailable()
{
    if (_state == State::Closing) {
        _socket->skip(_socket->bytesAvailable());
        return;
    }
    bool more = true;
    while (more && !_finished && _state != State::Closing && _socket->bytesAvailable() > 0) {
        const qsizetype room =
            (_state == State::Http ? maxRequestBytes : maxMessageBytes + Frame::maxHeadBytes) -
            _input.size();
        _input += _socket->read(std::max<qsizetype>(0, room));
        more = _state == State::Http ? readRequests() : readFrames();
    }
}

// Answers every whole request in the input; false once the connection is done with.
bool GuestConnection::readRequests()
{
    qsizetype end;
    while (_state == State::Http && (end = _input.indexOf("\r\n\r\n")) >= 0) {
        // One answer at a time: a guest that sends more without reading is cut off.
        if (_socket->bytesToWrite() > 0 || !_body.isEmpty()) {
            abort();
            return false;
        }
        const std::optional<HttpRequest> request = HttpRequest::parse(_input.left(end));
        _input.remove(0, end + 4);
        if (!request) {
            send(HttpAnswer::refusal(400, "Bad request\n"));
            return false;
        }
        answer(*request);
    }
    if (_state == State::Http && _input.size() >= maxRequestBytes) {
        send(HttpAnswer::refusal(431, "Request too large\n"));
        return false;
    }
    if (_state == State::WebSocket)
        return readFrames();
    return _state == State::Http;
}

void GuestConnection::answer(const HttpRequest &request)
{
    const HttpAnswer answer = HttpAnswer::to(request, ownOrigins());
    if (answer.status != 101)
        return send(answer);
    write(answer.statusAndHeaders());
    _state = State::WebSocket;
    _socket->setReadBufferSize(maxMessageBytes + Frame::maxHeadBytes);
    _lastPing = _clock();
    _deadline = _lastPing + pongMilliseconds;
    emit webSocketOpened();
}

void GuestConnection::send(const HttpAnswer &answer)
{
    write(answer.statusAndHeaders());
    if (!answer.close)
        _deadline = _clock() + requestMilliseconds;
    _body = answer.bodyless ? QByteArray() : answer.body;
    _bodySent = 0;
    _closeAfterBody = answer.close;
    writeBody();
    // Handed to the system now, so a guest that reads may send its next request at once.
    if (!_finished)
        _socket->flush();
}

// No more than two pieces wait here for a guest that does not read.
void GuestConnection::writeBody()
{
    if (_state == State::Closing) {
        if (_socket->bytesToWrite() == 0)
            shutDownSending();
        return;
    }
    while (!_body.isEmpty() && !_finished && _state == State::Http &&
        _socket->bytesToWrite() < bodyPieceBytes) {
        write(_body.mid(_bodySent, bodyPieceBytes));
        _bodySent += bodyPieceBytes;
        if (_bodySent >= _body.size())
            _body.clear();
        _socket->flush();
    }
    if (_body.isEmpty() && std::exchange(_closeAfterBody, false))
        closeAfterWriting();
}

// The address this connection came to, as a browser names it in its Origin header.
QStringList GuestConnection::ownOrigins() const
{
    bool isIpv4 = false;
    const QHostAddress local = _socket->localAddress();
    const quint32 ipv4 = local.toIPv4Address(&isIpv4);
    QStringList hosts = {
        isIpv4 ? QHostAddress(ipv4).toString() : QStringLiteral("[%1]").arg(local.toString())};
    if (local.isLoopback())
        hosts.append(QStringLiteral("localhost"));
    const quint16 port = _socket->localPort();
    for (QString &host : hosts)
        host = QStringLiteral("http://") + host +
            (port == 80 ? QString() : QStringLiteral(":%1").arg(port));
    return hosts;
}

// Handles every whole frame in the input; false once the connection is done with.
bool GuestConnection::readFrames()
{
    while (_state == State::WebSocket) {
        const Frame frame =
            Frame::read(_input, _messageOpcode != 0, maxMessageBytes - _message.size());
        if (frame.status == Frame::Status::Incomplete)
            return true;
        if (frame.status == Frame::Status::Failed) {
            close(frame.closeCode, frame.reason);
            return false;
        }
        _input.remove(0, frame.size);
        handleFrame(frame);
    }
    return false;
}

void GuestConnection::handleFrame(const WebSocketFrame &frame)
{
    switch (frame.opcode) {
    case Frame::Ping:
        return sendFrame(Frame::Pong, frame.payload);
    case Frame::Pong:
        _deadline = _clock() + pongMilliseconds;
        return;
    case Frame::Close:
        // The guest's code goes back to it, without its reason.
        sendFrame(Frame::Close, frame.payload.left(2));
        return closeAfterWriting();
    case Frame::Text:
    case Frame::Binary:
        _messageOpcode = frame.opcode;
        break;
    }
    _message += frame.payload;
    if (frame.final)
        handleMessage();
}

void GuestConnection::handleMessage()
{
    const QByteArray message = std::exchange(_message, QByteArray());
    if (std::exchange(_messageOpcode, 0) == Frame::Binary) {
        emit binaryReceived();
        return;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(message);
    if (decoder.hasError())
        return close(Frame::closeBadData, "Not UTF-8");
    emit textReceived(text);
}

void GuestConnection::sendFrame(int opcode, const QByteArray &payload)
{
    write(Frame::encode(opcode, payload));
}

// A guest that does not read is cut off rather than written for without end.
void GuestConnection::write(const QByteArray &bytes)
{
    if (_finished || _state == State::Closing)
        return;
    _socket->write(bytes);
    if (_socket->bytesToWrite() > maxBacklogBytes)
        abort();
}

// The last answer goes out, then this side's end of the stream; the guest's close ends the
// connection, or else the closing deadline does.
void GuestConnection::closeAfterWriting()
{
    if (_finished)
        return;
    _state = State::Closing;
    _deadline = _clock() + closingMilliseconds;
    _input.clear();
    _socket->flush();
    if (_socket->bytesToWrite() == 0)
        shutDownSending();
}

void GuestConnection::shutDownSending()
{
    if (!std::exchange(_sendingShutDown, true))
        ::shutdown(int(_socket->socketDescriptor()), SHUT_WR);
    readAvailable();
}

void GuestConnection::finish()
{
    if (std::exchange(_finished, true))
        return;
    _state = State::Closing;
    emit finished();
    deleteLater();
}
