#pragma once

#include <QList>
#include <QPair>
#include <QProcess>

#include <vector>

// Records what the private server's null sink plays (its monitor), mono at 48 kHz, and
// notes when each piece arrived, so a sample can be put on this process's monotonic clock.
class MonitorRecording
{
public:
    static constexpr int sampleRate = 48000;

    explicit MonitorRecording(const QString &serverAddress);
    ~MonitorRecording();

    bool start();
    void stop();
    const std::vector<float> &samples() const { return _samples; }
    // The monotonic time (seconds) at which sample `index` was played, and back.
    double timeOf(qsizetype index) const;
    qsizetype indexAt(double seconds) const;

private:
    void take();

    QProcess _recorder;
    std::vector<float> _samples;
    QByteArray _partial;
    QList<QPair<double, qsizetype>> _arrivals; // monotonic time, samples held by then
};
