// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Phase.h"

#include <QCoreApplication>
#include <QString>

// The game in progress, kept in a small file of its own beside the preferences so that a
// crash, a power cut or a closed lid does not lose it. Written whole or not at all.
class GameStateFile
{
    Q_DECLARE_TR_FUNCTIONS(GameStateFile)

public:
    struct Game
    {
        Phase phase;
        double secondsLeft = 0;
        bool running = false;
        qint64 savedAt = 0; // wall-clock milliseconds since 1970
        qint64 startedAt = 0; // when the game began; files from before it was kept: savedAt
    };
    enum class Found { Nothing, Game, Damaged };

    explicit GameStateFile(const QString &path);
    // $XDG_CONFIG_HOME/Corvelworks/MervaneTimer.state, or beside the preferences in use.
    static QString besidePreferences();

    QString path() const { return _path; }
    // A file that does not parse whole, holds impossible values or was saved after `now`
    // (more than a minute: clocks disagree a little) is Damaged, and `why` says how.
    Found read(qint64 now, Game *game, QString *why) const;
    bool write(const Game &game) const;
    // Renames a damaged file out of the way, for the referee; answers its new name.
    QString setAside(qint64 now) const;

private:
    QString _path;
};
