#include "CueFinder.h"

#include "CueDecoder.h"
#include "MonitorRecording.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace {
constexpr int reduction = 4;
constexpr double openingSeconds = 0.25;

std::vector<float> reduced(const float *from, qsizetype count)
{
    std::vector<float> out(static_cast<size_t>(count / reduction));
    for (size_t i = 0; i < out.size(); ++i) {
        float sum = 0;
        for (int j = 0; j < reduction; ++j)
            sum += from[i * reduction + j];
        out[i] = sum / reduction;
    }
    return out;
}

double normOf(const float *from, size_t count)
{
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += double(from[i]) * from[i];
    return std::sqrt(sum);
}
} // namespace

CueFinder::CueFinder()
{
    const CueDecoder::Format format{MonitorRecording::sampleRate, 1};
    for (const QString &name : QDir(":/sounds").entryList({"*s.wav"})) {
        QFile file(":/sounds/" + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const CueDecoder::Samples samples = CueDecoder::decode(file.readAll(), format);
        if (!samples)
            continue;
        std::vector<float> wave(samples->begin(), samples->end());
        for (float &value : wave)
            value /= 32768.0f;
        const auto length = std::min<qsizetype>(
            qsizetype(wave.size()), qsizetype(openingSeconds * MonitorRecording::sampleRate));
        Cue cue{name.chopped(5).toInt(), reduced(wave.data(), length), 0};
        cue.norm = normOf(cue.opening.data(), cue.opening.size());
        _cues.append(cue);
    }
}

CueFinder::Match CueFinder::find(
    int seconds, const std::vector<float> &recording, qsizetype from, qsizetype to) const
{
    Match match;
    for (const Cue &cue : _cues) {
        if (cue.seconds != seconds)
            continue;
        const qsizetype span = qsizetype(cue.opening.size()) * reduction;
        from = std::max<qsizetype>(0, from);
        to = std::min<qsizetype>(to, qsizetype(recording.size()) - span);
        if (to <= from)
            return match;
        const std::vector<float> part = reduced(recording.data() + from, to - from + span);
        for (size_t at = 0; at + cue.opening.size() <= part.size(); ++at) {
            double dot = 0;
            for (size_t i = 0; i < cue.opening.size(); ++i)
                dot += double(part[at + i]) * cue.opening[i];
            const double norm = normOf(part.data() + at, cue.opening.size());
            const double similarity = norm > 0 ? dot / (norm * cue.norm) : 0;
            if (similarity > match.similarity)
                match = {seconds, from + qsizetype(at) * reduction, similarity};
        }
    }
    return match;
}

int CueFinder::bestAt(const std::vector<float> &recording, qsizetype start) const
{
    int best = 0;
    double bestSimilarity = -1;
    for (const Cue &cue : _cues) {
        const Match match = find(cue.seconds, recording, start, start + 1);
        if (match.similarity > bestSimilarity) {
            best = cue.seconds;
            bestSimilarity = match.similarity;
        }
    }
    return best;
}
