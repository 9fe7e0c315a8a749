// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtTest>

#include <csignal>
#include <unistd.h>

// A private sound server speaking the PulseAudio protocol: PulseAudio, or PipeWire with its
// session manager under a D-Bus session of its own. start() makes a null sink ("cues") its
// default and points this process's sound clients at it. Like a desktop's, it suspends idle sinks.
class SoundServer
{
public:
    enum Kind { PulseAudio, PipeWire };
    static constexpr char sinkName[] = "cues";

    explicit SoundServer(Kind kind)
        : _kind(kind)
    {
        _server.setChildProcessModifier([] { ::setsid(); }); // so kill() reaches all of it
        _server.setStandardOutputFile(QProcess::nullDevice());
        _server.setStandardErrorFile(QProcess::nullDevice());
    }
    ~SoundServer() { kill(); }
    Kind kind() const { return _kind; }
    qint64 processGroup() const { return _server.processId(); }

    // The caller's event loop runs meanwhile. A server that makes no sink in time is killed and
    // started again: once in CI a PipeWire restarted after a kill answered nothing for 10 s.
    bool start()
    {
        const QString socket = _runtime.filePath("pulse/native");
        QDir(_runtime.path()).mkpath("pulse");
        const QStringList command = _kind == PulseAudio
            ? QStringList{"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                  "--disallow-exit", "-Lmodule-suspend-on-idle",
                  "-Lmodule-native-protocol-unix auth-anonymous=1 socket=" + socket}
            : QStringList{"dbus-run-session", "--", "sh", "-c",
                  "pipewire & until [ -S \"$XDG_RUNTIME_DIR/pipewire-0\" ]; do sleep 0.05; done; "
                  "wireplumber & pipewire-pulse & wait"};
        qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
        // Retried until the socket is up; PipeWire makes the sink a moment after the module loads.
        const QStringList load{
            "load-module", "module-null-sink", QString("sink_name=") + sinkName, "rate=48000"},
            byDefault{"set-default-sink", sinkName};
        const QStringList env{
            "-u", "PULSE_SERVER", "XDG_RUNTIME_DIR=" + _runtime.path(), "HOME=" + _runtime.path()};
        for (int attempt = 0; attempt < 3; ++attempt) {
            kill(); // what is left of an attempt that made no sink
            _server.start("env", env + command);
            if (_server.waitForStarted(5000) &&
                QTest::qWaitFor([&] { return pactl(load); }, 5000) &&
                QTest::qWaitFor([&] { return pactl(byDefault); }, 5000))
                return true;
            qWarning("The sound server made no sink in time.");
        }
        return false;
    }

    // SIGKILL to every process of the server, as a crashed server goes.
    void kill()
    {
        if (_server.state() == QProcess::NotRunning)
            return;
        ::kill(-pid_t(_server.processId()), SIGKILL);
        _server.waitForFinished(5000);
        // Else a restarted PipeWire's session manager would start before PipeWire is up.
        QFile::remove(_runtime.filePath("pipewire-0"));
    }

    static bool pactl(const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.start("pactl", arguments);
        const bool done =
            QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 5000);
        if (output)
            *output = process.readAllStandardOutput().trimmed();
        return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

private:
    Kind _kind;
    QTemporaryDir _runtime;
    QProcess _server;
};
