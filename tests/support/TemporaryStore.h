// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreferenceStore.h"

#include <QFile>
#include <QTemporaryDir>

// Points the preference store at an INI file in a fresh temporary directory for as long as
// it lives, so no test reads or writes the user's own settings.
class TemporaryStore
{
public:
    TemporaryStore() { PreferenceStore::setStorePath(path()); }
    ~TemporaryStore() { PreferenceStore::setStorePath(QString()); }

    QString path() const { return _dir.filePath(QStringLiteral("MervaneTimer.conf")); }
    QString fileContents() const { return QString::fromUtf8(read(path())); }
    void writeFile(const QByteArray &contents) const { write(path(), contents); }

    // Whole files: empty when unreadable; false unless all was written.
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
            file.write(contents) == contents.size();
    }

private:
    QTemporaryDir _dir;
};
