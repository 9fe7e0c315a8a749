#include "HttpRequest.h"

#include <QList>

std::optional<HttpRequest> HttpRequest::parse(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !requestLine.at(2).startsWith("HTTP/1."))
        return std::nullopt;
    HttpRequest request;
    request.method = requestLine.at(0);
    const qsizetype query = requestLine.at(1).indexOf('?');
    request.path = query < 0 ? requestLine.at(1) : requestLine.at(1).left(query);
    request.version = requestLine.at(2);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon <= 0)
            return std::nullopt;
        QByteArray &value = request.headers[lines.at(i).left(colon).trimmed().toLower()];
        // Repeated headers join as one list, as HTTP allows.
        value += (value.isEmpty() ? "" : ", ") + lines.at(i).mid(colon + 1).trimmed();
    }
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
    return headers.contains("transfer-encoding") || (!length.isEmpty() && length != "0");
}

bool HttpRequest::wantsClose() const
{
    return version == "HTTP/1.0" || hasToken("connection", "close");
}
