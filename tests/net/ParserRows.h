// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdlib>
#include <tuple>
#include <utility>

// Raw guest input for the two parsers, each with what must come of it: the rows of their table
// tests and the seeds of their fuzzers.
namespace ParserRows {

// A head up to, not including, the blank line; "method path body close", or null when refused.
inline QList<std::pair<QByteArray, const char *>> heads()
{
    const QByteArray get = "GET / HTTP/1.1\r\nHost: clock\r\n";
    return {{get + "Accept: */*", "GET / 0 0"}, {"GET /a?b=1 HTTP/1.0", "GET /a 0 1"},
        {"HEAD /a HTTP/1.1\nHost: x\nConnection: keep-alive, Close", "HEAD /a 0 1"},
        {get + "Content-Length: 00", "GET / 0 0"}, {get + "Content-Length: 12", "GET / 1 0"},
        {"GET / HTTP/1.1", nullptr}, {get + "Host: clock", nullptr},
        {"GET / HTTP/1.1\r\nHost : clock", nullptr}, {get + "X-A: 1\r\n  folded", nullptr},
        {get + "Content-Length: 1\r\nContent-Length: 1", nullptr},
        {get + "Content-Length: -1", nullptr}, {get + "Transfer-Encoding: chunked", nullptr},
        {get + "X-A: a\rb", nullptr}, {get + QByteArray("X-A: a\0b", 8), nullptr},
        {get + ": empty name", nullptr}, {get + "No colon", nullptr},
        {"GET  / HTTP/1.1\r\nHost: x", nullptr}, {"GET / HTTP/2.0\r\nHost: x", nullptr},
        {"GET / HTTP/1.10\r\nHost: x", nullptr}, {"G(T / HTTP/1.1\r\nHost: x", nullptr},
        {"HELLO", nullptr}, {"", nullptr}};
}

// A masked frame, its mask all zero so that the payload reads as it is.
inline QByteArray frame(const QByteArray &head, const QByteArray &payload)
{
    return head + QByteArray(4, '\0') + payload;
}

// Bytes, a message under way, the room left in it: 0 for a whole frame, -1 when more bytes are
// needed, else the close code.
inline QList<std::tuple<QByteArray, bool, int, int>> frames()
{
    const QByteArray big(126, 'x'), control(125, 'x');
    QList<std::tuple<QByteArray, bool, int, int>> rows = {{frame("\x81\x82", "hi"), false, 4096, 0},
        {frame("\x01\x82", "hi"), false, 4096, 0}, {frame("\x80\x82", "hi"), true, 2, 0},
        {"\x81", false, 4096, -1}, {frame("\x81\x85", "hi"), false, 4096, -1},
        {QByteArray("\x82\xfe\x00", 3), false, 4096, -1},
        {frame(QByteArray("\x82\xfe\x00\x7e", 4), big), false, 4096, 0},
        {frame(QByteArray("\x82\xfe\x00\x05", 4), "hello"), false, 4096, 1002},
        {frame(QByteArray("\x82\xff\0\0\0\0\0\0\xff\xff", 10), ""), false, 1 << 30, 1002},
        {frame(QByteArray("\x82\xff\x80\0\0\0\0\0\0\0", 10), ""), false, 4096, 1002},
        {"\x81\x02hi", false, 4096, 1002}, {frame("\xc1\x80", ""), false, 4096, 1002},
        {frame("\x83\x80", ""), false, 4096, 1002}, {frame("\x8b\x80", ""), false, 4096, 1002},
        {frame(QByteArray("\x89\xfe\x00\x7e", 4), big), false, 4096, 1002},
        {frame("\x09\x80", ""), false, 4096, 1002}, {frame("\x89\xfd", control), true, 0, 0},
        {frame("\x81\x85", "hello"), false, 4, 1009}, {frame("\x80\x80", ""), false, 4096, 1002},
        {frame("\x81\x80", ""), true, 4096, 1002}, {frame("\x88\x80", ""), false, 4096, 0},
        {frame("\x88\x81", "\x0f"), false, 4096, 1002},
        {frame("\x88\x84", "\x03\xe8\xc3\x28"), false, 4096, 1007},
        {frame("\x88\x86", "\x03\xe8\xc5\x82\xc3\xb3"), false, 4096, 0}};
    // Close codes a peer may send, then those it may not.
    for (const int code : {1000, 1003, 1007, 1014, 3000, 4999, -0, -999, -1004, -1005, -1006, -1015,
             -1016, -2999, -5000}) {
        const char bytes[] = {char(std::abs(code) >> 8), char(std::abs(code) & 0xff)};
        rows.append({frame("\x88\x82", QByteArray(bytes, 2)), false, 4096, code > 0 ? 0 : 1002});
    }
    return rows;
}

} // namespace ParserRows
