// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessSample.h"

#include "MonotonicClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include <unistd.h>

namespace {

QByteArray readProc(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

ProcessSample::ProcessSample(qint64 pid)
{
    _takenAt = MonotonicClock::seconds();
    const QByteArray stat = readProc(pid, "stat");
    // The command name in parentheses may hold spaces; the fields after it do not.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (pid <= 0 || fields.size() < 13)
        return;
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble(); // utime + stime
    _cpuSeconds = ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
    const QRegularExpression peak(QStringLiteral("VmHWM:\\s+(\\d+) kB"));
    _peakResidentKb =
        peak.match(QString::fromLatin1(readProc(pid, "status"))).captured(1).toLongLong();
    _valid = true;
}

double ProcessSample::cpuPercentSince(const ProcessSample &earlier) const
{
    if (!_valid || !earlier._valid || _takenAt <= earlier._takenAt)
        return qQNaN();
    return 100.0 * (_cpuSeconds - earlier._cpuSeconds) / (_takenAt - earlier._takenAt);
}

qint64 ProcessSample::xServerPid()
{
    const QByteArray display = qgetenv("DISPLAY");
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        const QList<QByteArray> arguments = readProc(pid.toLongLong(), "cmdline").split('\0');
        if (QFileInfo(QString::fromLocal8Bit(arguments.first())).fileName() == "Xvfb" &&
            arguments.contains(display)) {
            return pid.toLongLong();
        }
    }
    return 0;
}

QList<qint64> ProcessSample::groupMembers(qint64 group)
{
    QList<qint64> members;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QByteArray stat = readProc(pid.toLongLong(), "stat");
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields.at(2).toLongLong() == group)
            members << pid.toLongLong();
    }
    return members;
}
