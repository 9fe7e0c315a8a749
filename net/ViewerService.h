// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PinGuard.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QThread>

class ViewerServer;
class ViewerState;

// Runs the viewer server as the preferences say: starts, moves or stops it whenever one of
// its preferences changes, and says what it is doing in words for the operator. The server
// runs on a thread of its own, so that no guest can hold up the clock: this side never
// waits for it, and hears its answers, viewer counts and commands by queued signals.
class ViewerService : public QObject
{
    Q_OBJECT

public:
    explicit ViewerService(
        const ViewerState &state, PinGuard::Clock clock, QObject *parent = nullptr);
    ~ViewerService() override;

    // The address players open, "http://<host address>:<port>/"; empty while not serving.
    QString address() const { return _address; }
    QString status() const { return _status; }

    // Reads the viewer preferences and serves accordingly.
    void applyPreferences();
    // Takes remote commands again after too many wrong PINs stopped them.
    void restartCommands();

signals:
    void statusChanged(const QString &status, bool commandsStopped);
    void commandReceived(const QString &command);

private:
    void serve();
    void retranslate();
    void served(int request, const QString &host, quint16 port, const QString &problem);
    void showProblem(const QString &problem);
    void showStatus();
    QString pinStatus(int digits) const;
    QString hostFor(const QHostAddress &listening) const;

    QThread _thread;
    // Lives on _thread; reached only by queued calls.
    ViewerServer *_server;
    QString _address;
    QString _status;
    int _viewerCount = 0;
    int _wrongPins = 0;
    bool _commandsStopped = false;
    // Counts the servings asked for, so that the answer to an older one changes nothing.
    int _request = 0;
    // What the server runs with now, so that an unrelated preference changes nothing.
    QString _applied;
};
