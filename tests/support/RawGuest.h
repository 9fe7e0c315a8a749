// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QTest>

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

// A guest on a bare socket that closes nothing until it goes, and tells the server's close from
// a reset. It never blocks, so the server may run on the test's own thread.
struct RawGuest
{
    enum class End { Open, Closed, Reset };

    explicit RawGuest(quint16 port, const QByteArray &bytes = QByteArray())
    {
        sockaddr_in to = {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
        ::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to);
        send(bytes);
    }
    ~RawGuest() { ::close(fd); }

    void send(const QByteArray &bytes)
    {
        ::send(fd, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
    }
    // Reads what has come until `done` holds, or 5 s; readToEnd, until the server's end.
    template<typename Done>
    bool readUntil(Done done)
    {
        return QTest::qWaitFor(
            [&] {
                char piece[16 * 1024];
                const ssize_t got = ::recv(fd, piece, sizeof piece, MSG_DONTWAIT);
                if (got > 0)
                    received.append(piece, got);
                else if (got == 0 || errno != EAGAIN)
                    end = got == 0 ? End::Closed : End::Reset;
                return done();
            },
            5000);
    }
    bool readToEnd()
    {
        return readUntil([this] { return end != End::Open; });
    }

    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    QByteArray received;
    End end = End::Open;
};
