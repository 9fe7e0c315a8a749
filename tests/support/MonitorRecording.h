// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonotonicClock.h"
#include "SoundServer.h"

#include <QtEndian>

// Records what a sink of the test's sound server plays (its monitor), mono at 48 kHz, and
// notes when each piece arrived, so a sample can be put on this process's monotonic clock.
class MonitorRecording
{
public:
    static constexpr int sampleRate = 48000;

    explicit MonitorRecording(const QString &sink = SoundServer::sinkName)
        : _sink(sink)
    {
        QObject::connect(&_recorder, &QProcess::readyReadStandardOutput, [this] { take(); });
    }
    ~MonitorRecording() { stop(); }

    // Recording once the first sound (silence, too) comes in; the caller's event loop runs.
    bool start()
    {
        _recorder.start("parec",
            {"--device=" + _sink + ".monitor", "--raw", "--format=s16le",
                QStringLiteral("--rate=%1").arg(sampleRate), "--channels=1", "--latency-msec=5"});
        return _recorder.waitForStarted(5000) &&
            QTest::qWaitFor([this] { return !_samples.empty(); }, 5000);
    }
    void stop()
    {
        take();
        _recorder.kill();
        _recorder.waitForFinished(5000);
    }
    const std::vector<float> &samples() const { return _samples; }

    // The monotonic time (seconds) at which sample `index` was played, and back.
    double timeOf(qsizetype index) const
    {
        for (const auto &[arrived, held] : _arrivals)
            if (held > index)
                return arrived - double(held - index) / sampleRate;
        return _arrivals.isEmpty() ? 0 : _arrivals.last().first;
    }
    // Pieces come late, never early, so the least late of those just after places it best.
    qsizetype indexAt(double seconds) const
    {
        qsizetype best = -1;
        for (const auto &[arrived, held] : _arrivals)
            if (arrived >= seconds && (best < 0 || arrived < seconds + 0.2))
                best = std::max(best, held - qsizetype((arrived - seconds) * sampleRate));
        return best < 0 ? qsizetype(_samples.size()) : std::max<qsizetype>(0, best);
    }

private:
    void take()
    {
        const double now = MonotonicClock::seconds();
        _partial += _recorder.readAllStandardOutput();
        const qsizetype whole = _partial.size() / 2;
        for (qsizetype i = 0; i < whole; ++i)
            _samples.push_back(qFromLittleEndian<qint16>(_partial.constData() + 2 * i) / 32768.0f);
        _partial.remove(0, whole * 2);
        if (whole > 0)
            _arrivals.append({now, qsizetype(_samples.size())});
    }

    QString _sink;
    QProcess _recorder;
    std::vector<float> _samples;
    QByteArray _partial;
    QList<QPair<double, qsizetype>> _arrivals; // monotonic time, samples held by then
};
