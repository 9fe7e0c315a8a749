// SPDX-License-Identifier: GPL-3.0-or-later
// One libFuzzer target per parser of what guests send: the WebSocket frame reader when built
// with MERVANE_FUZZ_FRAMES, else the request-head parser. Its corpus starts from the parser's
// table rows, written to the folder MERVANE_FUZZ_SEEDS names before libFuzzer reads it.
#include "HttpRequest.h"
#include "ParserRows.h"
#include "WebSocketFrame.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QList<QByteArray> rows;
#ifdef MERVANE_FUZZ_FRAMES
    for (const auto &row : ParserRows::frames())
        rows.append(std::get<0>(row));
#else
    for (const auto &row : ParserRows::heads())
        rows.append(row.first);
#endif
    const QString folder = qEnvironmentVariable("MERVANE_FUZZ_SEEDS");
    for (qsizetype i = 0; !folder.isEmpty() && QDir().mkpath(folder) && i < rows.size(); ++i) {
        QFile seed(QDir(folder).filePath(QStringLiteral("row-%1").arg(i)));
        if (seed.open(QIODevice::WriteOnly))
            seed.write(rows.at(i));
    }
    return 0;
}

// Frames read one after another as a connection reads them, each within its bounds; or a
// head read whole, or refused, and what was read came from it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
#ifdef MERVANE_FUZZ_FRAMES
    constexpr qsizetype maxMessage = 4096;
    qsizetype message = -1; // bytes of the message under way; -1: none
    for (WebSocketFrame frame; (frame = WebSocketFrame::read(input, message >= 0,
                                    maxMessage - std::max<qsizetype>(message, 0)))
                                   .status == WebSocketFrame::Status::Whole;
         input.remove(0, frame.size)) {
        const bool control = frame.opcode & 0x8;
        if (!control)
            message = frame.final ? -1 : std::max<qsizetype>(message, 0) + frame.payload.size();
        if (frame.size > input.size() || frame.size < frame.payload.size() + 6 ||
            message > maxMessage ||
            (control && (frame.payload.size() > WebSocketFrame::maxControlBytes || !frame.final)))
            __builtin_trap();
    }
#else
    const std::optional<HttpRequest> request = HttpRequest::parse(input);
    if (request && !request->wantsClose() && !request->headers.contains("host"))
        __builtin_trap();
#endif
    return 0;
}
