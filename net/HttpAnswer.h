// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

struct HttpRequest;

// What the server answers to one request, worked out apart from the connection that sends it:
// the page, a cue, a refusal, or the handshake that opens the WebSocket (status 101).
struct HttpAnswer
{
    int status = 200;
    QByteArray head; // header lines, each ending in CRLF
    QByteArray body; // shared with its source
    bool close = false;
    bool bodyless = false; // HEAD: the headers GET would have, and no body

    // `ownOrigins`: the Origins of the clock's own page, as a browser names them.
    static HttpAnswer to(const HttpRequest &request, const QStringList &ownOrigins);
    // An answer that ends the connection.
    static HttpAnswer refusal(int status, const QByteArray &body, const QByteArray &head = {});
    // The status line and headers, with the blank line after them.
    QByteArray statusAndHeaders() const;
};
