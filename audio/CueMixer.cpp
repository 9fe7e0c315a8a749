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
    _voices.push_back({cue, 0});
}

void CueMixer::mix(qint16 *out, qsizetype count, int volumePercent)
{
    QMutexLocker lock(&_mutex);
    _sum.assign(static_cast<size_t>(count), 0);
    for (Voice &voice : _voices) {
        const size_t left = voice.samples->size() - voice.position;
        const size_t taken = std::min(left, _sum.size());
        const qint16 *from = voice.samples->data() + voice.position;
        for (size_t i = 0; i < taken; ++i)
            _sum[i] += from[i];
        voice.position += taken;
    }
    _voices.erase(std::remove_if(_voices.begin(), _voices.end(),
                      [](const Voice &v) { return v.position >= v.samples->size(); }),
        _voices.end());
    const qint32 volume = std::clamp(volumePercent, 0, 100);
    for (size_t i = 0; i < _sum.size(); ++i) {
        const qint32 scaled = _sum[i] * volume / 100;
        out[i] = static_cast<qint16>(std::clamp<qint32>(
            scaled, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    }
}

void CueMixer::clear()
{
    QMutexLocker lock(&_mutex);
    _voices.clear();
}

int CueMixer::voices() const
{
    QMutexLocker lock(&_mutex);
    return static_cast<int>(_voices.size());
}
