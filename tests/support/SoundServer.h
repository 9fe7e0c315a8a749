#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A sound server of the test's own, reached through the PulseAudio protocol on a socket in
// a private runtime folder: PulseAudio itself, or PipeWire with its session manager and
// PulseAudio server under a D-Bus session of their own. Either one gets a null sink
// ("cues") as its default, whose monitor can be recorded. start() also points this
// process's sound clients at it.
class SoundServer
{
public:
    enum Kind { PulseAudio, PipeWire };
    static constexpr char sinkName[] = "cues";

    explicit SoundServer(Kind kind)
        : _kind(kind)
    {
    }
    ~SoundServer() { kill(); }
    // Up with its null sink as the default; the caller's event loop runs meanwhile.
    bool start();
    // SIGKILL to every process of the server, as a crashed server goes.
    void kill();
    Kind kind() const { return _kind; }
    // The process group of every process of the server.
    qint64 processGroup() const { return _server.processId(); }
    // Runs pactl on this server; false when it failed. What it printed goes to `output`.
    static bool pactl(const QStringList &arguments, QByteArray *output = nullptr);

private:
    Kind _kind;
    QTemporaryDir _runtime;
    QProcess _server;
};
