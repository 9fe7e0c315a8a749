// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CueDecoder.h"
#include "CueMixer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

// One stream on the sound server, open for the whole run with a stretch of silence queued. A
// cue is written over the queued silence at the server's read position, so it is heard at
// once. Between cues the stream is corked, so that the server and the sink under it can
// sleep: the stream is woken ahead of a cue that is due (see keepAwake), playing silence so
// that a receiver that sleeps in silence (HDMI, Bluetooth) is awake for it, and plays on a
// moment after each cue. The connection waits for a server that is not there yet and is
// made again however long the server is away; the stream follows the chosen sink, and the
// server's default while that sink is gone. Runs on a thread of its own: the clock never
// waits on sound.
class AudioOutput : public QObject
{
    Q_OBJECT

public:
    // What the stream plays; cues are decoded into it once.
    static constexpr CueDecoder::Format format{48000, 2};
    // The silence kept queued: the server takes it in pieces of about half this.
    static constexpr int queuedMilliseconds = 300;
    // How far ahead of the room the server reads from the queue: a cue written at its read
    // position is heard this much later at most. It sets how often the server wakes.
    static constexpr int aheadMilliseconds = 20;
    // A cue is written this far ahead of the server's read position.
    static constexpr int marginMilliseconds = 10;
    // A lost connection is tried again this often, for as long as it takes.
    static constexpr int reconnectMilliseconds = 1000;
    // The stream plays on this long after a cue ends; more than the queue, so that no part
    // of a cue is left in it when the stream is corked.
    static constexpr int lingerMilliseconds = 1000;
    static_assert(lingerMilliseconds > queuedMilliseconds);

    using Sinks = QList<QPair<QString, QString>>; // name, description

    // Plays on `sink` (see setSink) from the start.
    explicit AudioOutput(const QByteArray &sink, QObject *parent = nullptr);
    ~AudioOutput() override;

    // Plays on the sink named `name`, or on the server's default while there is none by
    // that name (or the name is empty).
    void setSink(const QByteArray &name);
    void setVolume(int percent) { _volume = percent; }
    // Keeps the stream playing, uncorked, for at least `milliseconds` from now: a cue due
    // within that time then starts as soon as it is played.
    void keepAwake(int milliseconds);
    // Starts `cue` now, waking the stream if it sleeps; false, and the cue dropped, when
    // there is no stream to play it on.
    bool play(const CueDecoder::Samples &cue);
    // A stream is open: a cue started now is heard.
    bool isPlaying() const { return _ready; }
    int soundingCues() const { return _mixer.voices(); }
    // The queue the server keeps for the stream, as it granted it; 0 while there is no stream.
    int grantedQueueMilliseconds() const;
    // The server's sinks as last listed.
    Sinks sinks() const;

signals:
    // The server's sinks, whenever one comes or goes and on each new connection.
    void sinksChanged(const AudioOutput::Sinks &sinks);

private:
    // The server's callbacks, on the output's thread with its lock held.
    friend struct PulseCallbacks;

    void connectContext();
    void dropContext();
    void reconnectSoon();
    void listSinks();
    void placeStream();
    void openStream(const QByteArray &sink);
    void dropStream();
    void stayAwake(uint64_t microseconds);
    void sleepWhenDue();
    void write(size_t bytes, int seek, int64_t offset = 0);

    CueMixer _mixer;
    QByteArray _chosenSink;
    pa_threaded_mainloop *_mainloop;
    pa_context *_context = nullptr;
    pa_stream *_stream = nullptr;
    pa_time_event *_retry = nullptr;
    pa_time_event *_sleep = nullptr; // corks the stream once _awakeUntil has passed
    uint64_t _awakeUntil = 0; // microseconds on the server library's monotonic clock
    QByteArray _defaultSink;
    Sinks _sinks;
    Sinks _listed; // the sinks named so far by the listing under way
    bool _listing = false;
    bool _listAgain = false; // a sink came or went while a listing was under way
    std::vector<CueDecoder::Samples> _posted; // cues waiting for the read position
    std::vector<qint16> _block; // one write's worth, kept between writes
    std::atomic<bool> _ready{false};
    std::atomic<int> _volume{100};
};
