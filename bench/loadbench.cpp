// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real clock in the X server this program runs in, lets it count down with the
// banner scrolling, and measures it from outside: the time from process start to the first
// frame on screen, the CPU time it uses (user plus system, from /proc) and its peak resident
// memory. Once windowed at 1280x720, once full screen over the whole screen, both without a
// sound server; then full screen again with a private PulseAudio server, and with a private
// PipeWire, measuring the sound server's CPU too (every process of it): in the middle of a
// long phase, where no cue is near, and over the last minute of a phase, with its cues.
// Usage: loadbench PATH_TO_MervaneTimer [SECONDS]   (default 60; run it under xvfb-run with a
// 1920x1080 screen and a white root window, -wr)

#include "BenchTable.h"
#include "ProcessSample.h"
#include "SoundServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

const QRect windowedFrame(0, 0, 1280, 720);

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "loadbench: %s\n", qPrintable(why));
    std::exit(1);
}

QImage grab(const QRect &area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

// The window's own grey with dark text on it: painted, not merely mapped.
bool showsPaintedText(const QImage &image)
{
    int dark = 0, grey = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int level = qGray(image.pixel(x, y));
            dark += level < 100;
            grey += level > 200 && level < 250;
        }
    }
    return dark > 20 && grey > 100;
}

void xdotool(const QStringList &arguments)
{
    if (QProcess::execute(QStringLiteral("xdotool"), arguments) != 0)
        fail(QStringLiteral("xdotool %1 failed").arg(arguments.join(' ')));
}

class ClockRun
{
public:
    ClockRun(const QString &binary, const QString &configHome)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        _process.setProcessEnvironment(environment);
        _process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        _started.start();
        _process.start(binary, {QStringLiteral("-geometry"), QStringLiteral("1280x720+0+0")});
        if (!_process.waitForStarted())
            fail(QStringLiteral("cannot start %1").arg(binary));
    }
    ~ClockRun()
    {
        _process.terminate();
        if (!_process.waitForFinished(5000))
            _process.kill();
        _process.waitForFinished();
    }

    qint64 pid() const { return _process.processId(); }

    double millisecondsToFirstFrame()
    {
        const QRect band(
            windowedFrame.x(), windowedFrame.center().y() - 10, windowedFrame.width(), 20);
        while (!showsPaintedText(grab(band))) {
            if (_started.elapsed() > 20000 || _process.state() != QProcess::Running)
                fail(QStringLiteral("the clock never showed its countdown"));
            QThread::msleep(2);
        }
        return _started.nsecsElapsed() / 1e6;
    }

private:
    QProcess _process;
    QElapsedTimer _started;
};

// The CPU that the processes of `group` used between two moments, as a percentage of one core.
class GroupSample
{
public:
    explicit GroupSample(qint64 group)
    {
        for (qint64 pid : ProcessSample::groupMembers(group))
            _samples.insert(pid, ProcessSample(pid));
    }
    double cpuPercentSince(const GroupSample &earlier) const
    {
        double sum = 0;
        for (auto sample = _samples.begin(); sample != _samples.end(); ++sample) {
            const auto before = earlier._samples.constFind(sample.key());
            if (before != earlier._samples.constEnd())
                sum += sample->cpuPercentSince(*before);
        }
        return sum;
    }

private:
    QMap<qint64, ProcessSample> _samples;
};

// `display`: preference lines for what the display shows besides its texts, named in `shows`.
void measure(const QString &binary, bool fullScreen, int seconds, SoundServer *sound = nullptr,
    int phaseMinutes = 15, const QByteArray &display = {}, const QString &shows = {})
{
    QTemporaryDir configHome;
    QDir(configHome.path()).mkpath(QStringLiteral("Corvelworks"));
    QFile config(configHome.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
    if (!config.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write %1").arg(config.fileName()));
    config.write("[General]\ndefaults.springMinutes=" + QByteArray::number(phaseMinutes) + "\n" +
        "defaults.marquisText=\"Round 3 starts at two; boards 1 to 12 in the main hall\"\n" +
        display);
    config.close();

    ClockRun run(binary, configHome.path());
    const double firstFrame = run.millisecondsToFirstFrame();
    xdotool({"search", "--sync", "--onlyvisible", "--name", "^MervaneTimer$", "windowfocus",
        "--sync", "key", "c"});
    if (fullScreen)
        xdotool({"key", "F11"});
    QThread::sleep(2);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect shown = fullScreen ? screen : windowedFrame;
    if (fullScreen &&
        !showsPaintedText(grab(QRect(0, screen.center().y() - 10, screen.width(), 20))))
        fail(QStringLiteral("full screen did not cover the screen"));

    const QImage before = grab(shown);
    const qint64 soundGroup = sound ? sound->processGroup() : 0;
    const ProcessSample clockStart(run.pid()), serverStart(ProcessSample::xServerPid());
    const GroupSample soundStart(soundGroup);
    QThread::sleep(seconds);
    const ProcessSample clockEnd(run.pid()), serverEnd(ProcessSample::xServerPid());
    const GroupSample soundEnd(soundGroup);
    if (grab(shown) == before)
        fail(QStringLiteral("the display did not change: is the clock running?"));

    QString name = QStringLiteral("load, %1 %2x%3, %4 s")
                       .arg(fullScreen ? "full screen" : "windowed")
                       .arg(shown.width())
                       .arg(shown.height())
                       .arg(seconds) +
        shows;
    if (sound) {
        name += sound->kind() == SoundServer::PulseAudio ? ", PulseAudio" : ", PipeWire";
        // The goals are for the long stretch between cues; the last minute shows tenths.
        const bool lastMinute = phaseMinutes == 1;
        if (lastMinute)
            name += QStringLiteral(", last minute of a phase");
        BenchTable::row(name, "CPU, % of one core",
            QString::number(clockEnd.cpuPercentSince(clockStart), 'f', 2),
            lastMinute ? "" : "<= 0.7");
        BenchTable::row(name, "sound server CPU, % of one core",
            QString::number(soundEnd.cpuPercentSince(soundStart), 'f', 2),
            lastMinute ? "" : "<= 0.3");
        return;
    }
    BenchTable::row(name, "CPU, % of one core",
        QString::number(clockEnd.cpuPercentSince(clockStart), 'f', 2), fullScreen ? "<= 1" : "");
    BenchTable::row(name, "X server CPU, % of one core",
        QString::number(serverEnd.cpuPercentSince(serverStart), 'f', 2), "");
    BenchTable::row(name, "peak resident memory, MB",
        QString::number(clockEnd.peakResidentMegabytes(), 'f', 1), "<= 80");
    BenchTable::row(
        name, "process start to first frame, ms", QString::number(firstFrame, 'f', 0), "<= 300");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        fail(QStringLiteral("usage: loadbench PATH_TO_MervaneTimer [SECONDS]"));
    const int seconds = argc > 2 ? std::max(1, QString(argv[2]).toInt()) : 60;
    const QString binary = QString::fromLocal8Bit(argv[1]);
    // No server at all, not even the user's own.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    measure(binary, false, seconds);
    measure(binary, true, seconds);
    // The band, the next phase's line and the time of day, each off and then all on, in one run.
    measure(binary, true, seconds, nullptr, 15, "display.progress=0\ndisplay.nextPhase=0\n",
        QStringLiteral(", texts alone"));
    measure(binary, true, seconds, nullptr, 15, "display.timeOfDay=1\n",
        QStringLiteral(", band, next line and time of day"));
    for (SoundServer::Kind kind : {SoundServer::PulseAudio, SoundServer::PipeWire}) {
        SoundServer sound(kind);
        if (!sound.start())
            fail(QStringLiteral("could not start a sound server"));
        measure(binary, true, seconds, &sound);
        measure(binary, true, seconds, &sound, 1);
    }
    return 0;
}
