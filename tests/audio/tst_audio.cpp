// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountdownTimer.h"
#include "CueFinder.h"
#include "CueMixer.h"
#include "MonitorRecording.h"
#include "NotificationNames.h"
#include "SoundPlayer.h"
#include "TemporaryStore.h"
#include "Util.h"

// What a room hears on each kind of sound server: cues found by their sound in a recording.
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

    // Every shipped cue decodes, once, to the stream's format; damaged files are refused; only
    // a posted second with a cue starts one; loud cues together clip instead of wrapping round.
    void cuesDecodeOnceAndMixWithoutWrapping()
    {
        SoundPlayer player;
        const QList<int> playable = player.playableCues();
        QCOMPARE(QSet<int>(playable.begin(), playable.end()),
            QSet<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 30, 60}));
        QSignalSpy started(&player, &SoundPlayer::cueStarted);
        for (const char *seconds : {"11", "-3", "10"})
            Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, SECONDS_KEY, seconds);
        QCOMPARE(started.count(), 1);
        const QByteArray whole = TemporaryStore::read(SoundPlayer::cuePath(0));
        for (const QByteArray &damaged : {whole.left(whole.size() / 2),
                 QByteArray("RIFF\x10\x00\x00\x00WAVEfmt garbage that is no sound"),
                 whole.left(12) + whole.mid(whole.indexOf("data")), QByteArray()})
            QVERIFY(!CueDecoder::decode(damaged, AudioOutput::format));
        // 22,050 Hz mono becomes 48 kHz stereo of the same length.
        const CueDecoder::Samples samples = CueDecoder::decode(whole, AudioOutput::format);
        QVERIFY(samples && qAbs(double(samples->size()) - 1.5 * 48000 * 2) < 8);
        const auto loud = std::make_shared<const std::vector<qint16>>(4, 30000);
        CueMixer mixer;
        mixer.start(loud);
        mixer.start(loud);
        std::vector<qint16> out(6, 1);
        mixer.mix(out.data(), 6, 100);
        QCOMPARE(out, std::vector<qint16>({32767, 32767, 32767, 32767, 0, 0}));
        QCOMPARE(mixer.voices(), 0);
        mixer.start(loud);
        mixer.mix(out.data(), 2, 50);
        QCOMPARE(out[0], qint16(15000));
    }

    void init()
    {
        QFETCH_GLOBAL(SoundServer::Kind, kind);
        _player.reset();
        _server = std::make_unique<SoundServer>(kind);
        _posts.clear();
        _store.emplace();
    }

    // A countdown's end, the server there, late (started after the clock) or killed: cues keep to
    // the schedule, and from 2 s after the server is up all are heard, evenly late after posts.
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
        startPlayer();
        // Ten cues after the server is up, even when it takes a second start.
        const double length = qMax(goneAt, 0.0) + away + 12.45;
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
        }
        const double up = MonotonicClock::seconds();
        MonitorRecording recording;
        QVERIFY(recording.start());
        QTest::qWait(int((started + length + 1 - MonotonicClock::seconds()) * 1000));
        recording.stop();
        QList<int> heard;
        for (int seconds : {30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}) {
            const double due = started + length - seconds;
            QVERIFY2(seconds >= length || qAbs(_posts.value(seconds) - due) < 0.05,
                qPrintable(QString::number(seconds)));
            if (seconds < length && due > up + 2)
                heard << seconds;
        }
        QVERIFY(heardEvenly(recording, heard));
    }

    // The volume and the output chosen while the clock runs take the next cue, with no
    // restart; an output that goes leaves the default playing, and takes the stream back.
    void cuesFollowTheChosenVolumeAndSink()
    {
        QVERIFY(_server->start());
        startPlayer();
        QVERIFY(QTest::qWaitFor([this] { return heardOn(SoundServer::sinkName, {5}); }, 5000));
        const float full = _peak;
        PreferenceStore::setIntPreference(CVLAudioVolumeKey, 50);
        // About half as loud: PipeWire's monitor does not keep the peaks' ratio exactly.
        QVERIFY(heardOn(SoundServer::sinkName, {5}) && _peak > full * 0.4 && _peak < full * 0.7);
        QByteArray module;
        const QStringList load{"load-module", "module-null-sink", "sink_name=chosen"};
        QVERIFY(SoundServer::pactl(load, &module));
        PreferenceStore::setTextPreference(CVLAudioDeviceKey, "chosen");
        // Two cues at once, the second 0.1 s after the first, are both heard.
        QVERIFY(QTest::qWaitFor([this] { return heardOn("chosen", {5, 4}); }, 1000));
        QVERIFY(SoundServer::pactl({"unload-module", module}));
        QVERIFY(QTest::qWaitFor([this] { return heardOn(SoundServer::sinkName, {3}); }, 3000));
        QVERIFY(SoundServer::pactl(load));
        QVERIFY(QTest::qWaitFor([this] { return heardOn("chosen", {2}); }, 3000));
    }

    // Between cues the stream is corked, so that the server can sleep. A countdown wakes it
    // before its next cue; a cue played by hand wakes it too, and is heard at once.
    void theStreamSleepsTillACueIsNear()
    {
        QVERIFY(_server->start());
        startPlayer();
        QTRY_VERIFY_WITH_TIMEOUT(corked(), 5000);
        CountdownTimer timer(
            (10.5 + SoundPlayer::wakeAheadSeconds + 1) / 60, MonotonicClock::seconds);
        timer.restart();
        QTest::qWait(500);
        QVERIFY(corked());
        QTRY_VERIFY_WITH_TIMEOUT(!corked(), 2000);
        // The server keeps the queue the code asks for, not a unit slip away from it.
        QVERIFY(qAbs(_player->output().grantedQueueMilliseconds() -
                    AudioOutput::queuedMilliseconds) < 30);
        timer.pause();
        QTRY_VERIFY_WITH_TIMEOUT(corked(), 10000);
        QVERIFY(heardOn(SoundServer::sinkName, {5}));
    }

private:
    static bool corked()
    {
        QByteArray inputs;
        return SoundServer::pactl({"list", "sink-inputs"}, &inputs) &&
            inputs.contains("Corked: yes");
    }

    void startPlayer()
    {
        _player = std::make_unique<SoundPlayer>();
        connect(_player.get(), &SoundPlayer::cueStarted, this,
            [this](int seconds) { _posts.insert(seconds, MonotonicClock::seconds()); });
    }

    // True when `cues`, played now 0.1 s apart, are heard on `sink` (see heardEvenly).
    bool heardOn(const QString &sink, const QList<int> &cues)
    {
        MonitorRecording recording(sink);
        if (!recording.start())
            return false;
        for (int seconds : cues) {
            _player->play(seconds);
            QTest::qWait(100);
        }
        QTest::qWait(700);
        recording.stop();
        _peak = 0;
        for (float sample : recording.samples())
            _peak = std::max(_peak, std::abs(sample));
        return heardEvenly(recording, cues);
    }

    // True when each of `cues` starts in the recording within 30 ms before and 100 ms after its
    // post, is not more like another cue, and is as late as the first within 50 ms (a busy
    // machine hears cues 10 to 35 ms after their posts; one a server period out is caught). A
    // PipeWire monitor loses samples, so each post is placed in the recording by the wall clock.
    bool heardEvenly(const MonitorRecording &recording, const QList<int> &cues) const
    {
        QList<double> late; // seconds after its post; infinite when not heard
        for (int seconds : cues) {
            const qsizetype at = recording.indexAt(_posts.value(seconds));
            const auto match = _finder.find(seconds, recording.samples(),
                at - MonitorRecording::sampleRate * 3 / 100,
                at + MonitorRecording::sampleRate / 10);
            const bool heard = match.similarity >= 0.5 &&
                _finder.bestAt(recording.samples(), match.start) == seconds;
            late << (heard ? double(match.start - at) / MonitorRecording::sampleRate : qInf());
        }
        const bool even = !late.isEmpty() &&
            std::all_of(late.begin(), late.end(),
                [&](double each) { return qAbs(each - late.first()) <= 0.05; });
        if (!even)
            qWarning() << "cues" << cues << "heard after their posts by (s)" << late;
        return even;
    }

    std::unique_ptr<SoundServer> _server;
    std::unique_ptr<SoundPlayer> _player;
    CueFinder _finder;
    std::optional<TemporaryStore> _store;
    QHash<int, double> _posts;
    float _peak = 0; // the loudest sample heardOn last recorded
};

QTEST_GUILESS_MAIN(TestAudio)
#include "tst_audio.moc"
