#include "SoundPlayer.h"

#include "AudioOutput.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "PreferenceNotifier.h"

#include <QDir>
#include <QFile>
#include <QMediaDevices>

#include <cstdio>

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
    , _output(new AudioOutput(_mixer))
{
    // Qt's connection to the sound server lives in the thread that first asks for a device,
    // and reconnects from there after the server restarts: that must be a thread that lasts.
    QMediaDevices::defaultAudioOutput();
    decodeCues(AudioOutput::preferredFormat());
    NotificationCenter::defaultCenter().addObserver(this, SOUND_PLAYER_NOTIFICATION_NAME,
        [this](const QVariantMap &userInfo) { handleNotification(userInfo); });
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        &SoundPlayer::applyPreference);
    _output->moveToThread(&_audioThread);
    connect(&_audioThread, &QThread::finished, _output, &QObject::deleteLater);
    connect(_output, &AudioOutput::opened, this, &SoundPlayer::decodeCues);
    _audioThread.setObjectName(QStringLiteral("cue output"));
    _audioThread.start();
    applyPreference(QString::fromLatin1(CVLAudioVolumeKey));
    applyPreference(QString::fromLatin1(CVLAudioDeviceKey));
}

SoundPlayer::~SoundPlayer()
{
    _audioThread.quit();
    _audioThread.wait();
}

void SoundPlayer::applyPreference(const QString &key)
{
    if (key == QLatin1String(CVLAudioVolumeKey))
        _output->setVolume(PreferenceController::intPreference(key));
    if (key == QLatin1String(CVLAudioDeviceKey)) {
        QMetaObject::invokeMethod(_output, "open", Qt::QueuedConnection,
            Q_ARG(QByteArray, PreferenceController::textPreference(key).toUtf8()));
    }
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
    // With nowhere to play, a cue is dropped rather than kept to come late.
    if (_output->isPlaying())
        _mixer.start(*cue);
    emit cueStarted(seconds);
}

// Every cue is read and checked here, once; a damaged one is left out, with a line saying so.
void SoundPlayer::decodeCues(const QAudioFormat &format)
{
    if (format == _format)
        return;
    _format = format;
    _cues.clear();
    const QStringList files = QDir(QStringLiteral(":/sounds")).entryList({"*s.wav"});
    for (const QString &name : files) {
        bool whole = false;
        const int seconds = name.chopped(5).toInt(&whole);
        QFile file(cuePath(seconds));
        if (!whole || !file.open(QIODevice::ReadOnly))
            continue;
        if (CueDecoder::Samples samples = CueDecoder::decode(file.readAll(), format))
            _cues.insert(seconds, samples);
        else
            std::fprintf(
                stderr, "MervaneTimer: the cue %s is damaged; it stays silent\n", qPrintable(name));
    }
}
