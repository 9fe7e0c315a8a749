#pragma once

#include "CueDecoder.h"
#include "MonitorRecording.h"

#include <cmath>

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
            const CueDecoder::Samples samples = file.open(QIODevice::ReadOnly)
                ? CueDecoder::decode(file.readAll(), {MonitorRecording::sampleRate, 1})
                : nullptr;
            if (!samples)
                continue;
            const std::vector<float> wave(samples->begin(),
                samples->begin() + std::min<qsizetype>(samples->size(), openingSamples));
            _openings.insert(name.chopped(5).toInt(), reduced(wave.data(), wave.size()));
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
        const std::vector<float> part = reduced(recording.data() + from, to - from + span);
        for (size_t at = 0; at + opening.size() <= part.size(); ++at) {
            double dot = 0, power = 0, openingPower = 0;
            for (size_t i = 0; i < opening.size(); ++i) {
                dot += double(part[at + i]) * opening[i];
                power += double(part[at + i]) * part[at + i];
                openingPower += double(opening[i]) * opening[i];
            }
            const double similarity = power > 0 ? dot / std::sqrt(power * openingPower) : 0;
            if (similarity > match.similarity)
                match = {seconds, from + qsizetype(at) * reduction, similarity};
        }
        return match;
    }

    // The cue that the recording follows best from `start` on.
    int bestAt(const std::vector<float> &recording, qsizetype start) const
    {
        Match best;
        for (int seconds : _openings.keys()) {
            const Match match = find(seconds, recording, start, start + 1);
            if (match.similarity > best.similarity)
                best = match;
        }
        return best.seconds;
    }

private:
    static constexpr int reduction = 4;
    static constexpr qsizetype openingSamples = MonitorRecording::sampleRate / 4;

    // Each `reduction` samples averaged into one: the sound below a quarter of its rate.
    static std::vector<float> reduced(const float *from, qsizetype count)
    {
        std::vector<float> out(size_t(count / reduction));
        for (size_t i = 0; i < out.size() * reduction; ++i)
            out[i / reduction] += from[i] / reduction;
        return out;
    }

    QHash<int, std::vector<float>> _openings; // by the cue's seconds, at the reduced rate
};
