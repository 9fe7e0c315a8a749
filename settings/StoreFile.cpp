// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreFile.h"

#include "SmallFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// A lock file this old belongs to no live writer.
constexpr int staleLockSeconds = 10;
// Below this much free space a failed write is put down to a full disk.
constexpr qint64 nearlyFullBytes = 64 * 1024;

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
        a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
        a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Values as they read back from an INI file: numbers come back as text, lists as lists.
QString comparable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QChar(0x1f));
    return value.toString();
}

bool holdsAll(const QVariantMap &file, const QVariantMap &values)
{
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        if (!file.contains(it.key()) || comparable(file.value(it.key())) != comparable(it.value()))
            return false;
    }
    return true;
}

// A file that holds a secret is for its owner's eyes only.
void keepPrivateIfSecret(const QString &path, const QVariantMap &values, const QStringList &secrets)
{
    if (std::none_of(secrets.begin(), secrets.end(),
            [&](const QString &key) { return !values.value(key).toString().isEmpty(); }))
        return;
    struct stat now = {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &now) == 0 && (now.st_mode & 077) != 0)
        ::chmod(name.constData(), now.st_mode & 0700);
}

bool syncToDisk(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

} // namespace

StoreFile::StoreFile(const QString &path, const QStringList &secretKeys)
    : _path(path)
    , _secretKeys(secretKeys)
{
}

QVariantMap StoreFile::values()
{
    struct stat now = {};
    if (::stat(QFile::encodeName(_path).constData(), &now) != 0) {
        // A file that is not there (or a folder that is a file) holds no values; that is
        // not a fault until a save is tried.
        _problem = errno == ENOENT || errno == ENOTDIR ? Problem::None : Problem::Unreadable;
        _hasSeen = false;
        _values.clear();
        reportOnce();
        return _values;
    }
    if (_hasSeen && sameFile(now, _seen))
        return _values;
    QByteArray bytes;
    _values = readBytes(&bytes) ? parse(bytes) : QVariantMap();
    keepPrivateIfSecret(_path, _values, _secretKeys);
    ::stat(QFile::encodeName(_path).constData(), &now);
    _seen = now;
    _hasSeen = true;
    reportOnce();
    return _values;
}

bool StoreFile::readBytes(QByteArray *bytes)
{
    const SmallFile::Read read = SmallFile::read(_path, maxBytes, bytes);
    switch (read) {
    case SmallFile::Read::Done:
    case SmallFile::Read::Missing:
        _problem = Problem::None;
        break;
    case SmallFile::Read::NotRegular:
        _problem = Problem::NotRegular;
        break;
    case SmallFile::Read::TooLarge:
        _problem = Problem::TooLarge;
        break;
    case SmallFile::Read::Unreadable:
        _problem = Problem::Unreadable;
        break;
    }
    return read == SmallFile::Read::Done;
}

QVariantMap StoreFile::parse(const QByteArray &bytes)
{
    // QSettings reads only from a path: give it a private copy, never the store's path,
    // which may have become something else since it was checked.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size())
        return {};
    copy.close();
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    QVariantMap values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

bool StoreFile::save(const QVariantMap &changes)
{
    QVariantMap all = values();
    // What cannot be read cannot be rewritten without losing it.
    if (_problem != Problem::None)
        return false;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it)
        all.insert(it.key(), it.value());
    const QString destination = target();
    QTemporaryFile fresh(
        leftoverPrefix(destination) + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    if (!QDir().mkpath(QFileInfo(destination).absolutePath()) || !fresh.open()) {
        _problem = writeProblem();
        return false;
    }
    fresh.close();
    if (!writeChecked(fresh.fileName(), all))
        return false;
    keepPrivateIfSecret(fresh.fileName(), all, _secretKeys);
    if (::rename(QFile::encodeName(fresh.fileName()).constData(),
            QFile::encodeName(destination).constData()) != 0) {
        _problem = writeProblem();
        return false;
    }
    fresh.setAutoRemove(false);
    _values = all;
    _hasSeen = ::stat(QFile::encodeName(_path).constData(), &_seen) == 0;
    return true;
}

bool StoreFile::writeChecked(const QString &tempPath, const QVariantMap &all)
{
    {
        QSettings settings(tempPath, QSettings::IniFormat);
        for (auto it = all.constBegin(); it != all.constEnd(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            _problem = writeProblem();
            return false;
        }
    }
    // QSettings can report a write cut short by a full disk as a success: believe only
    // what reads back.
    QFile written(tempPath);
    const bool readable = written.open(QIODevice::ReadOnly) && written.size() <= maxBytes;
    if (!readable || !holdsAll(parse(written.readAll()), all) || !syncToDisk(tempPath)) {
        _problem = writeProblem();
        if (_problem == Problem::NotWritable)
            _problem = Problem::Unverified;
        return false;
    }
    return true;
}

StoreFile::Problem StoreFile::writeProblem() const
{
    const QFileInfo folder(QFileInfo(target()).absolutePath());
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < nearlyFullBytes)
        return Problem::DiskFull;
    return Problem::NotWritable;
}

QString StoreFile::target() const
{
    const QFileInfo info(_path);
    return info.isSymLink() ? info.symLinkTarget() : _path;
}

QString StoreFile::problemText() const
{
    switch (_problem) {
    case Problem::None:
        return QString();
    case Problem::NotRegular:
        return tr("it is not a regular file");
    case Problem::TooLarge:
        return tr("it is larger than %1 KB").arg(maxBytes / 1024);
    case Problem::Unreadable:
        return tr("it cannot be read");
    case Problem::DiskFull:
        return tr("the disk is full");
    case Problem::NotWritable:
        return tr("the file or its folder is not writable");
    case Problem::Unverified:
        return tr("what was written did not read back whole");
    }
    return QString();
}

void StoreFile::reportOnce()
{
    const QString report = _problem == Problem::None
        ? QString()
        : tr("MervaneTimer: not reading the preferences in %1: %2; the defaults apply")
              .arg(_path, problemText());
    if (report != _reported && !report.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(report));
    _reported = report;
}

QString StoreFile::leftoverPrefix(const QString &destination)
{
    return destination + QStringLiteral(".save-");
}

// A new file is named after the process saving it: one whose process is gone was left by a
// save that was killed. So was a lock file that has not been touched for a while.
void StoreFile::removeLeftovers() const
{
    const QFileInfo file(target());
    const QString prefix = QFileInfo(leftoverPrefix(file.filePath())).fileName();
    const QDateTime staleBefore = QDateTime::currentDateTime().addSecs(-staleLockSeconds);
    const QFileInfoList found =
        file.absoluteDir().entryInfoList({prefix + '*', file.fileName() + QStringLiteral(".lock")},
            QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &leftover : found) {
        const QString name = leftover.fileName();
        const bool isSave = name.startsWith(prefix);
        const pid_t saver = name.mid(prefix.size()).section('-', 0, 0).toInt();
        const bool saverGone = saver > 0 && ::kill(saver, 0) != 0 && errno == ESRCH;
        if ((isSave && saverGone) || (!isSave && leftover.lastModified() < staleBefore))
            QFile::remove(leftover.absoluteFilePath());
    }
}
