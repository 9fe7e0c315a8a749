// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the real clock in the X server this program runs in, lets it count down with the
// banner scrolling, and measures it from outside: the time from process start to the first
// frame on screen, the CPU time it uses (user plus system, from /proc) and its peak resident
// memory. Once windowed at 1280x720, once full screen over the whole screen, both without a
// sound server; then full screen again with a private PulseAudio server, and with a private
// PipeWire, measuring the sound server's CPU too (every process of it): in the middle of a
// long phase, where no cue is near, and over the last minute of a phase, with its cues. Full
// screen without sound, the middle of a phase against its last minute (tenths shown), the
// clock and the X server together, in one run; with "last-minute", those rows alone.
// Usage: loadbench PATH_TO_MervaneTimer [SECONDS [last-minute]]   (default 60; run it under
// xvfb-run with a 1920x1080 or 3840x2160 screen and a white root window, -wr)

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

// Dark and light (not white) together: painted, not merely mapped.
bool showsPaintedText(const QImage &image)
{
    int dark = 0, grey = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int level = qGray(image.pixel(x, y));
            dark += level < 100;
            grey += level > 150 && level < 250; // the window's grey, or the warning's amber
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

// What one run of the clock cost while it counted.
struct Load
{
    QString name;
    double clock = 0, server = 0, sound = 0; // CPU, % of one core: the clock, the X server, sound
    double peakMegabytes = 0;
    double firstFrame = 0; // ms
};

// `display`: preference lines for what the display shows besides its texts, named in `shows`.
Load load(const QString &binary, bool fullScreen, int seconds, SoundServer *sound = nullptr,
    int phaseMinutes = 15, const QByteArray &display = {}, const QString &shows = {})
{
    QTemporaryDir configHome;
    QDir(configHome.path()).mkpath(QStringLiteral("Corvelworks"));
    QFile config(configHome.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
    if (!config.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write %1").arg(config.fileName()));
    // A minute's phase would be in its warning stage throughout: the same colours as a long one
    // keep the two comparable (and the first frame recognisable), unless `display` says else.
    const QByteArray warning = display.contains("display.warning") ? "" : "display.warning=0\n";
    config.write("[General]\n" + warning +
        "defaults.springMinutes=" + QByteArray::number(phaseMinutes) + "\n" +
        "defaults.marquisText=\"Round 3 starts at two; boards 1 to 12 in the main hall\"\n" +
        display);
    config.close();

    ClockRun run(binary, configHome.path());
    Load measured;
    measured.firstFrame = run.millisecondsToFirstFrame();
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
    measured.clock = clockEnd.cpuPercentSince(clockStart);
    measured.server = serverEnd.cpuPercentSince(serverStart);
    measured.sound = soundEnd.cpuPercentSince(soundStart);
    measured.peakMegabytes = clockEnd.peakResidentMegabytes();
    measured.name = QStringLiteral("load, %1 %2x%3, %4 s")
                        .arg(fullScreen ? "full screen" : "windowed")
                        .arg(shown.width())
                        .arg(shown.height())
                        .arg(seconds) +
        shows;
    return measured;
}

QString percent(double value)
{
    return QString::number(value, 'f', 2);
}

void measure(const QString &binary, bool fullScreen, int seconds, const QByteArray &display = {},
    const QString &shows = {})
{
    const Load run = load(binary, fullScreen, seconds, nullptr, 15, display, shows);
    BenchTable::row(run.name, "CPU, % of one core", percent(run.clock), fullScreen ? "<= 1" : "");
    BenchTable::row(run.name, "X server CPU, % of one core", percent(run.server), "");
    BenchTable::row(
        run.name, "peak resident memory, MB", QString::number(run.peakMegabytes, 'f', 1), "<= 80");
    BenchTable::row(run.name, "process start to first frame, ms",
        QString::number(run.firstFrame, 'f', 0), "<= 300");
}

// The goals are for the long stretch between cues; the last minute shows tenths.
void measureSound(const QString &binary, int seconds, SoundServer &sound)
{
    for (const int phaseMinutes : {15, 1}) {
        const Load run = load(binary, true, seconds, &sound, phaseMinutes);
        const QString name = run.name +
            (sound.kind() == SoundServer::PulseAudio ? ", PulseAudio" : ", PipeWire") +
            (phaseMinutes == 1 ? QStringLiteral(", last minute of a phase") : QString());
        BenchTable::row(
            name, "CPU, % of one core", percent(run.clock), phaseMinutes == 1 ? "" : "<= 0.7");
        BenchTable::row(name, "sound server CPU, % of one core", percent(run.sound),
            phaseMinutes == 1 ? "" : "<= 0.3");
    }
}

// Full screen, the middle of a phase against its last minute (tenths shown), the clock and
// the X server together, in one run; and the most memory the clock held meanwhile. The middle
// is measured before the last minute and again after it, and the two averaged: a machine that
// slows down or speeds up through the run moves both sides of the ratio alike.
void measureLastMinute(const QString &binary, int seconds)
{
    const Load middle = load(binary, true, seconds);
    // A minute's phase: its last minute, less the two seconds that full screen takes.
    const Load last = load(binary, true, std::min(seconds, 55), nullptr, 1);
    const Load middleAgain = load(binary, true, seconds);
    const Load warned =
        load(binary, true, std::min(seconds, 55), nullptr, 1, "display.warning=1\n");
    const QString name = middle.name.section(',', 0, 1);
    const double middleCpu =
        (middle.clock + middle.server + middleAgain.clock + middleAgain.server) / 2;
    BenchTable::row(name + ", middle of a phase", "clock and X server CPU, % of one core",
        percent(middleCpu), "");
    BenchTable::row(name + ", last minute", "clock and X server CPU, % of one core",
        percent(last.clock + last.server), "");
    BenchTable::row(name, "last minute against the middle",
        QString::number((last.clock + last.server) / middleCpu, 'f', 2), "<= 1.5");
    BenchTable::row(name + ", last minute in the warning stage",
        "clock and X server CPU, % of one core", percent(warned.clock + warned.server), "");
    BenchTable::row(name, "peak resident memory, MB",
        QString::number(std::max({middle.peakMegabytes, last.peakMegabytes,
                            middleAgain.peakMegabytes, warned.peakMegabytes}),
            'f', 1),
        "<= 80");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        fail(QStringLiteral("usage: loadbench PATH_TO_MervaneTimer [SECONDS [last-minute]]"));
    const int seconds = argc > 2 ? std::max(1, QString(argv[2]).toInt()) : 60;
    const QString binary = QString::fromLocal8Bit(argv[1]);
    // No server at all, not even the user's own.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    if (argc > 3 && QString(argv[3]) == QLatin1String("last-minute")) {
        measureLastMinute(binary, seconds);
        return 0;
    }
    measure(binary, false, seconds);
    measure(binary, true, seconds);
    // The band, the next phase's line and the time of day, each off and then all on, in one run.
    measure(binary, true, seconds, "display.progress=0\ndisplay.nextPhase=0\n",
        QStringLiteral(", texts alone"));
    measure(binary, true, seconds, "display.timeOfDay=1\n",
        QStringLiteral(", band, next line and time of day"));
    measureLastMinute(binary, seconds);
    for (SoundServer::Kind kind : {SoundServer::PulseAudio, SoundServer::PipeWire}) {
        SoundServer sound(kind);
        if (!sound.start())
            fail(QStringLiteral("could not start a sound server"));
        measureSound(binary, seconds, sound);
    }
    return 0;
}
