// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameStateFile.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class CountdownTimer;

// Keeps the game in its file as it goes: at every change of phase, pause, continue and nudge,
// and every few seconds while the clock runs, and never when nothing changed. At start it
// puts back the game that was in progress, paused, with the time that passed since.
class GameRecorder : public QObject
{
    Q_OBJECT

public:
    using WallClock = std::function<qint64()>;
    static constexpr int savePeriodMilliseconds = 3000;

    GameRecorder(CountdownTimer &timer, const QString &path, WallClock wallClock);

    // Puts back the saved game; answers how long the clock was down, in milliseconds, or -1
    // when there was no game to put back (a damaged file is set aside, with a line saying so).
    qint64 resume();

private:
    void save();

    CountdownTimer &_timer;
    GameStateFile _file;
    WallClock _wallClock;
    QTimer _periodic;
    QByteArray _lastSaved;
};
