#include "SoundPlayer.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace {
// No cue lasts longer; a sound that never reports its end is freed after this.
constexpr int longestCueMilliseconds = 10'000;

bool hasAudioOutput()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool isPlayableFormat(const char *format, quint32 size)
{
    if (size < 16)
        return false;
    const auto channels = qFromLittleEndian<quint16>(format + 2);
    const auto sampleRate = qFromLittleEndian<quint32>(format + 4);
    const auto bitsPerSample = qFromLittleEndian<quint16>(format + 14);
    return channels > 0 && sampleRate > 0 && bitsPerSample > 0 && bitsPerSample % 8 == 0;
}

// Qt's wave decoder waits forever for a file whose header promises more than it holds, and
// keeps what it had read; so a cue is checked whole before it is handed over.
bool isWholeWave(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    bool hasFormat = false;
    for (qsizetype chunk = 12; chunk + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(chunk, 4);
        const auto size = qFromLittleEndian<quint32>(bytes.constData() + chunk + 4);
        const qsizetype body = chunk + 8;
        if (size > quint64(bytes.size() - body))
            return false;
        if (id == "fmt ")
            hasFormat = isPlayableFormat(bytes.constData() + body, size);
        else if (id == "data")
            return hasFormat && size > 0;
        chunk = body + size + (size & 1);
    }
    return false;
}
} // namespace

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
    NotificationCenter::defaultCenter().addObserver(this, SOUND_PLAYER_NOTIFICATION_NAME,
        [this](const QVariantMap &userInfo) { handleNotification(userInfo); });
}

void SoundPlayer::handleNotification(const QVariantMap &userInfo)
{
    maybePlay(userInfo.value(SECONDS_KEY).toString().toInt());
}

QString SoundPlayer::cuePath(int seconds)
{
    const QString path = QStringLiteral(":/sounds/%1s.wav").arg(seconds);
    return QFile::exists(path) ? path : QString();
}

void SoundPlayer::maybePlay(int seconds)
{
    const QString path = cuePath(seconds);
    if (!path.isEmpty())
        startSound(path);
}

void SoundPlayer::startSound(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !isWholeWave(file.readAll()))
        return;
    // One effect per cue, so cues overlap. Each frees itself once it has played, or failed
    // to load, or loaded with no output to play on: without an output it would wait for one
    // forever.
    auto *effect = new QSoundEffect(this);
    connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
        else if (effect->status() == QSoundEffect::Ready && !hasAudioOutput())
            effect->deleteLater();
        else if (effect->status() == QSoundEffect::Ready)
            effect->play();
    });
    QTimer::singleShot(longestCueMilliseconds, effect, &QObject::deleteLater);
    effect->setSource(path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                        : QUrl::fromLocalFile(path));
}
