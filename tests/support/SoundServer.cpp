#include "SoundServer.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <unistd.h>

bool SoundServer::start()
{
    const QString socket = _runtime.filePath("pulse/native");
    QDir(_runtime.path()).mkpath("pulse");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", _runtime.path());
    environment.insert("HOME", _runtime.path());
    environment.remove("PULSE_SERVER");
    _server.setProcessEnvironment(environment);
    _server.setStandardOutputFile(QProcess::nullDevice());
    _server.setStandardErrorFile(QProcess::nullDevice());
    // A process group of its own, so that kill() reaches every process of the server.
    _server.setChildProcessModifier([] { ::setsid(); });
    if (_kind == PulseAudio)
        _server.start("pulseaudio",
            {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit", "--log-level=0",
                "-Lmodule-native-protocol-unix auth-anonymous=1 socket=" + socket});
    else
        _server.start("dbus-run-session",
            {"--", "sh", "-c",
                "pipewire & until [ -S \"$XDG_RUNTIME_DIR/pipewire-0\" ]; do sleep 0.05; done; "
                "wireplumber & pipewire-pulse & wait"});
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    return _server.waitForStarted(5000) &&
        QTest::qWaitFor([&] { return QFile::exists(socket); }, 10000) &&
        pactl({"load-module", "module-null-sink", QStringLiteral("sink_name=%1").arg(sinkName),
            "rate=48000"}) &&
        // PipeWire makes the sink a moment after the module has loaded.
        QTest::qWaitFor(
            [] {
                return pactl({"set-default-sink", sinkName});
            },
            5000);
}

void SoundServer::kill()
{
    if (_server.state() == QProcess::NotRunning)
        return;
    ::kill(-pid_t(_server.processId()), SIGKILL);
    _server.waitForFinished(5000);
    QFile::remove(_runtime.filePath("pulse/native"));
    QFile::remove(_runtime.filePath("pipewire-0"));
}

bool SoundServer::pactl(const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.start("pactl", arguments);
    const bool done =
        QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 5000);
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
