// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>

#include <optional>

// The head of one HTTP/1.x request: its request line and headers, names in lower case.
struct HttpRequest
{
    QByteArray method;
    QByteArray path; // without the query
    QByteArray version;
    QHash<QByteArray, QByteArray> headers;

    // `head` runs up to, not including, the blank line. Nothing when it is not a well-formed
    // request: a line folded onto the one before, a space before a header's colon, a second
    // Host or Content-Length, a Transfer-Encoding, or HTTP/1.1 without a Host.
    static std::optional<HttpRequest> parse(const QByteArray &head);

    QByteArray header(const QByteArray &lowerCaseName) const
    {
        return headers.value(lowerCaseName);
    }
    // Whether a comma-separated header holds `token`, in any case.
    bool hasToken(const QByteArray &lowerCaseName, const QByteArray &token) const;
    bool hasBody() const;
    // HTTP/1.0, or Connection: close.
    bool wantsClose() const;
};
