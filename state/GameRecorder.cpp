// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecorder.h"

#include "CountdownTimer.h"

#include <algorithm>
#include <cstdio>

GameRecorder::GameRecorder(CountdownTimer &timer, const QString &path, WallClock wallClock)
    : _timer(timer)
    , _file(path)
    , _wallClock(std::move(wallClock))
{
    connect(&_timer, &CountdownTimer::stateChanged, this, &GameRecorder::save);
    _periodic.setInterval(savePeriodMilliseconds);
    connect(&_periodic, &QTimer::timeout, this, [this] {
        if (_timer.isRunning())
            save();
    });
    _periodic.start();
}

qint64 GameRecorder::resume()
{
    const qint64 now = _wallClock();
    GameStateFile::Game game;
    QString why;
    const GameStateFile::Found found = _file.read(now, &game, &why);
    if (found == GameStateFile::Found::Damaged) {
        const QString aside = _file.setAside(now);
        std::fprintf(stderr, "%s\n",
            qPrintable(tr("MervaneTimer: not resuming the game in %1: %2; kept as %3")
                           .arg(_file.path(), why, aside)));
    }
    if (found != GameStateFile::Found::Game)
        return -1;
    const qint64 down = std::max<qint64>(0, now - game.savedAt);
    // A phase whose time ran out while the clock was down waits at zero for the referee.
    const double left =
        game.running ? std::max(0.0, game.secondsLeft - down / 1000.0) : game.secondsLeft;
    _timer.restore(game.phase, left);
    _timer.setGameStartedAt(game.startedAt);
    // Kept as it now stands, paused: a second crash before the next command must not take
    // the time it was down off again.
    save();
    return down;
}

void GameRecorder::save()
{
    const GameStateFile::Game game{_timer.phase(), _timer.secondsLeft(), _timer.isRunning(),
        _wallClock(), _timer.gameStartedAt()};
    const QByteArray state = QStringLiteral("%1|%2|%3|%4")
                                 .arg(game.phase.description())
                                 .arg(game.secondsLeft, 0, 'g', 17)
                                 .arg(game.running)
                                 .arg(game.startedAt)
                                 .toUtf8();
    if (state == _lastSaved)
        return;
    if (_file.write(game))
        _lastSaved = state;
}
