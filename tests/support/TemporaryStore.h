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
    QString fileContents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeFile(const QByteArray &contents) const
    {
        QFile file(path());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(contents);
    }

private:
    QTemporaryDir _dir;
};
