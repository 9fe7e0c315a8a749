// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueDecoder.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

float sampleAt(const char *bytes, int bytesPerSample)
{
    switch (bytesPerSample) {
    case 1:
        return (static_cast<unsigned char>(*bytes) - 128) / 128.0f;
    case 2:
        return qFromLittleEndian<qint16>(bytes) / 32768.0f;
    case 3:
        return static_cast<qint32>(qFromLittleEndian<quint32>(bytes) << 8 & 0xffffff00u) /
            2147483648.0f;
    default:
        return qFromLittleEndian<qint32>(bytes) / 2147483648.0f;
    }
}

} // namespace

bool CueDecoder::parse(const QByteArray &wave, Pcm *pcm)
{
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return false;
    bool hasFormat = false;
    for (qsizetype chunk = 12; chunk + 8 <= wave.size();) {
        const QByteArray id = wave.mid(chunk, 4);
        const auto size = qFromLittleEndian<quint32>(wave.constData() + chunk + 4);
        const qsizetype body = chunk + 8;
        // A header that promises more than the file holds is a file cut short.
        if (size > quint64(wave.size() - body))
            return false;
        const char *at = wave.constData() + body;
        if (id == "fmt " && size >= 16) {
            pcm->channels = qFromLittleEndian<quint16>(at + 2);
            pcm->sampleRate = static_cast<int>(qFromLittleEndian<quint32>(at + 4));
            const int bits = qFromLittleEndian<quint16>(at + 14);
            pcm->bytesPerSample = bits / 8;
            hasFormat = qFromLittleEndian<quint16>(at) == 1 && pcm->channels > 0 &&
                pcm->sampleRate > 0 && bits % 8 == 0 && bits >= 8 && bits <= 32;
        } else if (id == "data") {
            pcm->data = wave.mid(body, size);
            return hasFormat && size >= quint32(pcm->channels * pcm->bytesPerSample);
        }
        chunk = body + size + (size & 1);
    }
    return false;
}

std::vector<float> CueDecoder::toMono(const Pcm &pcm)
{
    const int frameBytes = pcm.channels * pcm.bytesPerSample;
    std::vector<float> mono(pcm.data.size() / frameBytes);
    for (size_t frame = 0; frame < mono.size(); ++frame) {
        float sum = 0;
        for (int channel = 0; channel < pcm.channels; ++channel)
            sum +=
                sampleAt(pcm.data.constData() + frame * frameBytes + channel * pcm.bytesPerSample,
                    pcm.bytesPerSample);
        mono[frame] = sum / pcm.channels;
    }
    return mono;
}

// Linear interpolation: the cues are speech, and a few kilohertz of it survive this well.
std::vector<float> CueDecoder::resample(const std::vector<float> &mono, int from, int to)
{
    if (from == to || mono.empty())
        return mono;
    const double step = static_cast<double>(from) / to;
    std::vector<float> out(static_cast<size_t>(std::floor((mono.size() - 1) / step)) + 1);
    for (size_t i = 0; i < out.size(); ++i) {
        const double at = i * step;
        const auto before = static_cast<size_t>(at);
        const size_t after = std::min(before + 1, mono.size() - 1);
        const auto fraction = static_cast<float>(at - before);
        out[i] = mono[before] + (mono[after] - mono[before]) * fraction;
    }
    return out;
}

CueDecoder::Samples CueDecoder::decode(const QByteArray &wave, const Format &format)
{
    Pcm pcm;
    if (format.channels < 1 || format.sampleRate < 1 || !parse(wave, &pcm))
        return nullptr;
    const std::vector<float> mono = resample(toMono(pcm), pcm.sampleRate, format.sampleRate);
    auto samples = std::make_shared<std::vector<qint16>>();
    samples->reserve(mono.size() * size_t(format.channels));
    for (float value : mono) {
        const auto sample = static_cast<qint16>(std::clamp(value * 32767.0f, -32768.0f, 32767.0f));
        samples->insert(samples->end(), size_t(format.channels), sample);
    }
    return samples;
}
