// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CueDecoder.h"

#include <QMutex>

#include <vector>

// The cues sounding now, summed into the output stream. Each cue started plays to its end;
// cues that overlap add up, clipped at full scale rather than wrapping round. The mixer
// keeps its place in the stream, and can step back over what it has mixed but the server
// has not played yet, so that a new cue is written over that stretch.
class CueMixer
{
public:
    // More cues than this at once would be noise; the oldest one gives way.
    static constexpr int maxVoices = 16;

    // `rewindable` samples can be mixed again after they have been mixed once.
    explicit CueMixer(qsizetype rewindable = 0)
        : _rewindable(rewindable)
    {
    }

    // Starts `cue` at the mixer's place.
    void start(const CueDecoder::Samples &cue);
    // Fills `count` interleaved samples from the mixer's place on, scaled by
    // `volumePercent`, and moves past them; silence where nothing plays.
    void mix(qint16 *out, qsizetype count, int volumePercent);
    // Moves the mixer's place back by `count` samples, at most `rewindable`.
    void rewind(qsizetype count);
    // Forgets every cue: with no output to play on, they would only pile up.
    void clear();
    // The cues not yet mixed to their end.
    int voices() const;

private:
    struct Voice
    {
        CueDecoder::Samples samples;
        qsizetype start; // where in the stream its first sample lies
        qsizetype end() const { return start + qsizetype(samples->size()); }
    };

    const qsizetype _rewindable;
    mutable QMutex _mutex;
    std::vector<Voice> _voices;
    std::vector<qint32> _sum;
    qsizetype _place = 0;
};
