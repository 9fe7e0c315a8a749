// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

class CountdownTimer;

// What the room is told besides the time: how much of the phase has gone, whether it is in
// its warning stage, and what comes after it. Worked out from the clock and the preferences
// and posted when it changes, for the hall's views and the viewer pages alike, so that every
// room says the same.
class PhaseOutlook : public QObject
{
    Q_OBJECT

public:
    // How often the end of play by the wall clock is looked for while nothing else changes.
    static constexpr int wallCheckMilliseconds = 1000;

    explicit PhaseOutlook(const CountdownTimer &timer, QObject *parent = nullptr);

    // The share of `phaseSeconds` gone with `secondsLeft` left, from 0 to 1.
    static double progress(double secondsLeft, double phaseSeconds);
    // The warning stage runs through the last `warningSeconds` of a phase; 0: none.
    static bool isWarning(double secondsLeft, int warningSeconds);
    // The next phase and its length; "Last phase of the game" instead for the game's last;
    // the last game-year too once the end of play has come. Empty once the game has ended.
    static QString nextLine(const CountdownTimer &timer);

    // Posts the whole outlook again, for listeners made since.
    void repost();

private:
    void readPreferences();
    void postMovingParts();
    void postNextLine();
    void post(const QVariantMap &fields);

    const CountdownTimer &_timer;
    int _warningSeconds = 0;
    QTimer _wallCheck;
    QVariantMap _posted;
};
