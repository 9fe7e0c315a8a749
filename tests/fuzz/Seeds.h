// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

// Starts a fuzzer's corpus from its parser's table rows: written to the folder that
// MERVANE_FUZZ_SEEDS names, before libFuzzer reads that folder.
inline void writeSeeds(const QList<QByteArray> &rows)
{
    const QString folder = qEnvironmentVariable("MERVANE_FUZZ_SEEDS");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QFile seed(QDir(folder).filePath(QStringLiteral("row-%1").arg(i)));
        if (seed.open(QIODevice::WriteOnly))
            seed.write(rows.at(i));
    }
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
