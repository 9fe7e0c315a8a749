// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioOutput.h"

#include <pulse/pulseaudio.h>

#include <algorithm>

namespace {

constexpr int64_t frame = int64_t(sizeof(qint16)) * AudioOutput::format.channels;
constexpr pa_sample_spec cueFormat{
    PA_SAMPLE_S16LE, AudioOutput::format.sampleRate, AudioOutput::format.channels};

uint32_t bytesFor(int milliseconds)
{
    return uint32_t(pa_usec_to_bytes(pa_usec_t(milliseconds) * PA_USEC_PER_MSEC, &cueFormat));
}

// The mixer can step back over everything the server may still hold unplayed.
constexpr qsizetype rewindableSamples = qsizetype(2) * AudioOutput::queuedMilliseconds *
    AudioOutput::format.sampleRate / 1000 * AudioOutput::format.channels;

AudioOutput *outputOf(void *self)
{
    return static_cast<AudioOutput *>(self);
}

class Locked
{
public:
    explicit Locked(pa_threaded_mainloop *mainloop)
        : _mainloop(mainloop)
    {
        pa_threaded_mainloop_lock(_mainloop);
    }
    ~Locked() { pa_threaded_mainloop_unlock(_mainloop); }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;

private:
    pa_threaded_mainloop *_mainloop;
};

void forget(pa_operation *operation)
{
    if (operation)
        pa_operation_unref(operation);
}

} // namespace

struct PulseCallbacks
{
    static void contextChanged(pa_context *context, void *self);
    static void serverEvent(
        pa_context *context, pa_subscription_event_type_t event, uint32_t index, void *self);
    static void serverListed(pa_context *context, const pa_server_info *info, void *self);
    static void sinkListed(pa_context *context, const pa_sink_info *info, int eol, void *self);
    static void streamChanged(pa_stream *stream, void *self);
    static void streamWants(pa_stream *stream, size_t bytes, void *self);
    static void streamTimed(pa_stream *stream, int success, void *self);
    static void retry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self);
    static void sleepDue(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self);
};

AudioOutput::AudioOutput(const QByteArray &sink, QObject *parent)
    : QObject(parent)
    , _mixer(rewindableSamples)
    , _chosenSink(sink)
    , _mainloop(pa_threaded_mainloop_new())
{
    pa_threaded_mainloop_set_name(_mainloop, "cue output");
    pa_threaded_mainloop_start(_mainloop);
    const Locked locked(_mainloop);
    connectContext();
}

AudioOutput::~AudioOutput()
{
    {
        const Locked locked(_mainloop);
        if (_retry)
            pa_threaded_mainloop_get_api(_mainloop)->time_free(_retry);
        dropContext();
    }
    pa_threaded_mainloop_stop(_mainloop);
    pa_threaded_mainloop_free(_mainloop);
}

void AudioOutput::setSink(const QByteArray &name)
{
    const Locked locked(_mainloop);
    _chosenSink = name;
    placeStream();
}

AudioOutput::Sinks AudioOutput::sinks() const
{
    const Locked locked(_mainloop);
    return _sinks;
}

int AudioOutput::grantedQueueMilliseconds() const
{
    const Locked locked(_mainloop);
    const pa_buffer_attr *granted = _ready ? pa_stream_get_buffer_attr(_stream) : nullptr;
    return granted ? int(pa_bytes_to_usec(granted->tlength, &cueFormat) / PA_USEC_PER_MSEC) : 0;
}

void AudioOutput::keepAwake(int milliseconds)
{
    const Locked locked(_mainloop);
    stayAwake(pa_usec_t(std::max(0, milliseconds)) * PA_USEC_PER_MSEC);
}

bool AudioOutput::play(const CueDecoder::Samples &cue)
{
    if (!_ready)
        return false;
    const Locked locked(_mainloop);
    if (!_stream || pa_stream_get_state(_stream) != PA_STREAM_READY)
        return false;
    // The server takes the uncorking before the request for the read position below.
    const pa_usec_t length = pa_bytes_to_usec(cue->size() * sizeof(qint16), &cueFormat);
    stayAwake(length + pa_usec_t(lingerMilliseconds) * PA_USEC_PER_MSEC);
    // The read position is asked for once for all the cues posted before it comes.
    if (_posted.empty())
        forget(pa_stream_update_timing_info(_stream, &PulseCallbacks::streamTimed, this));
    _posted.push_back(cue);
    return true;
}

// Without PA_CONTEXT_NOFAIL a server that is not there yet fails the context at once;
// with it, the context waits for the server to appear where it can.
void AudioOutput::connectContext()
{
    _context = pa_context_new(pa_threaded_mainloop_get_api(_mainloop), "MervaneTimer");
    pa_context_set_state_callback(_context, &PulseCallbacks::contextChanged, this);
    pa_context_set_subscribe_callback(_context, &PulseCallbacks::serverEvent, this);
    if (pa_context_connect(_context, nullptr,
            pa_context_flags_t(PA_CONTEXT_NOFAIL | PA_CONTEXT_NOAUTOSPAWN), nullptr) < 0)
        reconnectSoon();
}

void AudioOutput::dropContext()
{
    dropStream();
    if (!_context)
        return;
    pa_context_set_state_callback(_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(_context, nullptr, nullptr);
    pa_context_disconnect(_context);
    pa_context_unref(_context);
    _context = nullptr;
    _listing = _listAgain = false;
}

// A failed context cannot connect again: a new one takes its place, a moment later.
void AudioOutput::reconnectSoon()
{
    dropStream();
    if (_retry)
        return;
    timeval at{};
    pa_timeval_add(pa_gettimeofday(&at), pa_usec_t(reconnectMilliseconds) * PA_USEC_PER_MSEC);
    _retry = pa_threaded_mainloop_get_api(_mainloop)->time_new(
        pa_threaded_mainloop_get_api(_mainloop), &at, &PulseCallbacks::retry, this);
}

void PulseCallbacks::retry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self)
{
    AudioOutput *output = outputOf(self);
    api->time_free(event);
    output->_retry = nullptr;
    output->dropContext();
    output->connectContext();
}

void PulseCallbacks::contextChanged(pa_context *context, void *self)
{
    AudioOutput *output = outputOf(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        forget(pa_context_subscribe(context,
            pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
            nullptr, nullptr));
        output->listSinks();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        output->reconnectSoon();
        break;
    default:
        break;
    }
}

void PulseCallbacks::serverEvent(
    pa_context *, pa_subscription_event_type_t event, uint32_t, void *self)
{
    const int facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    // A sink changes its state all the time; only one that comes or goes changes the list.
    if (facility == PA_SUBSCRIPTION_EVENT_SERVER ||
        (facility == PA_SUBSCRIPTION_EVENT_SINK && type != PA_SUBSCRIPTION_EVENT_CHANGE))
        outputOf(self)->listSinks();
}

// The default sink first, then every sink; one listing at a time, and one more when
// something changed meanwhile.
void AudioOutput::listSinks()
{
    if (_listing) {
        _listAgain = true;
        return;
    }
    _listing = true;
    _listed.clear();
    forget(pa_context_get_server_info(_context, &PulseCallbacks::serverListed, this));
}

void PulseCallbacks::serverListed(pa_context *context, const pa_server_info *info, void *self)
{
    AudioOutput *output = outputOf(self);
    output->_defaultSink = info && info->default_sink_name ? info->default_sink_name : "";
    forget(pa_context_get_sink_info_list(context, &PulseCallbacks::sinkListed, self));
}

void PulseCallbacks::sinkListed(pa_context *, const pa_sink_info *info, int eol, void *self)
{
    AudioOutput *output = outputOf(self);
    if (!eol && info) {
        output->_listed.append(
            {QString::fromUtf8(info->name), QString::fromUtf8(info->description)});
        return;
    }
    output->_listing = false;
    if (eol < 0)
        return;
    output->_sinks = output->_listed;
    emit output->sinksChanged(output->_sinks);
    output->placeStream();
    if (std::exchange(output->_listAgain, false))
        output->listSinks();
}

// Opens the stream, or moves it to the chosen sink, or to the default while that is gone.
void AudioOutput::placeStream()
{
    if (!_context || pa_context_get_state(_context) != PA_CONTEXT_READY)
        return;
    const bool chosenThere = std::any_of(_sinks.begin(), _sinks.end(),
        [this](const auto &sink) { return sink.first.toUtf8() == _chosenSink; });
    const QByteArray target = chosenThere ? _chosenSink : _defaultSink;
    if (!_stream) {
        openStream(target);
        return;
    }
    if (pa_stream_get_state(_stream) == PA_STREAM_READY && !target.isEmpty() &&
        target != pa_stream_get_device_name(_stream))
        forget(pa_context_move_sink_input_by_name(
            _context, pa_stream_get_index(_stream), target.constData(), nullptr, nullptr));
}

void AudioOutput::stayAwake(uint64_t microseconds)
{
    const pa_usec_t now = pa_rtclock_now();
    _awakeUntil = std::max<uint64_t>(_awakeUntil, now + microseconds);
    if (_awakeUntil <= now || !_context || !_stream ||
        pa_stream_get_state(_stream) != PA_STREAM_READY)
        return;
    if (pa_stream_is_corked(_stream) == 1)
        forget(pa_stream_cork(_stream, 0, nullptr, nullptr));
    if (_sleep)
        pa_context_rttime_restart(_context, _sleep, _awakeUntil);
    else
        _sleep = pa_context_rttime_new(_context, _awakeUntil, &PulseCallbacks::sleepDue, this);
}

void PulseCallbacks::sleepDue(
    pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self)
{
    AudioOutput *output = outputOf(self);
    api->time_free(event);
    output->_sleep = nullptr;
    output->sleepWhenDue();
}

void AudioOutput::sleepWhenDue()
{
    if (pa_rtclock_now() < _awakeUntil)
        stayAwake(0);
    else if (_stream && pa_stream_get_state(_stream) == PA_STREAM_READY)
        forget(pa_stream_cork(_stream, 1, nullptr, nullptr));
}

// The server asks for more when about half the queue has been played; of what it holds it
// reads only aheadMilliseconds before the room hears it. A stream opened while nothing is
// due starts corked.
void AudioOutput::openStream(const QByteArray &sink)
{
    _stream = pa_stream_new(_context, "Cues", &cueFormat, nullptr);
    pa_stream_set_state_callback(_stream, &PulseCallbacks::streamChanged, this);
    pa_stream_set_write_callback(_stream, &PulseCallbacks::streamWants, this);
    pa_buffer_attr buffer{};
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = bytesFor(queuedMilliseconds);
    buffer.prebuf = 0;
    buffer.minreq = bytesFor((queuedMilliseconds - aheadMilliseconds) / 2);
    buffer.fragsize = uint32_t(-1);
    const bool due = pa_rtclock_now() < _awakeUntil;
    if (pa_stream_connect_playback(_stream, sink.isEmpty() ? nullptr : sink.constData(), &buffer,
            due ? PA_STREAM_NOFLAGS : PA_STREAM_START_CORKED, nullptr, nullptr) < 0)
        dropStream();
}

void AudioOutput::dropStream()
{
    _ready = false;
    // Cues that cannot be heard now are not kept for later: late, they would mislead.
    _mixer.clear();
    _posted.clear();
    if (_sleep)
        pa_threaded_mainloop_get_api(_mainloop)->time_free(std::exchange(_sleep, nullptr));
    if (!_stream)
        return;
    pa_stream_set_state_callback(_stream, nullptr, nullptr);
    pa_stream_set_write_callback(_stream, nullptr, nullptr);
    pa_stream_disconnect(_stream);
    pa_stream_unref(_stream);
    _stream = nullptr;
}

void PulseCallbacks::streamChanged(pa_stream *stream, void *self)
{
    AudioOutput *output = outputOf(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        output->_ready = true;
        output->stayAwake(0);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // Its sink went, without a server that moves it: a new one opens on another.
        output->dropStream();
        output->listSinks();
        break;
    default:
        break;
    }
}

void PulseCallbacks::streamWants(pa_stream *, size_t bytes, void *self)
{
    outputOf(self)->write(bytes, PA_SEEK_RELATIVE);
}

// Everything queued from the read position on is mixed again with the new cues in it, and
// written over what was there.
void PulseCallbacks::streamTimed(pa_stream *stream, int success, void *self)
{
    AudioOutput *output = outputOf(self);
    const pa_timing_info *timing = pa_stream_get_timing_info(stream);
    if (!success || !timing) {
        output->_posted.clear();
        return;
    }
    // A cue lands a little ahead of the read position, out of reach of a read under way.
    const int64_t margin = bytesFor(AudioOutput::marginMilliseconds);
    const int64_t unplayed = timing->write_index - timing->read_index;
    const int64_t over = std::max<int64_t>(0, unplayed - margin) / frame * frame;
    output->_mixer.rewind(qsizetype(over) / qsizetype(sizeof(qint16)));
    for (const CueDecoder::Samples &cue : output->_posted)
        output->_mixer.start(cue);
    output->_posted.clear();
    output->write(size_t(over), PA_SEEK_RELATIVE_ON_READ, unplayed - over);
}

void AudioOutput::write(size_t bytes, int seek, int64_t offset)
{
    const size_t samples = bytes / sizeof(qint16);
    if (!_stream || samples == 0)
        return;
    _block.resize(samples);
    _mixer.mix(_block.data(), qsizetype(samples), _volume);
    pa_stream_write(
        _stream, _block.data(), samples * sizeof(qint16), nullptr, offset, pa_seek_mode_t(seek));
}
