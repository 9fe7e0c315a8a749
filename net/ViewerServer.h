#pragma once

#include "PinGuard.h"
#include "ViewerState.h"

#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class GuestConnection;
class QTcpServer;

// Serves the viewer page and keeps every viewer's WebSocket up to date with the state. With
// a PIN set it also takes the remote commands, each checked against the PIN, and passes
// them on; it never runs one itself. It holds its own copy of the state, so that it can run
// on a thread of its own: the state's changes come to it by signal and commands leave by one.
class ViewerServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxViewers = 500;
    static constexpr int maxMessageBytes = 4096;
    // Connections of every kind together; fewer when the open-file limit leaves less room
    // than reservedFiles for the rest of the clock.
    static constexpr int maxConnections = 700;
    static constexpr int reservedFiles = 200;
    static constexpr int maxConnectionsPerAddress = 32;
    // When the system has no descriptor left for a connection, accepting waits this long.
    static constexpr int acceptPauseMilliseconds = 1000;
    static constexpr int sweepMilliseconds = 250;

    ViewerServer(const ViewerState &state, PinGuard::Clock clock, QObject *parent = nullptr);
    ~ViewerServer() override;

    // Stops serving on any earlier port. Answers false, with problem() saying why, when the
    // port cannot be had; port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port);
    void close();
    quint16 port() const { return _port; }
    QString problem() const { return _problem; }

    void setPin(const QString &pin);
    // Takes remote commands again after too many wrong PINs stopped them.
    void restartCommands();
    int viewerCount() const { return static_cast<int>(_viewers.size()); }
    int connectionCount() const { return static_cast<int>(_connections.size()); }

    // The remote commands, in the order the page shows them: each is the clock window's
    // action named after it (`<name>Action`), and the page makes a button of each.
    struct Command
    {
        const char *name;
        const char *label;
    };
    static constexpr Command commands[] = {{"pause", "Pause"}, {"continue", "Continue"},
        {"minus1m", "\u22121 min"}, {"plus1m", "+1 min"}, {"minus10s", "\u221210 s"},
        {"plus10s", "+10 s"}, {"nextPhase", "Next phase"}};
    static bool isCommand(const QString &name);
    // Raises the soft open-file limit to the hard one, and answers how many connections
    // that leaves room for.
    static int connectionCap();

signals:
    void commandReceived(const QString &command);
    void viewerCountChanged(int count);
    // Remote commands stopped after too many wrong PINs, or taken again.
    void commandsStoppedChanged(bool stopped);

private:
    void acceptConnections();
    void pauseAccepting();
    void removeConnection(GuestConnection *connection);
    void admitViewer(GuestConnection *viewer);
    void sweep();
    void applyChange(const QJsonObject &fields);
    void broadcast(const QJsonObject &fields);
    void broadcastCue(int seconds);
    void sendToAll(const QByteArray &text);
    void send(GuestConnection *viewer, QJsonObject message);
    void handleMessage(GuestConnection *viewer, const QString &text);
    void handleCommand(GuestConnection *viewer, const QJsonObject &message);
    void handlePin(GuestConnection *viewer, const QJsonObject &message);
    PinGuard::Verdict judge(GuestConnection *viewer, PinGuard::Verdict verdict);
    QString verdictError(PinGuard::Verdict verdict, const QString &address) const;

    QJsonObject _whole;
    ViewerState::WallClock _wallClock;
    PinGuard::Clock _clock;
    PinGuard _guard;
    std::unique_ptr<QTcpServer> _tcp;
    QTimer _sweep;
    QSet<GuestConnection *> _connections;
    QHash<QString, int> _connectionsPerAddress;
    std::vector<GuestConnection *> _viewers;
    // Connections that gave the right PIN, and no wrong one since.
    QSet<GuestConnection *> _trusted;
    int _cap = 0;
    quint16 _port = 0;
    QString _problem;
    qint64 _sequence = 0;
};
