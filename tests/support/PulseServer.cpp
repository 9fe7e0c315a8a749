#include "PulseServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

bool PulseServer::start()
{
    if (!_runtime.isValid())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", _runtime.path());
    environment.insert("HOME", _runtime.path());
    _server.setProcessEnvironment(environment);
    _server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    _server.start("pulseaudio",
        {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit", "--log-level=0",
            QStringLiteral("-Lmodule-null-sink sink_name=%1 rate=48000").arg(sinkName),
            QStringLiteral("-Lmodule-native-protocol-unix auth-anonymous=1 socket=%1/native")
                .arg(_runtime.path())});
    if (!_server.waitForStarted(5000))
        return false;
    qputenv("PULSE_SERVER", serverAddress().toUtf8());
    QElapsedTimer waited;
    waited.start();
    // The caller's clock goes on ticking meanwhile.
    while (!QFile::exists(_runtime.filePath("native")) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return QFile::exists(_runtime.filePath("native"));
}

void PulseServer::kill()
{
    _server.kill();
    _server.waitForFinished(5000);
    QFile::remove(_runtime.filePath("native"));
}

void PulseServer::stop()
{
    if (_server.state() == QProcess::NotRunning)
        return;
    _server.terminate();
    if (!_server.waitForFinished(5000))
        kill();
}

QString PulseServer::serverAddress() const
{
    return QStringLiteral("unix:") + _runtime.filePath("native");
}
