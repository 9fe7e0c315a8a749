// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

// Turns a cue file into samples ready to mix into an output stream: 16-bit, at the stream's
// rate and channel count. Only a whole, plain PCM wave file is taken: a damaged one could
// otherwise make the room hear noise, or nothing at the moment that counts.
class CueDecoder
{
public:
    using Samples = std::shared_ptr<const std::vector<qint16>>;

    // What the cues are decoded into: 16-bit samples, interleaved.
    struct Format
    {
        int sampleRate;
        int channels;
    };

    // Interleaved samples in `format`; null when `wave` is not a whole PCM wave file of 8,
    // 16, 24 or 32 bits.
    static Samples decode(const QByteArray &wave, const Format &format);

private:
    struct Pcm
    {
        int channels = 0;
        int sampleRate = 0;
        int bytesPerSample = 0;
        QByteArray data;
    };

    static bool parse(const QByteArray &wave, Pcm *pcm);
    static std::vector<float> toMono(const Pcm &pcm);
    static std::vector<float> resample(const std::vector<float> &mono, int from, int to);
};
