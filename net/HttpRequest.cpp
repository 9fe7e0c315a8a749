// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpRequest.h"

#include <QList>

#include <algorithm>

namespace {

// A method or a header name: letters, digits and a few marks, nothing else.
bool isToken(const QByteArray &text)
{
    static const QByteArray marks = "!#$%&'*+-.^_`|~";
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            marks.contains(c);
    });
}

// No control character but a tab: a stray CR or NUL in a value is refused, not passed on.
bool isFieldValue(const QByteArray &value)
{
    return std::all_of(value.begin(), value.end(),
        [](char c) { return c == '\t' || (uchar(c) >= 0x20 && uchar(c) != 0x7f); });
}

bool isDigits(const QByteArray &text)
{
    return !text.isEmpty() &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool readRequestLine(const QByteArray &line, HttpRequest &request)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || !isToken(parts.at(0)) || parts.at(1).isEmpty())
        return false;
    const QByteArray &version = parts.at(2);
    if (version.size() != 8 || !version.startsWith("HTTP/1.") || !isDigits(version.mid(7)))
        return false;
    request.method = parts.at(0);
    const qsizetype query = parts.at(1).indexOf('?');
    request.path = query < 0 ? parts.at(1) : parts.at(1).left(query);
    request.version = version;
    return true;
}

bool readHeader(const QByteArray &line, HttpRequest &request)
{
    const qsizetype colon = line.indexOf(':');
    // A name ends at its colon: a space before it, or a line folded onto the one before
    // (which starts with a space), is refused, as two servers may read it two ways.
    const QByteArray name = line.left(colon).toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (colon <= 0 || !isToken(name) || !isFieldValue(value))
        return false;
    // A body's length said twice, or in chunks, is where requests are smuggled.
    if (name == "transfer-encoding" || (name == "content-length" && !isDigits(value)))
        return false;
    const bool once = name == "host" || name == "content-length";
    if (once && request.headers.contains(name))
        return false;
    QByteArray &joined = request.headers[name];
    // Other repeated headers join as one list, as HTTP allows.
    joined += (joined.isEmpty() ? "" : ", ") + value;
    return true;
}

} // namespace

std::optional<HttpRequest> HttpRequest::parse(const QByteArray &head)
{
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    HttpRequest request;
    if (!readRequestLine(lines.first(), request))
        return std::nullopt;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!readHeader(lines.at(i), request))
            return std::nullopt;
    }
    if (request.version != "HTTP/1.0" && !request.headers.contains("host"))
        return std::nullopt;
    return request;
}

bool HttpRequest::hasToken(const QByteArray &lowerCaseName, const QByteArray &token) const
{
    for (const QByteArray &item : header(lowerCaseName).split(',')) {
        if (item.trimmed().compare(token, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool HttpRequest::hasBody() const
{
    const QByteArray length = header("content-length");
    return std::any_of(length.begin(), length.end(), [](char c) { return c != '0'; });
}

bool HttpRequest::wantsClose() const
{
    return version == "HTTP/1.0" || hasToken("connection", "close");
}
