#pragma once

#include "CueDecoder.h"
#include "CueMixer.h"

#include <QAudioFormat>
#include <QHash>
#include <QObject>
#include <QString>
#include <QThread>
#include <QVariantMap>

class AudioOutput;

// Plays the recorded cue for a number of seconds, when the program carries one. Listens for
// the whole seconds that the countdown announces; each cue plays to its end, over others.
// The cues are decoded once, at start, and mixed into one stream that stays open on the
// device chosen in the preferences, at the volume chosen there.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    void play(int seconds) { maybePlay(seconds); }
    void maybePlay(int seconds);
    void handleNotification(const QVariantMap &userInfo);

    // The compiled-in cue for `seconds`, or an empty string when there is none.
    static QString cuePath(int seconds);
    // The seconds that have a cue that can be played.
    QList<int> playableCues() const { return _cues.keys(); }
    int soundingCues() const { return _mixer.voices(); }

signals:
    // A cue was handed to the output (which drops it when it has nowhere to play).
    void cueStarted(int seconds);

private:
    void decodeCues(const QAudioFormat &format);
    void applyPreference(const QString &key);

    CueMixer _mixer;
    QAudioFormat _format;
    QHash<int, CueDecoder::Samples> _cues;
    QThread _audioThread;
    AudioOutput *_output;
};
