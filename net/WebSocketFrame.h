// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// One WebSocket frame from a guest, read from the start of the bytes received: the frame,
// a wait for more bytes, or the close code and reason that end the connection. A frame's head
// is judged as soon as it is in, so a guest cannot make the server wait for a payload it
// would refuse.
struct WebSocketFrame
{
    enum class Status { Incomplete, Whole, Failed };
    enum Opcode {
        Continuation = 0x0,
        Text = 0x1,
        Binary = 0x2,
        Close = 0x8,
        Ping = 0x9,
        Pong = 0xA
    };
    static constexpr quint16 closeProtocolError = 1002, closeBadData = 1007, closePolicy = 1008,
                             closeTooBig = 1009;
    // Ping, pong and close carry at most this much, and are never split.
    static constexpr int maxControlBytes = 125;
    // The largest frame head: two bytes, eight of length and four of mask.
    static constexpr int maxHeadBytes = 14;

    Status status = Status::Incomplete;
    bool final = false;
    int opcode = 0;
    QByteArray payload; // unmasked
    qsizetype size = 0; // bytes of the input the frame took
    quint16 closeCode = 0; // when Failed
    QByteArray reason; // when Failed

    // `inMessage`: a message's first fragment came and its last has not; `room`: bytes its
    // data frames may still add to it.
    static WebSocketFrame read(const QByteArray &input, bool inMessage, qsizetype room);
    // A whole frame from the server.
    static QByteArray encode(int opcode, const QByteArray &payload);
    // Whether a peer may send `code` in a close frame.
    static bool isSendableCloseCode(quint16 code);
};
