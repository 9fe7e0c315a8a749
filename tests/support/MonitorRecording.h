#pragma once

#include <QList>
#include <QPair>
#include <QProcess>

#include <vector>

// Records what a sink of the test's sound server plays (its monitor), mono at 48 kHz, and
// notes when each piece arrived, so a sample can be put on this process's monotonic clock.
class MonitorRecording
{
public:
    static constexpr int sampleRate = 48000;

    explicit MonitorRecording(const QString &sink = QStringLiteral("cues"));
    ~MonitorRecording() { stop(); }

    // Recording has begun once the first sound (silence, too) comes in; the caller's event
    // loop runs meanwhile.
    bool start();
    void stop();
    const std::vector<float> &samples() const { return _samples; }
    // The monotonic time (seconds) at which sample `index` was played, and back.
    double timeOf(qsizetype index) const;
    qsizetype indexAt(double seconds) const;

private:
    void take();

    QString _sink;
    QProcess _recorder;
    std::vector<float> _samples;
    QByteArray _partial;
    QList<QPair<double, qsizetype>> _arrivals; // monotonic time, samples held by then
};
