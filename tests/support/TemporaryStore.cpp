#include "TemporaryStore.h"

#include "PreferenceController.h"

#include <QFile>

TemporaryStore::TemporaryStore()
{
    PreferenceController::setStorePath(path());
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
