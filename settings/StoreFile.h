// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <sys/stat.h>

// The preferences file on disk, read and written so that nothing can hang, exhaust memory or
// lose what was there: only regular files are opened, reads are bounded, and a write goes
// to a new file that replaces the old one only once it reads back with every value.
class StoreFile
{
    Q_DECLARE_TR_FUNCTIONS(StoreFile)

public:
    // A file larger than this is not a preferences file a person wrote; it is not read.
    static constexpr qint64 maxBytes = 1024 * 1024;

    enum class Problem {
        None,
        NotRegular,
        TooLarge,
        Unreadable,
        DiskFull,
        NotWritable,
        Unverified
    };

    // A file holding a value under any of `secretKeys` is kept readable by its owner only.
    explicit StoreFile(const QString &path = QString(), const QStringList &secretKeys = {});

    QString path() const { return _path; }
    // The values in the file; none when it is missing or cannot be read (see problem()).
    // The file is parsed again only when it has changed on disk.
    QVariantMap values();
    // Replaces the file with one holding what it held and `changes`; false, with the file
    // untouched and problem() saying why, when that could not be done and checked.
    bool save(const QVariantMap &changes);
    Problem problem() const { return _problem; }
    // Why the last read or save failed, in words for the operator; empty when it did not.
    QString problemText() const;

    // Removes what a save killed part-way left beside the file.
    void removeLeftovers() const;

private:
    QString target() const;
    static QString leftoverPrefix(const QString &destination);
    bool readBytes(QByteArray *bytes);
    static QVariantMap parse(const QByteArray &bytes);
    bool writeChecked(const QString &tempPath, const QVariantMap &all);
    Problem writeProblem() const;
    void reportOnce();

    QString _path;
    QStringList _secretKeys;
    Problem _problem = Problem::None;
    QVariantMap _values;
    struct stat _seen = {};
    bool _hasSeen = false;
    QString _reported;
};
