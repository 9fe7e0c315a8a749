#include "TemporaryStore.h"

#include "PreferenceController.h"

#include <QDir>
#include <QFile>

TemporaryStore::TemporaryStore(const std::function<void(TemporaryStore &)> &prepare)
{
    PreferenceController::setStorePath(path());
    if (prepare)
        prepare(*this);
}

TemporaryStore::~TemporaryStore()
{
    PreferenceController::setStorePath(QString());
}

QString TemporaryStore::path() const
{
    return _dir.filePath(QStringLiteral("MervaneTimer.conf"));
}

QString TemporaryStore::fileContents() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TemporaryStore::writeFile(const QByteArray &contents) const
{
    QFile file(path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}

void TemporaryStore::makeUnreadable() const
{
    QDir().mkpath(path());
}

void TemporaryStore::makeFolderUnwritable() const
{
    writeFile("");
    PreferenceController::setStorePath(path() + QStringLiteral("/MervaneTimer.conf"));
}
