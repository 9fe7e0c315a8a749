#include "SoundPlayer.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace {
// No cue lasts longer; a sound that never reports its end is freed after this.
constexpr int longestCueMilliseconds = 30'000;
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
    // Without an output a sound would wait for one forever.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;
    // One effect per cue, so cues overlap; each frees itself once it has finished or failed
    // (a file that does not decode, a device that went away).
    auto *effect = new QSoundEffect(this);
    const auto freeWhenDone = [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    };
    connect(effect, &QSoundEffect::playingChanged, effect, freeWhenDone);
    connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    QTimer::singleShot(longestCueMilliseconds, effect, &QObject::deleteLater);
    effect->setSource(QUrl(QStringLiteral("qrc") + path));
    effect->play();
}
