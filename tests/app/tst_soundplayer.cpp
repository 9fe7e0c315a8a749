#include "NotificationNames.h"
#include "SoundPlayer.h"
#include "Util.h"

#include <QtTest>

// Records which cue files would sound instead of sounding them.
class RecordingPlayer : public SoundPlayer
{
public:
    QStringList started;

protected:
    void startSound(const QString &path) override { started << path; }
};

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void playsTheCueOfEachAnnouncedSecond_data();
    void playsTheCueOfEachAnnouncedSecond();
    void missingSecondsCountAsZero();
    void sameSecondTwicePlaysTwice();
    void shipsTheCuesOfTheLastSeconds();
    void realPlaybackWithoutAnAudioDeviceIsSilent();
};

void TestSoundPlayer::playsTheCueOfEachAnnouncedSecond_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QStringList>("started");
    QTest::newRow("ten has a cue") << "10" << QStringList{":/sounds/10s.wav"};
    QTest::newRow("eleven has none") << "11" << QStringList();
    QTest::newRow("negative has none") << "-3" << QStringList();
    QTest::newRow("one minute") << "60" << QStringList{":/sounds/60s.wav"};
    QTest::newRow("not a number is zero") << "soon" << QStringList{":/sounds/0s.wav"};
}

void TestSoundPlayer::playsTheCueOfEachAnnouncedSecond()
{
    QFETCH(QString, seconds);
    QFETCH(QStringList, started);
    RecordingPlayer player;
    Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, SECONDS_KEY, seconds);
    QCOMPARE(player.started, started);
}

void TestSoundPlayer::missingSecondsCountAsZero()
{
    RecordingPlayer player;
    player.handleNotification({{"other", "10"}});
    QCOMPARE(player.started, QStringList{":/sounds/0s.wav"});
}

void TestSoundPlayer::sameSecondTwicePlaysTwice()
{
    RecordingPlayer player;
    player.play(3);
    player.play(3);
    QCOMPARE(player.started, QStringList({":/sounds/3s.wav", ":/sounds/3s.wav"}));
}

void TestSoundPlayer::shipsTheCuesOfTheLastSeconds()
{
    for (int seconds : {60, 30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0})
        QVERIFY2(!SoundPlayer::cuePath(seconds).isEmpty(), qPrintable(QString::number(seconds)));
}

void TestSoundPlayer::realPlaybackWithoutAnAudioDeviceIsSilent()
{
    // The test machine has no sound card: starting cues must neither block nor crash, and
    // the sounds must be freed.
    SoundPlayer player;
    player.play(0);
    player.play(0);
    QTRY_COMPARE_WITH_TIMEOUT(player.findChildren<QObject *>().size(), 0, 5000);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
