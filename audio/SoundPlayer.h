// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AudioOutput.h"
#include "CueDecoder.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Plays the recorded cue for a number of seconds, when the program carries one. Listens for
// the whole seconds that the countdown announces; each cue plays to its end, over others.
// The cues are decoded once, at start, and played on one stream that stays open on the
// output chosen in the preferences, at the volume chosen there. The stream is woken while a
// running countdown is within wakeAheadSeconds of a cue, and sleeps otherwise.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    // Long enough for a receiver that sleeps in silence to wake before the cue.
    static constexpr double wakeAheadSeconds = 4;

    explicit SoundPlayer(QObject *parent = nullptr);

    void play(int seconds) { maybePlay(seconds); }
    void maybePlay(int seconds);
    void handleNotification(const QVariantMap &userInfo);

    // The compiled-in cue for `seconds`, or an empty string when there is none.
    static QString cuePath(int seconds);
    // The seconds that have a cue that can be played.
    QList<int> playableCues() const { return _cues.keys(); }
    int soundingCues() const { return _output.soundingCues(); }
    // The sound server's outputs, as they come and go.
    const AudioOutput &output() const { return _output; }

signals:
    // A cue was handed to the output (which drops it when it has nowhere to play).
    void cueStarted(int seconds);

private:
    void decodeCues();
    void wakeBeforeCues(const QVariantMap &clockState);
    void applyPreference(const QString &key);

    QHash<int, CueDecoder::Samples> _cues;
    AudioOutput _output;
};
