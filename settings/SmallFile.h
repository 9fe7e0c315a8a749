// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Reads a file that ought to be small and regular without letting it hang the reader or fill
// its memory: it is opened without waiting, so a FIFO put in its place cannot block; it is
// checked on what was actually opened; and no more than the bound is read.
class SmallFile
{
public:
    enum class Read { Done, Missing, NotRegular, TooLarge, Unreadable };

    static Read read(const QString &path, qint64 maxBytes, QByteArray *bytes);
};
