// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real clock with its viewer server on loopback, sets it running in its last
// minute (a change every tenth of a second), and measures it with and without 200 viewers:
// the time from a change in the clock to its arrival at the viewers (median and 95th
// percentile), the clock's CPU (user plus system, from /proc) and its memory per viewer.
// Usage: viewerbench PATH_TO_MervaneTimer [SECONDS]   (default 10 per measurement)

#include "BenchTable.h"
#include "ProcessSample.h"
#include "ViewerClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int viewerCount = 200;

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "viewerbench: %s\n", qPrintable(why));
    std::exit(1);
}

double residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(share * double(values.size()))));
}

// CPU of `pid` over `seconds` of the event loop, as a percentage of one core.
double cpuOver(qint64 pid, int seconds)
{
    const ProcessSample before(pid);
    QTest::qWait(seconds * 1000);
    return ProcessSample(pid).cpuPercentSince(before);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        fail(QStringLiteral("usage: viewerbench PATH_TO_MervaneTimer [SECONDS]"));
    const int seconds = argc > 2 ? std::max(2, atoi(argv[2])) : 10;

    QTemporaryDir home;
    const quint16 port = ViewerClient::freePort();
    QDir().mkpath(home.filePath(QStringLiteral("Corvelworks")));
    QFile preferences(home.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
    if (!preferences.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write the preferences"));
    preferences.write(QStringLiteral("[General]\nviewer.enabled=1\nviewer.port=%1\n"
                                     "viewer.pin=1357\nviewer.address=127.0.0.1\n"
                                     "defaults.springMinutes=1\n")
                          .arg(port)
                          .toUtf8());
    preferences.close();

    QProcess clock;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    clock.setProcessEnvironment(environment);
    clock.start(QString::fromLocal8Bit(argv[1]), {});
    if (!clock.waitForStarted(5000))
        fail(QStringLiteral("the clock did not start"));
    const qint64 pid = clock.processId();

    std::unique_ptr<ViewerClient> referee;
    for (int attempt = 0; attempt < 50 && !(referee && referee->waitFor(1, 200)); ++attempt)
        referee = std::make_unique<ViewerClient>(port);
    if (!referee->waitFor(1))
        fail(QStringLiteral("the viewer server did not answer"));
    if (referee->ask({{"type", "command"}, {"command", "continue"}, {"pin", "1357"}})
            .value("type")
            .toString() != QLatin1String("done"))
        fail(QStringLiteral("the clock took no Continue"));

    QTest::qWait(1000);
    const double idleMegabytes = residentMegabytes(pid);
    const double idleCpu = cpuOver(pid, seconds);

    std::vector<std::unique_ptr<ViewerClient>> viewers;
    // From addresses of their own, as phones would be, a few to each.
    for (int i = 0; i < viewerCount; ++i)
        viewers.push_back(
            std::make_unique<ViewerClient>(port, QStringLiteral("127.0.2.%1").arg(1 + i / 20)));
    for (const auto &viewer : viewers) {
        if (!viewer->waitFor(1, 20'000))
            fail(QStringLiteral("a viewer was not let in"));
    }
    // Latency is counted only from here, on changes every viewer was there for.
    std::vector<double> latencies;
    for (size_t i = 0; i < viewers.size(); ++i) {
        QObject::connect(viewers[i].get(), &ViewerClient::received, viewers[i].get(),
            [&latencies, viewer = viewers[i].get()] {
                const QJsonObject &message = viewer->messages.last();
                if (message.value("type") == QLatin1String("change") && message.contains("at"))
                    latencies.push_back(
                        QDateTime::currentMSecsSinceEpoch() - message.value("at").toDouble());
            });
    }
    const double busyCpu = cpuOver(pid, seconds);
    const double busyMegabytes = residentMegabytes(pid);
    clock.kill();
    clock.waitForFinished(5000);

    const QString run = QStringLiteral("viewers, %1 on loopback, last minute").arg(viewerCount);
    BenchTable::row(run, QStringLiteral("change to arrival, median ms"),
        QString::number(percentile(latencies, 0.5), 'f', 1), QStringLiteral("<= 50"));
    BenchTable::row(run, QStringLiteral("change to arrival, 95th percentile ms"),
        QString::number(percentile(latencies, 0.95), 'f', 1), QStringLiteral("<= 100"));
    BenchTable::row(run, QStringLiteral("changes received"), QString::number(latencies.size()),
        QStringLiteral("%1 x %2 s x 10").arg(viewerCount).arg(seconds));
    BenchTable::row(QStringLiteral("viewers, none"), QStringLiteral("clock CPU, % of a core"),
        QString::number(idleCpu, 'f', 2), QStringLiteral("-"));
    BenchTable::row(run, QStringLiteral("clock CPU, % of a core"), QString::number(busyCpu, 'f', 2),
        QStringLiteral("-"));
    BenchTable::row(run, QStringLiteral("clock memory per viewer, KB"),
        QString::number((busyMegabytes - idleMegabytes) * 1024 / viewerCount, 'f', 0),
        QStringLiteral("-"));
    return 0;
}
