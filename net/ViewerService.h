#pragma once

#include "ViewerServer.h"

#include <QObject>
#include <QString>

class ViewerState;

// Runs the viewer server as the preferences say: starts, moves or stops it whenever one of
// its preferences changes, and says what it is doing in words for the operator.
class ViewerService : public QObject
{
    Q_OBJECT

public:
    explicit ViewerService(
        const ViewerState &state, PinGuard::Clock clock, QObject *parent = nullptr);
    ~ViewerService() override;

    ViewerServer &server() { return _server; }
    // The address players open, "http://<host address>:<port>/"; empty while not serving.
    QString address() const { return _address; }
    QString status() const { return _status; }

    // Reads the viewer preferences and serves accordingly.
    void applyPreferences();

signals:
    void statusChanged(const QString &status);
    void commandReceived(const QString &command);

private:
    void serve();
    void showServing();
    void setStatus(const QString &status);
    QString hostFor(const QHostAddress &listening) const;

    ViewerServer _server;
    QString _address;
    QString _status;
    // What the server runs with now, so that an unrelated preference changes nothing.
    QString _applied;
};
