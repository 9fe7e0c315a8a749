// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <optional>

// What the referee asked for when starting the clock. Help, the version and a bad option are
// answered before any display is opened, so that they work in a script or over ssh.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Reads the arguments; answers the exit status when the program is done already (help,
    // version, a bad option), else nothing and the clock starts as asked.
    std::optional<int> parse(int argc, char **argv);

    // Said when no display can be opened, in the language in force.
    static QString noDisplayMessage();

    bool fullScreen() const { return _fullScreen; }
    bool newGame() const { return _newGame; }

private:
    bool _fullScreen = false;
    bool _newGame = false;
};
