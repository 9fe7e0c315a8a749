// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PinGuard.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <memory>

class GuestConnection;
class QTcpServer;

// Lets guests in on the listening port within the caps: connections in all, from one address
// (or IPv6 /64), and what the open-file limit leaves; keeps their deadlines by a sweep. A guest
// over a cap is turned away at once, so that none waits in a queue behind those that fill the
// places.
class GuestAdmission : public QObject
{
    Q_OBJECT

public:
    // Connections of every kind together; fewer when the open-file limit leaves less room
    // than reservedFiles for the rest of the clock.
    static constexpr int maxConnections = 700;
    static constexpr int reservedFiles = 200;
    static constexpr int maxConnectionsPerAddress = 32;
    // Guests told that the server is full while that answer drains; past this, cut off at once.
    static constexpr int maxRefused = 64;
    // Connections the system queues before the server takes them: a hall's phones come at once.
    static constexpr int listenBacklog = 256;
    // When the system has no descriptor left for a connection, accepting waits this long.
    static constexpr int acceptPauseMilliseconds = 1000;
    static constexpr int sweepMilliseconds = 250;

    explicit GuestAdmission(PinGuard::Clock clock, QObject *parent = nullptr);
    ~GuestAdmission() override;

    // Stops serving on any earlier port. False, with problem() saying why, when the port
    // cannot be had; port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port);
    void close();
    quint16 port() const { return _port; }
    QString problem() const { return _problem; }
    int connectionCount() const { return int(_connections.size()); }

    // Who a guest is for caps and lockouts: an IPv4 address in dotted form, an IPv6 one by
    // its /64 network, as one host may take any number of addresses there.
    static QString addressGroup(const QHostAddress &address);
    // Raises the soft open-file limit to the hard one, and answers how many connections
    // that leaves room for.
    static int connectionCap();

signals:
    void admitted(GuestConnection *connection);
    // Just before `connection` goes.
    void leaving(GuestConnection *connection);

private:
    void acceptConnections();
    void turnAway(GuestConnection *connection, bool full);
    void pauseAccepting();
    void remove(GuestConnection *connection);
    void sweep();

    PinGuard::Clock _clock;
    std::unique_ptr<QTcpServer> _tcp;
    QTimer _sweep;
    QSet<GuestConnection *> _connections;
    QSet<GuestConnection *> _refused;
    QHash<QString, int> _connectionsPerAddress;
    int _cap = 0;
    quint16 _port = 0;
    QString _problem;
};
