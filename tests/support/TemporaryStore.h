#pragma once

#include "PreferenceStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>

// The preference store in a fresh temporary folder for as long as this lives, never the
// user's own. `prepare` runs once it is in place: to fill or damage it before anyone reads it.
class TemporaryStore
{
public:
    explicit TemporaryStore(const std::function<void(TemporaryStore &)> &prepare = nullptr)
    {
        PreferenceStore::setStorePath(path());
        if (prepare)
            prepare(*this);
    }
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
    // Moves the store into a folder that is a file, so nothing can be written there.
    void makeFolderUnwritable() const
    {
        writeFile("");
        PreferenceStore::setStorePath(path() + QStringLiteral("/MervaneTimer.conf"));
    }

private:
    QTemporaryDir _dir;
};
