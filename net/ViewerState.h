// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>

// What the viewers show, gathered from the clock's notifications and the preferences: the time
// text, the time left with the moment it was read, running, the phase and the banner; the
// phase's length, the seconds left that start its warning stage and the line naming the next
// phase; what the hall shows of these and the form of its clock; the page's own texts in the
// hall's language. Every change is announced
// with only the fields it changed.
class ViewerState : public QObject
{
    Q_OBJECT

public:
    // Milliseconds since the epoch: the moment `seconds` was read, for viewers that count
    // on by themselves between messages.
    using WallClock = std::function<qint64()>;

    explicit ViewerState(
        WallClock wallClock = QDateTime::currentMSecsSinceEpoch, QObject *parent = nullptr);

    // The whole state, for a viewer that has just joined.
    const QJsonObject &whole() const { return _state; }
    qint64 now() const { return _wallClock(); }
    const WallClock &wallClock() const { return _wallClock; }

    void setClock(double secondsLeft, const QString &displayTime, bool running);
    void setPhase(const QString &phase);
    void setBanner(const QString &banner);
    // A cue the referee played by hand: the pages cannot see it coming, so they play it as
    // soon as they hear of it.
    void playCue(int seconds) { emit cuePlayed(seconds); }

signals:
    void changed(const QJsonObject &fields);
    void cuePlayed(int seconds);

private:
    void showOptions();
    void showTexts();
    void update(const QJsonObject &fields);

    WallClock _wallClock;
    QJsonObject _state;
};
