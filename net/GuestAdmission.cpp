// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuestAdmission.h"

#include "GuestConnection.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <sys/resource.h>

#include <algorithm>

GuestAdmission::GuestAdmission(PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _clock(std::move(clock))
    , _sweep(this)
{
    connect(&_sweep, &QTimer::timeout, this, &GuestAdmission::sweep);
}

GuestAdmission::~GuestAdmission()
{
    blockSignals(true);
    close();
}

int GuestAdmission::connectionCap()
{
    rlimit files = {};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0)
        return 0;
    if (files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
        getrlimit(RLIMIT_NOFILE, &files);
    }
    const rlim_t room = files.rlim_cur > rlim_t(reservedFiles) ? files.rlim_cur - reservedFiles : 0;
    return int(std::min<rlim_t>(maxConnections, room));
}

QString GuestAdmission::addressGroup(const QHostAddress &address)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    if (isIpv4)
        return QHostAddress(ipv4).toString();
    Q_IPV6ADDR network = address.toIPv6Address();
    std::fill(std::begin(network.c) + 8, std::end(network.c), quint8(0));
    return QHostAddress(network).toString() + QStringLiteral("/64");
}

bool GuestAdmission::listen(const QHostAddress &address, quint16 port)
{
    close();
    auto tcp = std::make_unique<QTcpServer>();
    tcp->setListenBacklogSize(listenBacklog);
    if (!tcp->listen(address, port)) {
        _problem = tr("Port %1 cannot be used: %2").arg(port).arg(tcp->errorString());
        return false;
    }
    connect(tcp.get(), &QTcpServer::newConnection, this, &GuestAdmission::acceptConnections);
    connect(tcp.get(), &QTcpServer::acceptError, this, &GuestAdmission::pauseAccepting);
    _tcp = std::move(tcp);
    _cap = connectionCap();
    _port = _tcp->serverPort();
    _problem.clear();
    _sweep.start(sweepMilliseconds);
    return true;
}

void GuestAdmission::close()
{
    _sweep.stop();
    _tcp.reset();
    const QSet<GuestConnection *> connections = _connections + _refused;
    for (GuestConnection *connection : connections)
        connection->abort();
    _port = 0;
}

void GuestAdmission::acceptConnections()
{
    while (_tcp && _tcp->hasPendingConnections()) {
        auto *connection = new GuestConnection(_tcp->nextPendingConnection(), _clock, this);
        int &fromAddress = _connectionsPerAddress[connection->address()];
        if (connectionCount() >= _cap || fromAddress >= maxConnectionsPerAddress) {
            if (fromAddress == 0)
                _connectionsPerAddress.remove(connection->address());
            turnAway(connection, connectionCount() >= _cap);
            continue;
        }
        ++fromAddress;
        _connections.insert(connection);
        connect(connection, &GuestConnection::finished, this,
            [this, connection] { remove(connection); });
        emit admitted(connection);
    }
}

// A guest turned away because the server is full is told so, as long as few are being told;
// one over its address's share is cut off.
void GuestAdmission::turnAway(GuestConnection *connection, bool full)
{
    if (!full || _refused.size() >= maxRefused) {
        delete connection;
        return;
    }
    _refused.insert(connection);
    connect(connection, &GuestConnection::finished, this,
        [this, connection] { _refused.remove(connection); });
    connection->refuseAsFull();
}

// The system is out of descriptors: Qt has stopped accepting; start again a little later
// rather than try at once and fail again without end.
void GuestAdmission::pauseAccepting()
{
    _tcp->pauseAccepting();
    QTimer::singleShot(acceptPauseMilliseconds, this, [this] {
        if (_tcp)
            _tcp->resumeAccepting();
    });
}

void GuestAdmission::remove(GuestConnection *connection)
{
    if (!_connections.remove(connection))
        return;
    const QString address = connection->address();
    if (--_connectionsPerAddress[address] <= 0)
        _connectionsPerAddress.remove(address);
    emit leaving(connection);
}

void GuestAdmission::sweep()
{
    const QSet<GuestConnection *> connections = _connections + _refused;
    for (GuestConnection *connection : connections)
        connection->checkTime();
}
