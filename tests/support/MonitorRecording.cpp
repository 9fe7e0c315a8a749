#include "MonitorRecording.h"

#include "MonotonicClock.h"

#include <QtEndian>
#include <QtTest>

MonitorRecording::MonitorRecording(const QString &sink)
    : _sink(sink)
{
    QObject::connect(&_recorder, &QProcess::readyReadStandardOutput, [this] { take(); });
}

bool MonitorRecording::start()
{
    _recorder.start("parec",
        {"--device=" + _sink + ".monitor", "--raw", "--format=s16le",
            QStringLiteral("--rate=%1").arg(sampleRate), "--channels=1", "--latency-msec=5"});
    return _recorder.waitForStarted(5000) &&
        QTest::qWaitFor([this] { return !_samples.empty(); }, 5000);
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
