// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueMixer.h"

#include <QMutexLocker>

#include <algorithm>
#include <limits>

void CueMixer::start(const CueDecoder::Samples &cue)
{
    if (!cue || cue->empty())
        return;
    QMutexLocker lock(&_mutex);
    if (_voices.size() >= maxVoices)
        _voices.erase(_voices.begin());
    _voices.push_back({cue, _place});
}

void CueMixer::mix(qint16 *out, qsizetype count, int volumePercent)
{
    QMutexLocker lock(&_mutex);
    _sum.assign(static_cast<size_t>(count), 0);
    for (const Voice &voice : _voices) {
        const qsizetype from = std::max(voice.start, _place);
        const qsizetype to = std::min(voice.end(), _place + count);
        for (qsizetype at = from; at < to; ++at)
            _sum[size_t(at - _place)] += (*voice.samples)[size_t(at - voice.start)];
    }
    _place += count;
    // A voice is kept while a rewind could still reach it.
    _voices.erase(std::remove_if(_voices.begin(), _voices.end(),
                      [this](const Voice &v) { return v.end() + _rewindable <= _place; }),
        _voices.end());
    const qint32 volume = std::clamp(volumePercent, 0, 100);
    for (size_t i = 0; i < _sum.size(); ++i) {
        const qint32 scaled = _sum[i] * volume / 100;
        out[i] = static_cast<qint16>(std::clamp<qint32>(
            scaled, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    }
}

void CueMixer::rewind(qsizetype count)
{
    QMutexLocker lock(&_mutex);
    _place -= std::clamp<qsizetype>(count, 0, _rewindable);
}

void CueMixer::clear()
{
    QMutexLocker lock(&_mutex);
    _voices.clear();
}

int CueMixer::voices() const
{
    QMutexLocker lock(&_mutex);
    return static_cast<int>(std::count_if(
        _voices.begin(), _voices.end(), [this](const Voice &v) { return v.end() > _place; }));
}
