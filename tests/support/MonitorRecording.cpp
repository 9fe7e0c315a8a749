#include "MonitorRecording.h"

#include "MonotonicClock.h"
#include "PulseServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtEndian>

MonitorRecording::MonitorRecording(const QString &serverAddress)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PULSE_SERVER", serverAddress);
    _recorder.setProcessEnvironment(environment);
    QObject::connect(&_recorder, &QProcess::readyReadStandardOutput, [this] { take(); });
}

MonitorRecording::~MonitorRecording()
{
    stop();
}

bool MonitorRecording::start()
{
    _recorder.start("parec",
        {QStringLiteral("--device=%1.monitor").arg(PulseServer::sinkName), "--raw",
            "--format=s16le", QStringLiteral("--rate=%1").arg(sampleRate), "--channels=1",
            "--latency-msec=5"});
    if (!_recorder.waitForStarted(5000))
        return false;
    // Recording has begun once the first sound (silence, too) comes in; the caller's clock
    // goes on ticking meanwhile.
    QElapsedTimer waited;
    waited.start();
    while (_samples.empty() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return !_samples.empty();
}

void MonitorRecording::stop()
{
    if (_recorder.state() == QProcess::NotRunning)
        return;
    take();
    _recorder.kill();
    _recorder.waitForFinished(5000);
}

void MonitorRecording::take()
{
    const double now = MonotonicClock::seconds();
    _partial += _recorder.readAllStandardOutput();
    const qsizetype whole = _partial.size() / 2;
    for (qsizetype i = 0; i < whole; ++i)
        _samples.push_back(qFromLittleEndian<qint16>(_partial.constData() + 2 * i) / 32768.0f);
    _partial.remove(0, whole * 2);
    if (whole > 0)
        _arrivals.append({now, static_cast<qsizetype>(_samples.size())});
}

double MonitorRecording::timeOf(qsizetype index) const
{
    for (const auto &[arrived, held] : _arrivals) {
        if (held > index)
            return arrived - double(held - index) / sampleRate;
    }
    return _arrivals.isEmpty() ? 0 : _arrivals.last().first;
}

qsizetype MonitorRecording::indexAt(double seconds) const
{
    for (const auto &[arrived, held] : _arrivals) {
        if (arrived >= seconds)
            return std::max<qsizetype>(0, held - qsizetype((arrived - seconds) * sampleRate));
    }
    return static_cast<qsizetype>(_samples.size());
}
