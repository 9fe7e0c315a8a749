#include "CountdownTimer.h"
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "SoundPlayer.h"
#include "SoundServer.h"
#include "TemporaryStore.h"

#include <QtTest>

// What a room hears, from a real sound server of each kind: the cues are found in a
// recording of what the clock played, by their sound, and timed there.
class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<SoundServer::Kind>("kind");
        QTest::newRow("PulseAudio") << SoundServer::PulseAudio;
        QTest::newRow("PipeWire") << SoundServer::PipeWire;
    }

    void initTestCase()
    {
        NotificationCenter::defaultCenter().addObserver(
            this, SOUND_PLAYER_NOTIFICATION_NAME, [this](const QVariantMap &info) {
                _posts.insert(info.value(SECONDS_KEY).toInt(), MonotonicClock::seconds());
            });
    }

    void init()
    {
        QFETCH_GLOBAL(SoundServer::Kind, kind);
        _server = std::make_unique<SoundServer>(kind);
        _posts.clear();
    }

    void cleanup()
    {
        _player.reset();
        _server.reset();
    }

    // The end of a countdown with the server there throughout, gone from the start (as at a
    // login where the clock starts before the desktop's sound), or killed in a running
    // countdown: the posts keep to the schedule, and from two seconds after the server is
    // back every cue is heard, each as soon after its post as the others.
    void cuesComeBackWithTheServer_data()
    {
        QTest::addColumn<double>("goneAt"); // < 0: never gone
        QTest::addColumn<int>("away");
        QTest::newRow("there") << -1.0 << 0;
        QTest::newRow("8 s late") << 0.0 << 8;
        QTest::newRow("killed for 6 s") << 1.5 << 6;
        QTest::newRow("killed for 30 s") << 1.5 << 30;
    }

    void cuesComeBackWithTheServer()
    {
        QFETCH(double, goneAt);
        QFETCH(int, away);
        QVERIFY(goneAt == 0 || _server->start());
        _player = std::make_unique<SoundPlayer>();
        MonitorRecording recording;
        double up = -qInf();
        if (goneAt < 0)
            QVERIFY(isPlaying() && recording.start());
        // Ten cues with the server there throughout; else the last five, once it is back.
        const double length = goneAt < 0 ? 10.45 : goneAt + away + 5.45;
        CountdownTimer timer(length / 60, MonotonicClock::seconds);
        const double started = MonotonicClock::seconds();
        timer.restart();
        if (goneAt >= 0) {
            QTest::qWait(int(goneAt * 1000));
            _server->kill();
            QTest::qWait(500);
            // With nowhere to play, cues are dropped, not kept for later.
            _player->play(0);
            QCOMPARE(_player->soundingCues(), 0);
            QTest::qWait(away * 1000 - 500);
            QVERIFY(_server->start());
            up = MonotonicClock::seconds();
            QVERIFY(recording.start());
        }
        QTest::qWait(int((started + length + 1 - MonotonicClock::seconds()) * 1000));
        recording.stop();
        double first = qQNaN(); // how late the first cue checked was heard
        for (int seconds : {30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}) {
            const double due = started + length - seconds;
            if (seconds >= length)
                continue;
            QVERIFY2(
                qAbs(_posts.value(seconds) - due) < 0.05, qPrintable(QString::number(seconds)));
            if (due < up + 2)
                continue;
            const double late = lateness(recording, seconds);
            first = qIsNaN(first) ? late : first;
            QVERIFY2(qAbs(late - first) <= unevenSeconds,
                qPrintable(QStringLiteral("cue %1 off by %2 s").arg(seconds).arg(late - first)));
        }
    }

    void cuesFollowTheChosenSink()
    {
        QVERIFY(_server->start());
        QByteArray module;
        const QStringList load{"load-module", "module-null-sink", "sink_name=chosen"};
        QVERIFY(SoundServer::pactl(load, &module));
        PreferenceController::setTextPreference(CVLAudioDeviceKey, "chosen");
        _player = std::make_unique<SoundPlayer>();
        // Two cues at once, the second 0.1 s after the first, are both heard.
        QVERIFY(isPlaying() && heardOn("chosen", {5, 4}));
        // Gone: the default plays, and the list no longer offers it. Back: the stream moves back.
        for (const bool back : {false, true}) {
            QVERIFY(SoundServer::pactl(back ? load : QStringList{"unload-module", module}));
            QVERIFY(QTest::qWaitFor(
                [&] {
                    const AudioOutput::Sinks sinks = _player->output().sinks();
                    return back == std::any_of(sinks.begin(), sinks.end(), [](const auto &sink) {
                        return sink.first == "chosen";
                    });
                },
                2000));
            QTest::qWait(500);
            QVERIFY(heardOn(back ? "chosen" : SoundServer::sinkName, {back ? 3 : 2}));
        }
    }

private:
    bool isPlaying()
    {
        return QTest::qWaitFor([this] { return _player->output().isPlaying(); }, 5000);
    }

    // True when `cues`, posted now 0.1 s apart, are all heard on `sink`, each as soon after
    // its post as the first.
    bool heardOn(const QString &sink, std::initializer_list<int> cues)
    {
        MonitorRecording recording(sink);
        if (!recording.start())
            return false;
        for (int seconds : cues) {
            _posts.insert(seconds, MonotonicClock::seconds());
            _player->play(seconds);
            QTest::qWait(100);
        }
        QTest::qWait(700);
        recording.stop();
        return std::all_of(cues.begin(), cues.end(), [&](int seconds) {
            return qAbs(lateness(recording, seconds) - lateness(recording, *cues.begin())) <=
                unevenSeconds;
        });
    }

    // How long after its post cue `seconds` starts in the recording, if it is there within
    // 30 ms before and 100 ms after its post and is not more like another cue; else infinite.
    // A PipeWire monitor loses samples, so the recording's own clock runs slow by up to a few
    // percent: the post's place in the recording is found by the wall clock.
    double lateness(const MonitorRecording &recording, int seconds)
    {
        const qsizetype at = recording.indexAt(_posts.value(seconds));
        const auto match = _finder.find(seconds, recording.samples(),
            at - MonitorRecording::sampleRate * 3 / 100, at + MonitorRecording::sampleRate / 10);
        if (match.similarity < 0.5 || _finder.bestAt(recording.samples(), match.start) != seconds)
            return qInf();
        return double(match.start - at) / MonitorRecording::sampleRate;
    }

    // A cue starts within this of its post, so two cues differ by no more in how late they are.
    static constexpr double unevenSeconds = 0.03;

    std::unique_ptr<SoundServer> _server;
    std::unique_ptr<SoundPlayer> _player;
    CueFinder _finder;
    TemporaryStore _store;
    QHash<int, double> _posts;
};

QTEST_GUILESS_MAIN(TestAudio)
#include "tst_audio.moc"
