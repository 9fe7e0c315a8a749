#pragma once

#include "PinGuard.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QHttpServer;
class QWebSocket;
class ViewerState;

// Serves the viewer page and keeps every viewer's WebSocket up to date with the state. With
// a PIN set it also takes the remote commands, each checked against the PIN, and passes
// them on; it never runs one itself.
class ViewerServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxViewers = 500;
    static constexpr int maxMessageBytes = 4096;
    // A viewer this far behind in reading is dropped rather than buffered for without end.
    static constexpr qint64 maxBacklogBytes = 1 << 20;

    ViewerServer(const ViewerState &state, PinGuard::Clock clock, QObject *parent = nullptr);
    ~ViewerServer() override;

    // Stops serving on any earlier port. Answers false, with problem() saying why, when the
    // port cannot be had; port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port);
    void close();
    quint16 port() const { return _port; }
    QString problem() const { return _problem; }

    void setPin(const QString &pin);
    int viewerCount() const { return static_cast<int>(_viewers.size()); }

    // The names of the remote commands.
    static const QStringList &commands();

signals:
    void commandReceived(const QString &command);
    void viewerCountChanged();

private:
    void acceptViewers();
    void addViewer(QWebSocket *viewer);
    void removeViewer(QWebSocket *viewer);
    void broadcast(const QJsonObject &fields);
    void send(QWebSocket *viewer, QJsonObject message);
    void handleMessage(QWebSocket *viewer, const QString &text);
    void handleCommand(QWebSocket *viewer, const QJsonObject &message);
    void handlePin(QWebSocket *viewer, const QJsonObject &message);
    QString verdictError(PinGuard::Verdict verdict, const QString &address) const;
    static QString addressOf(const QWebSocket *viewer);

    const ViewerState &_state;
    PinGuard _guard;
    std::unique_ptr<QHttpServer> _http;
    std::vector<QWebSocket *> _viewers;
    quint16 _port = 0;
    QString _problem;
    qint64 _sequence = 0;
};
