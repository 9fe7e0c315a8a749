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

    // Gone from the start, as at a login where the clock starts before the desktop's sound,
    // or killed in a running countdown: the cues come back with the server, on schedule.
    void cuesComeBackWithTheServer_data()
    {
        QTest::addColumn<double>("goneAt"); // 0: never there before
        QTest::addColumn<int>("away");
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
        // The server is back about twelve seconds before the end, so cues follow at once.
        const double length = goneAt + away + 12.45;
        CountdownTimer timer(length / 60, MonotonicClock::seconds);
        const double started = MonotonicClock::seconds();
        timer.restart();
        QTest::qWait(int(goneAt * 1000));
        _server->kill();
        QTest::qWait(500);
        // With nowhere to play, cues are dropped, not kept for later.
        _player->play(0);
        QCOMPARE(_player->soundingCues(), 0);
        QTest::qWait(away * 1000 - 500);
        QVERIFY(_server->start());
        const double up = MonotonicClock::seconds();
        MonitorRecording recording;
        QVERIFY(recording.start());
        QTest::qWait(int((started + length + 1 - MonotonicClock::seconds()) * 1000));
        recording.stop();
        for (int seconds : {30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}) {
            const double due = started + length - seconds;
            if (seconds >= length)
                continue;
            QVERIFY2(
                qAbs(_posts.value(seconds) - due) < 0.15, qPrintable(QString::number(seconds)));
            if (due > up + 2)
                QVERIFY2(heardAt(recording, seconds) > 0, qPrintable(QString::number(seconds)));
        }
    }

    void lastTenSecondsSoundOncePerSecond()
    {
        QVERIFY(_server->start());
        QVERIFY(startPlayer());
        MonitorRecording recording;
        QVERIFY(recording.start());
        // Two cues at once, the second 0.1 s after the first, are both heard.
        post(5);
        QTest::qWait(100);
        post(4);
        QTest::qWait(1000);
        QVERIFY2(qAbs(lateness(recording, 4) - lateness(recording, 5)) <= unevenSeconds, "overlap");
        CountdownTimer timer(10.45 / 60, MonotonicClock::seconds);
        timer.restart();
        QTest::qWait(11500);
        recording.stop();
        // Each cue once, a second after the one before, and as late after its post as cue 9.
        for (int seconds = 8; seconds >= 0; --seconds) {
            const double uneven = lateness(recording, seconds) - lateness(recording, 9);
            QVERIFY2(qAbs(_posts.value(seconds) - _posts.value(9) - (9 - seconds)) < 0.05 &&
                    qAbs(uneven) <= unevenSeconds,
                qPrintable(QStringLiteral("cue %1 off by %2 s").arg(seconds).arg(uneven)));
        }
    }

    void cuesFollowTheChosenSink()
    {
        QVERIFY(_server->start());
        QByteArray module;
        QVERIFY(
            SoundServer::pactl({"load-module", "module-null-sink", "sink_name=chosen"}, &module));
        PreferenceStore::setTextPreference(CVLAudioDeviceKey, "chosen");
        QVERIFY(startPlayer());
        QVERIFY(heardOn("chosen", 5) > 0);
        // Gone: the default plays, and the list no longer offers it.
        QVERIFY(SoundServer::pactl({"unload-module", module}));
        QVERIFY(QTest::qWaitFor([this] { return !offered("chosen"); }, 2000));
        QVERIFY(QTest::qWaitFor([this] { return _player->output().isPlaying(); }, 2000));
        QVERIFY(heardOn(SoundServer::sinkName, 4) > 0);
        // Back: the stream moves back to it.
        QVERIFY(SoundServer::pactl({"load-module", "module-null-sink", "sink_name=chosen"}));
        QVERIFY(QTest::qWaitFor([this] { return offered("chosen"); }, 2000));
        QTest::qWait(500);
        QVERIFY(heardOn("chosen", 3) > 0);
    }

private:
    bool startPlayer()
    {
        _player = std::make_unique<SoundPlayer>();
        return QTest::qWaitFor([this] { return _player->output().isPlaying(); }, 5000);
    }

    void post(int seconds)
    {
        _posts.insert(seconds, MonotonicClock::seconds());
        _player->play(seconds);
    }

    bool offered(const QString &sink) const
    {
        const AudioOutput::Sinks sinks = _player->output().sinks();
        return std::any_of(
            sinks.begin(), sinks.end(), [&](const auto &offer) { return offer.first == sink; });
    }

    // When cue `seconds`, posted now, was heard on `sink`, on the recording's clock; else 0.
    double heardOn(const QString &sink, int seconds)
    {
        MonitorRecording recording(sink);
        if (!recording.start())
            return 0;
        post(seconds);
        QTest::qWait(700);
        recording.stop();
        return heardAt(recording, seconds);
    }

    // When cue `seconds` started, in seconds on the recording's own clock (its samples), if it
    // is there within 30 ms before and 100 ms after its post and is not more like another cue;
    // else 0. A PipeWire monitor loses samples, so that clock runs slow by up to a few percent:
    // timings are taken against the post's place in the recording, found by the wall clock.
    double heardAt(const MonitorRecording &recording, int seconds)
    {
        const qsizetype at = recording.indexAt(_posts.value(seconds));
        const auto match = _finder.find(seconds, recording.samples(),
            at - MonitorRecording::sampleRate * 3 / 100, at + MonitorRecording::sampleRate / 10);
        if (match.similarity < 0.5 || _finder.bestAt(recording.samples(), match.start) != seconds)
            return 0;
        return double(match.start) / MonitorRecording::sampleRate;
    }

    // How long after its post cue `seconds` was heard; infinite if it was not.
    double lateness(const MonitorRecording &recording, int seconds)
    {
        const double heard = heardAt(recording, seconds);
        if (heard == 0)
            return qInf();
        return heard -
            double(recording.indexAt(_posts.value(seconds))) / MonitorRecording::sampleRate;
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
