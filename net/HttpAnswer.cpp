// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpAnswer.h"

#include "CueFiles.h"
#include "HttpRequest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

namespace {

// What a client's Sec-WebSocket-Key must decode to.
constexpr qsizetype webSocketKeyBytes = 16;

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page with its cue schedule inline: one request, and a policy that needs no script file.
const QByteArray &viewerPage()
{
    static const QByteArray page =
        resource(QStringLiteral(":/net/viewer.html"))
            .replace("<!-- cueschedule.js -->",
                "<script>\n" + resource(QStringLiteral(":/net/cueschedule.js")) + "</script>");
    return page;
}

QByteArray reason(int status)
{
    static const QHash<int, QByteArray> reasons = {{101, "Switching Protocols"}, {200, "OK"},
        {400, "Bad Request"}, {403, "Forbidden"}, {404, "Not Found"}, {405, "Method Not Allowed"},
        {408, "Request Timeout"}, {413, "Content Too Large"}, {426, "Upgrade Required"},
        {431, "Request Header Fields Too Large"}, {503, "Service Unavailable"}};
    return reasons.value(status, "Error");
}

bool isWebSocketKey(const QByteArray &key)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    return key.size() == 24 && decoded && decoded.decoded.size() == webSocketKeyBytes;
}

HttpAnswer webSocket(const HttpRequest &request, const QStringList &ownOrigins)
{
    const QByteArray key = request.header("sec-websocket-key");
    if (request.version == "HTTP/1.0" || !request.hasToken("connection", "upgrade") ||
        !isWebSocketKey(key))
        return HttpAnswer::refusal(400, "Not a WebSocket handshake\n");
    if (request.header("sec-websocket-version") != "13")
        return HttpAnswer::refusal(
            426, "Only WebSocket version 13\n", "Sec-WebSocket-Version: 13\r\n");
    // A page from anywhere else must not command the clock in a guest's browser.
    const QByteArray origin = request.header("origin");
    if (!origin.isEmpty() && !ownOrigins.contains(QString::fromLatin1(origin), Qt::CaseInsensitive))
        return HttpAnswer::refusal(403, "Only the clock's own page\n");
    const QByteArray accept = QCryptographicHash::hash(
        key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1)
                                  .toBase64();
    return {101,
        "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Accept: " + accept + "\r\n", {},
        false, false};
}

// A cue never changes while the program is the same, so a phone keeps it for a day.
HttpAnswer file(const QByteArray &path)
{
    const QByteArray cue = CueFiles::file(path);
    if (cue.isEmpty())
        return {404, {}, "Not found\n", false, false};
    return {200,
        "Content-Type: audio/wav\r\nCache-Control: public, max-age=86400\r\n"
        "X-Content-Type-Options: nosniff\r\n",
        cue, false, false};
}

} // namespace

HttpAnswer HttpAnswer::to(const HttpRequest &request, const QStringList &ownOrigins)
{
    const bool head = request.method == "HEAD";
    if (request.hasBody())
        return refusal(413, "A request here has no body\n");
    if (request.method != "GET" && !head)
        return refusal(405, "Only GET and HEAD\n", "Allow: GET, HEAD\r\n");
    if (request.path == "/ws" && !head && request.hasToken("upgrade", "websocket"))
        return webSocket(request, ownOrigins);
    // Never framed by another site, and the WebSocket named by its scheme for browsers
    // that do not count ws: as the page's own.
    static const QByteArray pageHead =
        "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
        "X-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer\r\n"
        "X-Frame-Options: DENY\r\nContent-Security-Policy: default-src 'none'; "
        "script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self' ws:; "
        "img-src data:; frame-ancestors 'none'; base-uri 'none'; form-action 'none'\r\n";
    HttpAnswer answer = request.path == "/" ? HttpAnswer{200, pageHead, viewerPage(), false, false}
                                            : file(request.path);
    answer.close = request.wantsClose();
    answer.bodyless = head;
    return answer;
}

HttpAnswer HttpAnswer::refusal(int status, const QByteArray &body, const QByteArray &head)
{
    return {status, head, body, true, false};
}

QByteArray HttpAnswer::statusAndHeaders() const
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    bytes += head;
    if (status != 101) {
        if (!head.contains("Content-Type"))
            bytes += "Content-Type: text/plain; charset=utf-8\r\n";
        bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    }
    return bytes + (close ? "Connection: close\r\n\r\n" : "\r\n");
}
