#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

// Plays the recorded cue for a number of seconds, when the program carries one. Listens for
// the whole seconds that the countdown announces; each cue plays to its end, over others.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);

    void play(int seconds) { maybePlay(seconds); }
    void maybePlay(int seconds);
    void handleNotification(const QVariantMap &userInfo);

    // The compiled-in cue for `seconds`, or an empty string when there is none.
    static QString cuePath(int seconds);

protected:
    // Starts the sound in `path` and returns at once; a file that is not a whole wave
    // sound is not played.
    virtual void startSound(const QString &path);
};
