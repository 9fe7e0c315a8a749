// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonArray>

// The clock's cue recordings as the viewer pages fetch them: /cues/<seconds>.wav, taken from
// the program's own resources, never from disk. Only the names of the cues the program
// carries are known; any other path is simply not among them.
class CueFiles
{
public:
    // The file for a request path, or an empty one when the path names no cue.
    static QByteArray file(const QByteArray &path);
    // The seconds that have a cue, for the pages to fetch.
    static QJsonArray seconds();

private:
    static const QHash<QByteArray, QByteArray> &files();
};
