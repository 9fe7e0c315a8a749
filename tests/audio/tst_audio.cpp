#include "CountdownTimer.h"
#include "CueFinder.h"
#include "MonitorRecording.h"
#include "MonotonicClock.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "PulseServer.h"
#include "SoundPlayer.h"
#include "TemporaryStore.h"

#include <QtTest>

// What a room hears, from a real sound server: the cues are found in a recording of what
// the clock played, by their sound, and timed there.
class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(_server.start(), "could not start a private PulseAudio server");
        // One player for the whole run, as the clock has.
        _player = std::make_unique<SoundPlayer>();
        NotificationCenter::defaultCenter().addObserver(
            this, SOUND_PLAYER_NOTIFICATION_NAME, [this](const QVariantMap &info) {
                _posts.insert(info.value(SECONDS_KEY).toInt(), MonotonicClock::seconds());
            });
    }

    void init() { _posts.clear(); }
    void cleanupTestCase() { _player.reset(); }

    void lastTenSecondsSoundOncePerSecond()
    {
        MonitorRecording recording(_server.serverAddress());
        QVERIFY(recording.start());
        CountdownTimer timer(10.45 / 60, MonotonicClock::seconds);
        timer.restart();
        QTest::qWait(12500);
        recording.stop();
        double previous = 0;
        for (int seconds = 9; seconds >= 0; --seconds) {
            const double heard = heardAt(recording, seconds);
            QVERIFY2(heard > 0, qPrintable(QStringLiteral("cue %1 not heard").arg(seconds)));
            if (seconds < 9) {
                QVERIFY2(qAbs(heard - previous - 1.0) <= 0.03,
                    qPrintable(QStringLiteral("cue %1 came %2 s after the one before")
                                   .arg(seconds)
                                   .arg(heard - previous)));
            }
            previous = heard;
        }
    }

    void overlappingCuesAreBothHeard()
    {
        MonitorRecording recording(_server.serverAddress());
        QVERIFY(recording.start());
        _player->play(5);
        _posts.insert(5, MonotonicClock::seconds());
        QTest::qWait(100);
        _player->play(4);
        _posts.insert(4, MonotonicClock::seconds());
        QTest::qWait(1000);
        recording.stop();
        const double five = heardAt(recording, 5);
        const double four = heardAt(recording, 4);
        QVERIFY(five > 0 && four > 0);
        QVERIFY2(qAbs(four - five - 0.1) < 0.03, qPrintable(QString::number(four - five)));
    }

    void cuesComeBackAfterTheServerRestarts()
    {
        CountdownTimer timer(12.45 / 60, MonotonicClock::seconds);
        const double started = MonotonicClock::seconds();
        timer.restart();
        QTest::qWait(1500);
        _server.kill();
        // With nowhere to play, cues are dropped, not kept for later.
        _player->play(0);
        QTest::qWait(1800);
        QCOMPARE(_player->soundingCues(), 0);
        QVERIFY(_server.start());
        MonitorRecording recording(_server.serverAddress());
        QVERIFY(recording.start());
        QTest::qWait(11000);
        recording.stop();
        // The clock kept its time throughout, and the last cues reached the room again.
        for (int seconds = 10; seconds >= 0; --seconds) {
            QVERIFY(_posts.contains(seconds));
            QVERIFY(qAbs(_posts.value(seconds) - started - (12.45 - seconds)) < 0.15);
        }
        for (int seconds = 4; seconds >= 0; --seconds)
            QVERIFY2(heardAt(recording, seconds) > 0, qPrintable(QString::number(seconds)));
    }

private:
    // When cue `seconds` started, in seconds on the recording's own clock (its samples), if it
    // is there within 30 ms before and 250 ms after its post and is not more like another
    // cue; else 0. Gaps between cues are exact on that clock; only finding the post's place
    // in the recording goes through the wall clock.
    double heardAt(const MonitorRecording &recording, int seconds)
    {
        const qsizetype posted = recording.indexAt(_posts.value(seconds));
        const auto match = _finder.find(seconds, recording.samples(),
            posted - MonitorRecording::sampleRate * 3 / 100,
            posted + MonitorRecording::sampleRate / 4);
        if (match.similarity < 0.5 || _finder.bestAt(recording.samples(), match.start) != seconds)
            return 0;
        return double(match.start) / MonitorRecording::sampleRate;
    }

    PulseServer _server;
    std::unique_ptr<SoundPlayer> _player;
    CueFinder _finder;
    TemporaryStore _store;
    QHash<int, double> _posts;
};

QTEST_GUILESS_MAIN(TestAudio)
#include "tst_audio.moc"
