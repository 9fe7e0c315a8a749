// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Phase.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>

#include <functional>

// The game clock: counts the current phase down by the time that passes between ticks,
// moves the phase on when it runs out, and announces the time left, each whole second and
// each new phase as notifications. It never calls a view or the sound player.
class CountdownTimer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double secondsLeft READ secondsLeft WRITE setSecondsLeft NOTIFY secondsLeftChanged)
    Q_PROPERTY(QString displayTime READ displayTime NOTIFY displayTimeChanged)
    Q_PROPERTY(bool isPaused READ isPaused)
    Q_PROPERTY(bool isRunning READ isRunning)

public:
    // Answers seconds on a clock that only moves forward.
    using Clock = std::function<double()>;
    // Milliseconds since 1970 on the clock on the wall.
    using WallClock = std::function<qint64()>;

    static constexpr double COUNTDOWN_TIMER_INTERVAL_DEFAULT = 0.1;

    // Paused at the Spring length from the store, in "Spring 1901".
    explicit CountdownTimer(QObject *parent = nullptr);
    explicit CountdownTimer(Clock clock, QObject *parent = nullptr);
    CountdownTimer(double minutes, Clock clock, QObject *parent = nullptr);

    void pause();
    void restart();
    void nudge(double seconds);

    // The referee's calendar commands. A new game starts paused at Spring 1901; the next
    // phase comes as if the time had run out; the previous one starts again, paused.
    void newGame();
    void nextPhase();
    void previousPhase();
    // Puts back a game saved before: its phase and time left, paused.
    void restore(const Phase &phase, double secondsLeft);
    // Past the last phase of the last game-year in the preferences: nothing moves until a
    // new game.
    bool hasEnded() const { return _hasEnded; }
    // The phase as the room reads it, or the end of the game once it has come.
    QString phaseText() const;

    // The wall clock the game's start and the end of play are read on.
    void setWallClock(WallClock wallClock);
    qint64 gameStartedAt() const { return _gameStartedAt; }
    // For a game put back: when it began.
    void setGameStartedAt(qint64 startedAt) { _gameStartedAt = startedAt; }
    // The game's last year: the one in the preferences, or the year in progress once the time
    // set to end play has come since the game began, whichever is earlier; 0: none.
    int lastYear() const;
    // The time set to end play has come since the game began.
    bool endOfPlayHasCome() const;
    // The first moment at `endTime` of day (local time) after `startedAt`.
    static qint64 endOfPlay(qint64 startedAt, const QTime &endTime);
    // The length of `phase` in the preferences, in whole minutes.
    static int phaseMinutes(const Phase &phase);
    // The phase's length as it began (or as the preferences give it), which its progress is
    // counted against; a nudge changes the time left, not this.
    double phaseSeconds() const { return _phaseSeconds; }

    double secondsLeft() const { return _interval; }
    void setSecondsLeft(double seconds);
    QString displayTime() const;
    static QString displayTime(double secondsLeft);
    // The wait from a time left of `secondsLeft` to the next tick while counting: to the next
    // time left on the tick phase at least half an interval away.
    static double untilNextTick(double secondsLeft);

    bool isPaused() const { return _isPaused; }
    bool isRunning() const { return !_isPaused; }
    const Phase &phase() const { return _phase; }
    QString description() const;

    const QTimer &timer() const { return _timer; }

public slots:
    // One tick: takes off the time since the previous tick, or starts the next phase once
    // the time has run out.
    void doUpdate();

signals:
    void secondsLeftChanged();
    void displayTimeChanged();
    void phaseChanged();
    // Anything a restart would need to know changed: the phase, running, a nudge.
    void stateChanged();

private:
    void configureTimers();
    void scheduleNextTick();
    void applyNewLengthIfUntouched();
    void startNextSeason();
    void finishPhase();
    void startPhase(const Phase &phase);
    void beginPhase();
    void postPhase(const QString &text);
    void storeSecondsLeft(double seconds);
    void takeOffElapsed(double elapsed);
    void postWholeSecondInWindow(double seconds);
    void postWholeSecondsPassed(double before, double after);
    static void postWholeSecond(int seconds);
    void postStateIfChanged(const QString &time);

    double _interval;
    bool _isPaused = true;
    Phase _phase;
    QTimer _timer;
    Clock _clock;
    WallClock _wallClock;
    double _lastUpdate;
    double _phaseSeconds = 0;
    qint64 _gameStartedAt = 0;
    // Continued or nudged since the phase began; a phase that began on a tick was counting.
    bool _phaseTouched = false;
    bool _hasEnded = false;
    // What the last state post said, so that a tick that changes nothing posts nothing.
    QString _postedTime;
    bool _postedRunning = false;
};
