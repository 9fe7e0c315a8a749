// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueFiles.h"

#include <QDir>
#include <QFile>

// Read once: every page of the visit, and every viewer, shares the same bytes.
const QHash<QByteArray, QByteArray> &CueFiles::files()
{
    static const QHash<QByteArray, QByteArray> byPath = [] {
        QHash<QByteArray, QByteArray> found;
        const QDir sounds(QStringLiteral(":/sounds"));
        for (const QString &name : sounds.entryList({QStringLiteral("*s.wav")})) {
            bool whole = false;
            const int seconds = name.chopped(5).toInt(&whole);
            QFile file(sounds.filePath(name));
            if (whole && seconds >= 0 && file.open(QIODevice::ReadOnly))
                found.insert("/cues/" + QByteArray::number(seconds) + ".wav", file.readAll());
        }
        return found;
    }();
    return byPath;
}

QByteArray CueFiles::file(const QByteArray &path)
{
    return files().value(path);
}

QJsonArray CueFiles::seconds()
{
    QJsonArray list;
    for (auto file = files().constBegin(); file != files().constEnd(); ++file)
        list.append(file.key().mid(6).chopped(4).toInt());
    return list;
}
