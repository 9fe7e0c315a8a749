#include "GuestConnection.h"

#include "CueFiles.h"
#include "HttpRequest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHostAddress>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace {

constexpr int opContinuation = 0x0, opText = 0x1, opBinary = 0x2, opClose = 0x8, opPing = 0x9,
              opPong = 0xA;
constexpr quint16 closeProtocolError = 1002, closeBadData = 1007, closeTooBig = 1009;
// The largest frame header: two bytes, eight of length and four of mask.
constexpr int maxFrameHeadBytes = 14;
// A longer answer goes out a piece at a time, as the guest takes it.
constexpr qsizetype bodyPieceBytes = 16 * 1024;

const QByteArray &viewerPage()
{
    static const QByteArray page = [] {
        QFile file(QStringLiteral(":/net/viewer.html"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return page;
}

QByteArray reason(int status)
{
    switch (status) {
    case 101:
        return "Switching Protocols";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Content Too Large";
    case 431:
        return "Request Header Fields Too Large";
    }
    return "Error";
}

} // namespace

GuestConnection::GuestConnection(QTcpSocket *socket, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _socket(socket)
    , _clock(std::move(clock))
    , _deadline(_clock() + requestMilliseconds)
{
    _socket->setParent(this);
    // Qt stops reading from the system once this much waits for us, so the guest waits.
    _socket->setReadBufferSize(maxRequestBytes);
    bool isIpv4 = false;
    const quint32 ipv4 = _socket->peerAddress().toIPv4Address(&isIpv4);
    _address = isIpv4 ? QHostAddress(ipv4).toString() : _socket->peerAddress().toString();
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
        sendFrame(opText, utf8);
}

void GuestConnection::close(quint16 code, const QByteArray &reason)
{
    if (_state != State::WebSocket)
        return abort();
    QByteArray payload(2, '\0');
    qToBigEndian(code, payload.data());
    sendFrame(opClose, payload + reason.left(123));
    closeAfterWriting();
}

void GuestConnection::abort()
{
    _socket->abort();
    finish();
}

void GuestConnection::checkTime()
{
    const qint64 now = _clock();
    if (now >= _deadline)
        return abort();
    if (_state == State::WebSocket && now - _lastPing >= pingMilliseconds) {
        _lastPing = now;
        sendFrame(opPing, QByteArray());
    }
}

// Reads no more than can be used at once: the rest waits in the system, and the guest with it.
void GuestConnection::readAvailable()
{
    bool more = true;
    while (more && !_finished && _state != State::Closing && _socket->bytesAvailable() > 0) {
        const qsizetype room =
            (_state == State::Http ? maxRequestBytes : maxMessageBytes + maxFrameHeadBytes) -
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
            answerHttp(400, QByteArray(), "Bad request\n", true);
            return false;
        }
        answer(*request);
    }
    if (_state == State::Http && _input.size() >= maxRequestBytes) {
        answerHttp(431, QByteArray(), "Request too large\n", true);
        return false;
    }
    if (_state == State::WebSocket)
        return readFrames();
    return _state == State::Http;
}

void GuestConnection::answer(const HttpRequest &request)
{
    const bool head = request.method == "HEAD";
    if (request.hasBody())
        return answerHttp(413, QByteArray(), "A request here has no body\n", true);
    if (request.method != "GET" && !head)
        return answerHttp(405, "Allow: GET, HEAD\r\n", "Only GET and HEAD\n", true);
    if (request.path == "/ws" && !head && request.hasToken("upgrade", "websocket"))
        return openWebSocket(request);
    if (request.path != "/")
        return answerFile(request, CueFiles::file(request.path));
    static const QByteArray pageHead =
        "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
        "X-Content-Type-Options: nosniff\r\nContent-Security-Policy: default-src 'none'; "
        "script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'; "
        "img-src data:\r\nContent-Length: " +
        QByteArray::number(viewerPage().size()) + "\r\n";
    answerHttp(200, pageHead, head ? QByteArray() : viewerPage(), request.wantsClose());
}

// A cue never changes while the program is the same, so a phone keeps it for a day.
void GuestConnection::answerFile(const HttpRequest &request, const QByteArray &file)
{
    const bool head = request.method == "HEAD";
    if (file.isEmpty())
        return answerHttp(
            404, QByteArray(), head ? QByteArray() : "Not found\n", request.wantsClose());
    answerHttp(200,
        "Content-Type: audio/wav\r\nCache-Control: public, max-age=86400\r\n"
        "X-Content-Type-Options: nosniff\r\nContent-Length: " +
            QByteArray::number(file.size()) + "\r\n",
        head ? QByteArray() : file, request.wantsClose());
}

void GuestConnection::answerHttp(
    int status, const QByteArray &head, const QByteArray &body, bool close)
{
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    response += head;
    if (!head.contains("Content-Length"))
        response += "Content-Type: text/plain; charset=utf-8\r\nContent-Length: " +
            QByteArray::number(body.size()) + "\r\n";
    response += close ? "Connection: close\r\n\r\n" : "\r\n";
    write(response);
    if (!close)
        _deadline = _clock() + requestMilliseconds;
    _body = body;
    _bodySent = 0;
    _closeAfterBody = close;
    writeBody();
    // Handed to the system now, so a guest that reads may send its next request at once.
    if (!_finished)
        _socket->flush();
}

// No more than two pieces wait here for a guest that does not read.
void GuestConnection::writeBody()
{
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

void GuestConnection::openWebSocket(const HttpRequest &request)
{
    const QByteArray key = request.header("sec-websocket-key");
    if (!request.hasToken("connection", "upgrade") || key.isEmpty() ||
        request.header("sec-websocket-version") != "13")
        return answerHttp(400, QByteArray(), "Not a WebSocket handshake\n", true);
    // A page from anywhere else must not command the clock in a guest's browser.
    const QByteArray origin = request.header("origin");
    if (!origin.isEmpty() && !isOwnOrigin(origin))
        return answerHttp(403, QByteArray(), "Only the clock's own page\n", true);
    const QByteArray accept = QCryptographicHash::hash(
        key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1)
                                  .toBase64();
    write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
          "Sec-WebSocket-Accept: " +
        accept + "\r\n\r\n");
    _state = State::WebSocket;
    _socket->setReadBufferSize(maxMessageBytes + maxFrameHeadBytes);
    _lastPing = _clock();
    _deadline = _lastPing + pongMilliseconds;
    emit webSocketOpened();
}

// The address this connection came to, as a browser names it in its Origin header.
bool GuestConnection::isOwnOrigin(const QByteArray &origin) const
{
    bool isIpv4 = false;
    const QHostAddress local = _socket->localAddress();
    const quint32 ipv4 = local.toIPv4Address(&isIpv4);
    QStringList hosts = {
        isIpv4 ? QHostAddress(ipv4).toString() : QStringLiteral("[%1]").arg(local.toString())};
    if (local.isLoopback())
        hosts.append(QStringLiteral("localhost"));
    const quint16 port = _socket->localPort();
    for (const QString &host : hosts) {
        const QString own = QStringLiteral("http://") + host +
            (port == 80 ? QString() : QStringLiteral(":%1").arg(port));
        if (QString::fromLatin1(origin).compare(own, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Handles every whole frame in the input; false once the connection is done with.
bool GuestConnection::readFrames()
{
    while (_state == State::WebSocket && _input.size() >= 2) {
        const auto first = quint8(_input.at(0)), second = quint8(_input.at(1));
        if ((first & 0x70) || !(second & 0x80)) {
            close(closeProtocolError, "Frames from a client are masked, without extensions");
            return false;
        }
        qsizetype head = 2;
        quint64 length = second & 0x7f;
        if (length >= 126) {
            head = length == 126 ? 4 : 10;
            if (_input.size() < head)
                return true;
            length = head == 4 ? qFromBigEndian<quint16>(_input.constData() + 2)
                               : qFromBigEndian<quint64>(_input.constData() + 2);
        }
        if (length > quint64(maxMessageBytes - _message.size())) {
            close(closeTooBig, "Message too long");
            return false;
        }
        if (_input.size() < head + 4 + qsizetype(length))
            return true;
        QByteArray payload = _input.mid(head + 4, qsizetype(length));
        for (qsizetype i = 0; i < payload.size(); ++i)
            payload[i] = char(payload.at(i) ^ _input.at(head + i % 4));
        _input.remove(0, head + 4 + qsizetype(length));
        handleFrame(first & 0x80, first & 0x0f, payload);
    }
    return _state == State::WebSocket;
}

void GuestConnection::handleFrame(bool final, int opcode, const QByteArray &payload)
{
    switch (opcode) {
    case opPing:
        return sendFrame(opPong, payload.left(125));
    case opPong:
        _deadline = _clock() + pongMilliseconds;
        return;
    case opClose:
        sendFrame(opClose, payload.left(2));
        return closeAfterWriting();
    case opText:
    case opBinary:
        if (_messageOpcode != 0)
            return close(closeProtocolError, "A new message inside a message");
        _messageOpcode = opcode;
        break;
    case opContinuation:
        if (_messageOpcode == 0)
            return close(closeProtocolError, "A continuation of nothing");
        break;
    default:
        return close(closeProtocolError, "Unknown frame");
    }
    _message += payload;
    if (final)
        handleMessage();
}

void GuestConnection::handleMessage()
{
    const QByteArray message = std::exchange(_message, QByteArray());
    if (std::exchange(_messageOpcode, 0) == opBinary) {
        emit binaryReceived();
        return;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(message);
    if (decoder.hasError())
        return close(closeBadData, "Not UTF-8");
    emit textReceived(text);
}

// Server frames are never masked; the length takes one, three or nine bytes.
void GuestConnection::sendFrame(int opcode, const QByteArray &payload)
{
    QByteArray frame(1, char(0x80 | opcode));
    if (payload.size() < 126) {
        frame.append(char(payload.size()));
    } else if (payload.size() <= 0xffff) {
        frame.append(char(126)).append(2, '\0');
        qToBigEndian(quint16(payload.size()), frame.data() + 2);
    } else {
        frame.append(char(127)).append(8, '\0');
        qToBigEndian(quint64(payload.size()), frame.data() + 2);
    }
    write(frame + payload);
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

void GuestConnection::closeAfterWriting()
{
    if (_finished)
        return;
    _state = State::Closing;
    _deadline = _clock() + closingMilliseconds;
    _socket->disconnectFromHost();
}

void GuestConnection::finish()
{
    if (std::exchange(_finished, true))
        return;
    _state = State::Closing;
    emit finished();
    deleteLater();
}
