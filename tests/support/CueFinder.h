// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CueDecoder.h"
#include "MonitorRecording.h"

#include <cmath>
#include <numeric>

// Finds where in a recording a cue starts, by how closely the recording follows the cue's
// opening (normalised correlation, at a quarter of the recording's rate).
class CueFinder
{
public:
    struct Match
    {
        int seconds = 0; // the cue heard
        qsizetype start = -1; // where its first sample lies in the recording
        double similarity = 0; // 1: exactly the cue
    };

    // Every shipped cue, at the recording's rate.
    CueFinder()
    {
        for (const QString &name : QDir(":/sounds").entryList({"*s.wav"})) {
            QFile file(":/sounds/" + name);
            file.open(QIODevice::ReadOnly);
            if (const auto samples =
                    CueDecoder::decode(file.readAll(), {MonitorRecording::sampleRate, 1}))
                _openings.insert(name.chopped(5).toInt(),
                    reduced(samples->data(), std::min(samples->size(), size_t(openingSamples))));
        }
    }

    // Where cue `seconds` best matches, starting in [from, to).
    Match find(int seconds, const std::vector<float> &recording, qsizetype from, qsizetype to) const
    {
        const std::vector<float> opening = _openings.value(seconds);
        const qsizetype span = qsizetype(opening.size()) * reduction;
        from = std::max<qsizetype>(0, from);
        to = std::min<qsizetype>(to, qsizetype(recording.size()) - span);
        Match match{seconds};
        if (opening.empty() || to <= from)
            return match;
        const double openingPower =
            std::inner_product(opening.begin(), opening.end(), opening.begin(), 0.0);
        const std::vector<float> part = reduced(recording.data() + from, to - from + span);
        for (auto at = part.begin(); at + opening.size() <= part.end(); ++at) {
            const double dot = std::inner_product(opening.begin(), opening.end(), at, 0.0);
            const double power = std::inner_product(at, at + opening.size(), at, 0.0);
            const double similarity = power > 0 ? dot / std::sqrt(power * openingPower) : 0;
            if (similarity > match.similarity)
                match = {seconds, from + (at - part.begin()) * reduction, similarity};
        }
        return match;
    }

    // The cue that the recording follows best from `start` on.
    int bestAt(const std::vector<float> &recording, qsizetype start) const
    {
        Match best;
        for (int seconds : _openings.keys())
            if (const Match match = find(seconds, recording, start, start + 1);
                match.similarity > best.similarity)
                best = match;
        return best.seconds;
    }

private:
    static constexpr int reduction = 4;
    static constexpr qsizetype openingSamples = MonitorRecording::sampleRate / 4;

    // Each `reduction` samples averaged into one: the sound below a quarter of its rate.
    template<typename Sample>
    static std::vector<float> reduced(const Sample *from, qsizetype count)
    {
        std::vector<float> out(size_t(count / reduction));
        for (size_t i = 0; i < out.size() * reduction; ++i)
            out[i / reduction] += float(from[i]) / reduction;
        return out;
    }

    QHash<int, std::vector<float>> _openings; // by the cue's seconds, at the reduced rate
};
