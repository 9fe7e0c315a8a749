// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundPlayer.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceNotifier.h"
#include "PreferenceStore.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

// The device's id is the sink's name, as the earlier versions of the clock stored it too.
SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
    , _output(PreferenceStore::textPreference(CVLAudioDeviceKey).toUtf8())
{
    decodeCues();
    NotificationCenter::defaultCenter().addObserver(this, SOUND_PLAYER_NOTIFICATION_NAME,
        [this](const QVariantMap &userInfo) { handleNotification(userInfo); });
    NotificationCenter::defaultCenter().addObserver(this, CLOCK_STATE_NOTIFICATION_NAME,
        [this](const QVariantMap &userInfo) { wakeBeforeCues(userInfo); });
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        &SoundPlayer::applyPreference);
    applyPreference(QString::fromLatin1(CVLAudioVolumeKey));
}

void SoundPlayer::applyPreference(const QString &key)
{
    if (key == QLatin1String(CVLAudioVolumeKey))
        _output.setVolume(PreferenceStore::intPreference(key));
    if (key == QLatin1String(CVLAudioDeviceKey))
        _output.setSink(PreferenceStore::textPreference(key).toUtf8());
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
    const auto cue = _cues.constFind(seconds);
    if (cue == _cues.constEnd())
        return;
    // Told before it is written, so a listener's clock never reads the start as later than
    // the sound. With nowhere to play, a cue is dropped rather than kept to come late.
    emit cueStarted(seconds);
    _output.play(*cue);
}

// The clock tells its state at least once a second while it runs, so the stream stays awake
// from wakeAheadSeconds before a cue until the cue has played.
void SoundPlayer::wakeBeforeCues(const QVariantMap &clockState)
{
    if (!clockState.value(RUNNING_KEY).toBool())
        return;
    const double secondsLeft = clockState.value(SECONDS_KEY).toDouble();
    const auto due = [secondsLeft](int seconds) {
        return seconds <= secondsLeft && secondsLeft - seconds <= wakeAheadSeconds;
    };
    if (std::any_of(_cues.keyBegin(), _cues.keyEnd(), due))
        _output.keepAwake(int((wakeAheadSeconds + 1) * 1000));
}

// Every cue is read and checked here, once; a damaged one is left out, with a line saying so.
void SoundPlayer::decodeCues()
{
    const QStringList files = QDir(QStringLiteral(":/sounds")).entryList({"*s.wav"});
    for (const QString &name : files) {
        bool whole = false;
        const int seconds = name.chopped(5).toInt(&whole);
        QFile file(cuePath(seconds));
        if (!whole || !file.open(QIODevice::ReadOnly))
            continue;
        if (CueDecoder::Samples samples = CueDecoder::decode(file.readAll(), AudioOutput::format))
            _cues.insert(seconds, samples);
        else
            std::fprintf(
                stderr, "MervaneTimer: the cue %s is damaged; it stays silent\n", qPrintable(name));
    }
}
