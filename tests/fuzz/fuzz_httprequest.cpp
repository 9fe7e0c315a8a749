// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpRequest.h"
#include "ParserRows.h"
#include "Seeds.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QList<QByteArray> rows;
    for (const ParserRows::Head &row : ParserRows::heads())
        rows.append(row.head);
    writeSeeds(rows);
    return 0;
}

// A head read whole, or refused; what was read came from it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray head = bytes(data, size);
    if (const std::optional<HttpRequest> request = HttpRequest::parse(head)) {
        request->hasBody();
        request->hasToken("connection", "upgrade");
        if (!head.startsWith(request->method + ' ') || !head.contains(request->path) ||
            (!request->wantsClose() && !request->headers.contains("host")))
            __builtin_trap();
    }
    return 0;
}
