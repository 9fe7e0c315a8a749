// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebSocketFrame.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

using Frame = WebSocketFrame;

Frame failed(quint16 code, const char *reason)
{
    Frame frame;
    frame.status = Frame::Status::Failed;
    frame.closeCode = code;
    frame.reason = reason;
    return frame;
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// What is wrong with a frame's first two bytes in the message's place; null when nothing.
const char *headProblem(quint8 first, quint8 second, bool inMessage)
{
    const int opcode = first & 0x0f;
    const bool final = first & 0x80, control = opcode & 0x8;
    if (first & 0x70)
        return "No extension was agreed";
    if (!(second & 0x80))
        return "Frames from a client are masked";
    if (opcode > Frame::Binary && !(opcode >= Frame::Close && opcode <= Frame::Pong))
        return "Unknown frame";
    if (control && !final)
        return "A control frame is never split";
    if (opcode == Frame::Continuation && !inMessage)
        return "A continuation of nothing";
    if ((opcode == Frame::Text || opcode == Frame::Binary) && inMessage)
        return "A new message inside a message";
    return nullptr;
}

// A close's payload is empty, or a code a peer may send and a reason in UTF-8.
Frame checkClose(Frame frame)
{
    if (frame.payload.size() == 1)
        return failed(Frame::closeProtocolError, "A close with one byte");
    if (frame.payload.isEmpty())
        return frame;
    if (!Frame::isSendableCloseCode(qFromBigEndian<quint16>(frame.payload.constData())))
        return failed(Frame::closeProtocolError, "A close code that is never sent");
    if (!isUtf8(frame.payload.mid(2)))
        return failed(Frame::closeBadData, "A close reason that is not UTF-8");
    return frame;
}

} // namespace

Frame WebSocketFrame::read(const QByteArray &input, bool inMessage, qsizetype room)
{
    if (input.size() < 2)
        return {};
    const auto first = quint8(input.at(0)), second = quint8(input.at(1));
    if (const char *problem = headProblem(first, second, inMessage))
        return failed(closeProtocolError, problem);
    const int opcode = first & 0x0f;
    qsizetype head = 2;
    quint64 length = second & 0x7f;
    if (length >= 126) {
        head = length == 126 ? 4 : 10;
        if (input.size() < head)
            return {};
        length = head == 4 ? qFromBigEndian<quint16>(input.constData() + 2)
                           : qFromBigEndian<quint64>(input.constData() + 2);
        // Each length has one form, the shortest; the longest has its top bit clear.
        if (length < (head == 4 ? 126u : 0x10000u) || (length >> 63) != 0)
            return failed(closeProtocolError, "A length in more bytes than it needs");
    }
    if ((opcode & 0x8) && length > quint64(maxControlBytes))
        return failed(closeProtocolError, "A control frame over 125 bytes");
    if (!(opcode & 0x8) && length > quint64(std::max<qsizetype>(room, 0)))
        return failed(closeTooBig, "Message too long");
    if (input.size() < head + 4 + qsizetype(length))
        return {};
    Frame frame;
    frame.status = Status::Whole;
    frame.final = first & 0x80;
    frame.opcode = opcode;
    frame.size = head + 4 + qsizetype(length);
    frame.payload = input.mid(head + 4, qsizetype(length));
    for (qsizetype i = 0; i < frame.payload.size(); ++i)
        frame.payload[i] = char(frame.payload.at(i) ^ input.at(head + i % 4));
    return opcode == Close ? checkClose(frame) : frame;
}

bool WebSocketFrame::isSendableCloseCode(quint16 code)
{
    return (code >= 1000 && code <= 1003) || (code >= 1007 && code <= 1014) ||
        (code >= 3000 && code <= 4999);
}

// Server frames are never masked; the length takes one, three or nine bytes.
QByteArray WebSocketFrame::encode(int opcode, const QByteArray &payload)
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
    return frame + payload;
}
