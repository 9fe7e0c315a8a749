// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParserRows.h"
#include "Seeds.h"
#include "WebSocketFrame.h"

namespace {
constexpr qsizetype maxMessageBytes = 4096;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QList<QByteArray> rows;
    for (const ParserRows::Frame &row : ParserRows::frames())
        rows.append(row.bytes);
    writeSeeds(rows);
    return 0;
}

// Frames read one after another as a connection reads them, each within its bounds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input = bytes(data, size);
    qsizetype message = -1; // bytes of the message under way; -1: none
    while (true) {
        const WebSocketFrame frame =
            WebSocketFrame::read(input, message >= 0, maxMessageBytes - std::max<qsizetype>(message, 0));
        if (frame.status != WebSocketFrame::Status::Whole)
            return 0;
        const bool control = frame.opcode & 0x8;
        if (frame.size > input.size() || frame.size < frame.payload.size() + 6 ||
            (control && (frame.payload.size() > WebSocketFrame::maxControlBytes || !frame.final)))
            __builtin_trap();
        if (!control) {
            message = frame.final ? -1 : std::max<qsizetype>(message, 0) + frame.payload.size();
            if (message > maxMessageBytes)
                __builtin_trap();
        }
        input.remove(0, frame.size);
    }
}
