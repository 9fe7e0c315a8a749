#pragma once

#include "CueDecoder.h"

#include <QMutex>

#include <vector>

// The cues sounding now, summed into the output stream. Each cue started plays to its end;
// cues that overlap add up, clipped at full scale rather than wrapping round. Cues are
// started from the clock's thread and mixed on the audio thread.
class CueMixer
{
public:
    // More cues than this at once would be noise; the oldest one gives way.
    static constexpr int maxVoices = 16;

    void start(const CueDecoder::Samples &cue);
    // Fills `count` interleaved samples, scaled by `volumePercent`; silence when nothing plays.
    void mix(qint16 *out, qsizetype count, int volumePercent);
    // Forgets every cue: with no output to play on, they would only pile up.
    void clear();
    int voices() const;

private:
    struct Voice
    {
        CueDecoder::Samples samples;
        size_t position = 0;
    };

    mutable QMutex _mutex;
    std::vector<Voice> _voices;
    std::vector<qint32> _sum;
};
