#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A PulseAudio server of the test's own, with one null sink ("cues") whose monitor can be
// recorded, reached through a socket in a private runtime folder. start() also points this
// process's sound clients at it, so it must run before any of them connects.
class PulseServer
{
public:
    static constexpr char sinkName[] = "cues";

    ~PulseServer() { stop(); }
    bool start();
    // SIGKILL, as a crashed or restarted sound server goes.
    void kill();
    void stop();
    QString serverAddress() const;

private:
    QTemporaryDir _runtime;
    QProcess _server;
};
