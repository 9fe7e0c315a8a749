// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpRequest.h"
#include "ParserRows.h"
#include "WebSocketFrame.h"

#include <QtTest>

// The parsers of what guests send, each a pure function held to its table of raw input.
class TestParsers : public QObject
{
    Q_OBJECT

private slots:
    void requestHeadsAreReadOrRefused()
    {
        for (const ParserRows::Head &row : ParserRows::heads()) {
            const std::optional<HttpRequest> request = HttpRequest::parse(row.head);
            const QByteArray read = !request ? QByteArray()
                                             : request->method + ' ' + request->path + ' ' +
                    char('0' + request->hasBody()) + ' ' + char('0' + request->wantsClose());
            QVERIFY2(read == row.parsed, row.head);
        }
    }

    void framesAreReadOrCloseWithTheirCode()
    {
        for (const ParserRows::Frame &row : ParserRows::frames()) {
            const WebSocketFrame frame = WebSocketFrame::read(row.bytes, row.inMessage, row.room);
            const int code =
                frame.status == WebSocketFrame::Status::Incomplete ? -1 : frame.closeCode;
            QVERIFY2(code == row.closeCode, qPrintable(row.bytes.toHex() + " " + frame.reason));
            if (code == 0) {
                QCOMPARE(frame.size, row.bytes.size());
                QCOMPARE(frame.payload, row.bytes.mid(row.bytes.size() - frame.payload.size()));
                QCOMPARE(frame.final, bool(row.bytes.at(0) & 0x80));
            }
        }
        // Unmasked with a key that is not zero.
        const WebSocketFrame masked = WebSocketFrame::read("\x81\x82\x01\x02\x03\x04ij", false, 9);
        QCOMPARE(masked.payload, QByteArray("hh"));
    }
};

QTEST_GUILESS_MAIN(TestParsers)
#include "tst_parsers.moc"
