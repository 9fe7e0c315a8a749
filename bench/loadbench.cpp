// Starts the real clock in the X server this program runs in, lets it count down with the
// banner scrolling, and measures it from outside: the time from process start to the first
// frame on screen, the CPU time it uses (user plus system, from /proc) and its peak resident
// memory. Once windowed at 1280x720, once full screen over the whole screen.
// Usage: loadbench PATH_TO_MervaneTimer [SECONDS]   (default 60; run it under xvfb-run with a
// 1920x1080 screen and a white root window, -wr)

#include "BenchTable.h"
#include "ProcessSample.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
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

void measure(const QString &binary, bool fullScreen, int seconds)
{
    QTemporaryDir configHome;
    QDir(configHome.path()).mkpath(QStringLiteral("Corvelworks"));
    QFile config(configHome.filePath(QStringLiteral("Corvelworks/MervaneTimer.conf")));
    if (!config.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write %1").arg(config.fileName()));
    config.write(
        "[General]\ndefaults.springMinutes=15\n"
        "defaults.marquisText=\"Round 3 starts at two; boards 1 to 12 in the main hall\"\n");
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
    const ProcessSample clockStart(run.pid()), serverStart(ProcessSample::xServerPid());
    QThread::sleep(seconds);
    const ProcessSample clockEnd(run.pid()), serverEnd(ProcessSample::xServerPid());
    if (grab(shown) == before)
        fail(QStringLiteral("the display did not change: is the clock running?"));

    const QString name = QStringLiteral("load, %1 %2x%3, %4 s")
                             .arg(fullScreen ? "full screen" : "windowed")
                             .arg(shown.width())
                             .arg(shown.height())
                             .arg(seconds);
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
    measure(QString::fromLocal8Bit(argv[1]), false, seconds);
    measure(QString::fromLocal8Bit(argv[1]), true, seconds);
    return 0;
}
