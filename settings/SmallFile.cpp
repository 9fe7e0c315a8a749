// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmallFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SmallFile::Read SmallFile::read(const QString &path, qint64 maxBytes, QByteArray *bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Read::Missing : Read::Unreadable;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Read::Unreadable;
    }
    struct stat opened = {};
    if (::fstat(fd, &opened) != 0)
        return Read::Unreadable;
    if (!S_ISREG(opened.st_mode))
        return Read::NotRegular;
    if (opened.st_size > maxBytes || (*bytes = file.read(maxBytes + 1)).size() > maxBytes)
        return Read::TooLarge;
    return Read::Done;
}
