#include "AudioOutput.h"

#include "CueMixer.h"

#include <QAudioSink>
#include <QMediaDevices>

#include <chrono>
#include <vector>

namespace {
constexpr int feedMilliseconds = 5;
constexpr int retryMilliseconds = 1500;
// Five times the buffer: a working stream never goes this long without taking sound.
constexpr int starvedMilliseconds = 5 * AudioOutput::bufferMilliseconds;
// Longer than a new stream takes to start playing (about 1.5 s on a fresh connection).
constexpr int lostMilliseconds = 2500;
} // namespace

AudioOutput::AudioOutput(CueMixer &mixer)
    : _mixer(mixer)
    , _feedTimer(this)
    , _retryTimer(this)
{
    _feedTimer.setTimerType(Qt::PreciseTimer);
    _feedTimer.setInterval(feedMilliseconds);
    connect(&_feedTimer, &QTimer::timeout, this, &AudioOutput::feed);
    _retryTimer.setSingleShot(true);
    _retryTimer.setInterval(retryMilliseconds);
    connect(&_retryTimer, &QTimer::timeout, this, &AudioOutput::openNow);
}

qint64 AudioOutput::nowMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool AudioOutput::isPlaying() const
{
    return nowMilliseconds() - _lastTaken <= starvedMilliseconds;
}

AudioOutput::~AudioOutput()
{
    close();
}

QAudioFormat AudioOutput::preferredFormat()
{
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void AudioOutput::open(const QByteArray &deviceId)
{
    _deviceId = deviceId;
    if (!_devices) {
        _devices = new QMediaDevices(this);
        connect(_devices, &QMediaDevices::audioOutputsChanged, this, &AudioOutput::checkDevices);
    }
    openNow();
}

QAudioDevice AudioOutput::chosenDevice() const
{
    if (!_deviceId.isEmpty()) {
        for (const QAudioDevice &device : QMediaDevices::audioOutputs()) {
            if (device.id() == _deviceId)
                return device;
        }
    }
    return QMediaDevices::defaultAudioOutput();
}

void AudioOutput::openNow()
{
    close();
    const QAudioDevice device = chosenDevice();
    if (device.isNull()) {
        reopenSoon();
        return;
    }
    QAudioFormat format = preferredFormat();
    if (!device.isFormatSupported(format)) {
        format = device.preferredFormat();
        format.setSampleFormat(QAudioFormat::Int16);
    }
    _sink = std::make_unique<QAudioSink>(device, format);
    _sink->setBufferSize(format.bytesForDuration(bufferMilliseconds * 1000));
    _stream = _sink->start();
    if (!_stream || _sink->error() != QAudio::NoError) {
        reopenSoon();
        return;
    }
    _openedDeviceId = device.id();
    _lastTaken = nowMilliseconds();
    emit opened(format);
    _feedTimer.start();
}

void AudioOutput::close()
{
    _feedTimer.stop();
    _stream = nullptr;
    if (_sink) {
        _sink->stop();
        _sink.reset();
    }
}

void AudioOutput::reopenSoon()
{
    close();
    // Cues that cannot be heard now are not kept for later: late, they would mislead.
    _mixer.clear();
    _retryTimer.start();
}

void AudioOutput::feed()
{
    // A server that went away leaves the stream in error; a new one may be there by now.
    if (!_sink || _sink->error() == QAudio::OpenError || _sink->error() == QAudio::FatalError) {
        reopenSoon();
        return;
    }
    const int channels = _sink->format().channelCount();
    qsizetype samples = _sink->bytesFree() / qsizetype(sizeof(qint16));
    samples -= samples % channels;
    if (samples <= 0) {
        // A stream that takes nothing has nowhere to play: its cues would only come late.
        // One that takes nothing for long has lost its server without a word: start afresh.
        if (nowMilliseconds() - _lastTaken > lostMilliseconds)
            reopenSoon();
        else if (!isPlaying())
            _mixer.clear();
        return;
    }
    // Cues started before the stream stalled would come late now.
    if (!isPlaying())
        _mixer.clear();
    _lastTaken = nowMilliseconds();
    _block.resize(static_cast<size_t>(samples));
    _mixer.mix(_block.data(), samples, _volume);
    _stream->write(
        reinterpret_cast<const char *>(_block.data()), samples * qsizetype(sizeof(qint16)));
}

// A new default device, or the chosen one coming or going, moves the stream there.
void AudioOutput::checkDevices()
{
    if (chosenDevice().id() != _openedDeviceId || !_sink)
        openNow();
}
