#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class CueMixer;
class QAudioSink;
class QIODevice;
class QMediaDevices;

// One output stream, open for the whole run and fed with the mixer's cues or silence, so a
// cue starts as soon as it is posted and a receiver that sleeps in silence (HDMI, Bluetooth)
// stays awake. When the sound server goes away, the device changes or none is there, the
// stream is dropped and opened again by itself. Runs on a thread of its own: the clock
// never waits on sound.
class AudioOutput : public QObject
{
    Q_OBJECT

public:
    // How much sound waits in the stream: the delay from a post to the room.
    static constexpr int bufferMilliseconds = 20;

    explicit AudioOutput(CueMixer &mixer);
    ~AudioOutput() override;

    // The format asked of every device: cues are decoded into it once.
    static QAudioFormat preferredFormat();
    void setVolume(int percent) { _volume = percent; }
    // The stream has taken sound within the last few buffers: a cue started now is heard now.
    // Safe to ask from any thread.
    bool isPlaying() const;

public slots:
    // Opens the device with this id, or the system default when it is empty or gone.
    void open(const QByteArray &deviceId);

signals:
    // The stream plays in `format` from now on.
    void opened(const QAudioFormat &format);

private:
    static qint64 nowMilliseconds();
    QAudioDevice chosenDevice() const;
    void openNow();
    void close();
    void reopenSoon();
    void feed();
    void checkDevices();

    CueMixer &_mixer;
    std::atomic<int> _volume{100};
    QByteArray _deviceId;
    QByteArray _openedDeviceId;
    QMediaDevices *_devices = nullptr;
    std::unique_ptr<QAudioSink> _sink;
    QIODevice *_stream = nullptr;
    QTimer _feedTimer;
    QTimer _retryTimer;
    std::atomic<qint64> _lastTaken{0}; // when the stream last took sound, in milliseconds
    std::vector<qint16> _block; // one feed's worth, kept between feeds
};
