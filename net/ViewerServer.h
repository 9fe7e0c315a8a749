// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GuestAdmission.h"
#include "PinGuard.h"
#include "ViewerState.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QObject>
#include <QSet>
#include <QString>

#include <vector>

class GuestConnection;

// Serves the viewer page and keeps every viewer's WebSocket up to date with the state. With
// a PIN set it also takes the remote commands, each checked against the PIN, and passes
// them on; it never runs one itself. It holds its own copy of the state, so that it can run
// on a thread of its own: the state's changes come to it by signal and commands leave by one.
class ViewerServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxViewers = 500;

    ViewerServer(const ViewerState &state, PinGuard::Clock clock, QObject *parent = nullptr);
    ~ViewerServer() override;

    // Stops serving on any earlier port. Answers false, with problem() saying why, when the
    // port cannot be had; port 0 picks a free one.
    bool listen(const QHostAddress &address, quint16 port)
    {
        return _admission.listen(address, port);
    }
    void close() { _admission.close(); }
    quint16 port() const { return _admission.port(); }
    QString problem() const { return _admission.problem(); }

    // The same PIN again changes nothing: its lockouts, count and stop stand.
    void setPin(const QString &pin);
    // Takes remote commands again after too many wrong PINs stopped them.
    void restartCommands();
    int viewerCount() const { return static_cast<int>(_viewers.size()); }
    int connectionCount() const { return _admission.connectionCount(); }

    // The remote commands, in the order the page shows them: each is the clock window's
    // action named after it (`<name>Action`), and the page makes a button of each.
    struct Command
    {
        const char *name;
        const char *label;
    };
    static constexpr Command commands[] = {{"pause", QT_TRANSLATE_NOOP("ViewerServer", "Pause")},
        {"continue", QT_TRANSLATE_NOOP("ViewerServer", "Continue")},
        // Signs, digits and SI units read the same in every language the clock speaks.
        {"minus1m", "\u22121 min"}, {"plus1m", "+1 min"}, {"minus10s", "\u221210 s"},
        {"plus10s", "+10 s"}, {"nextPhase", QT_TRANSLATE_NOOP("ViewerServer", "Next phase")}};
    static bool isCommand(const QString &name);

signals:
    void commandReceived(const QString &command);
    void viewerCountChanged(int count);
    // Wrong PINs since the PIN was set or commands were taken again, and whether they stopped
    // remote commands.
    void guardChanged(int wrongPins, bool stopped);

private:
    void listenTo(GuestConnection *connection);
    void removeViewer(GuestConnection *connection);
    void admitViewer(GuestConnection *viewer);
    void reportGuard();
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
    GuestAdmission _admission;
    std::vector<GuestConnection *> _viewers;
    // Connections that gave the right PIN, and no wrong one since.
    QSet<GuestConnection *> _trusted;
    qint64 _sequence = 0;
};
