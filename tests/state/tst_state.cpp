#include "CountdownTimer.h"
#include "GameRecorder.h"
#include "TemporaryStore.h"

#include <QtTest>

// A game saved by one run of the clock and put back by the next, on clocks the test moves.
class TestState : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _store = std::make_unique<TemporaryStore>();
        _wall = 1'800'000'000'000;
        _path = GameStateFile::besidePreferences();
    }
    void cleanup() { _store.reset(); }

    void aSavedGameComesBackPausedWithTheTimeThatPassed()
    {
        struct Case
        {
            bool running;
            double saved; // time left when saved
            qint64 downMs; // how long the clock was down
            double resumed; // time left after the restart
        };
        const QList<Case> cases{{true, 400.5, 30'000, 370.5}, {false, 400.5, 3'600'000, 400.5},
            {true, 20, 60'000, 0}}; // ran out while down: zero, in the same phase
        for (const Case &c : cases) {
            // As on a machine where no preference was ever saved: not even the folder.
            QDir(QFileInfo(_path).absolutePath()).removeRecursively();
            {
                CountdownTimer before(fakeClock());
                GameRecorder recorder(before, _path, wallClock());
                before.nextPhase(); // Fall 1901
                before.setSecondsLeft(c.saved);
                before.nudge(0);
                if (c.running)
                    before.restart();
            }
            _wall += c.downMs;
            CountdownTimer after(fakeClock());
            GameRecorder recorder(after, _path, wallClock());
            QCOMPARE(recorder.resume(), c.downMs);
            QVERIFY(after.isPaused());
            QCOMPARE(after.phase().description(), "Fall 1901");
            QVERIFY(qAbs(after.secondsLeft() - c.resumed) < 1e-6);
            // Nothing changed, so nothing is written; a continue is.
            const QByteArray file = contents();
            _wall += 5000;
            after.pause();
            QCOMPARE(contents(), file);
            after.restart();
            QVERIFY(contents() != file);
        }
    }

    void aDamagedFileIsSetAsideAndTheGameStartsAfresh()
    {
        const QByteArray whole = R"({"season":"Fall","year":1903,"orders":false,)"
                                 R"("secondsLeft":12.5,"running":false,"savedAt":1800000000000})";
        const QList<QByteArray> damaged{"\x00\x01garbage", whole.left(whole.size() / 2),
            QByteArray(whole).replace("Fall", "Winter"), QByteArray(whole).replace("1903", "19.5"),
            QByteArray(whole).replace("1800000000000", "1800000600000")}; // saved in the future
        for (const QByteArray &bytes : damaged) {
            QDir(QFileInfo(_path).dir()).removeRecursively();
            QDir().mkpath(QFileInfo(_path).absolutePath());
            QFile file(_path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            CountdownTimer timer(fakeClock());
            GameRecorder recorder(timer, _path, wallClock());
            QCOMPARE(recorder.resume(), -1);
            QCOMPARE(timer.description(), "PAUSED Spring 1901--> 10:00");
            QVERIFY(!QFile::exists(_path));
            const QStringList aside = QFileInfo(_path).dir().entryList({"*.damaged-*"});
            QCOMPARE(aside.size(), 1);
        }
        // The same game, whole, comes back.
        QFile file(_path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(whole) == whole.size());
        file.close();
        CountdownTimer timer(fakeClock());
        GameRecorder recorder(timer, _path, wallClock());
        QCOMPARE(recorder.resume(), 0);
        QCOMPARE(timer.description(), "PAUSED Fall 1903--> 0:12.5");
    }

private:
    CountdownTimer::Clock fakeClock()
    {
        return [this] { return _now; };
    }
    GameRecorder::WallClock wallClock()
    {
        return [this] { return _wall; };
    }
    QByteArray contents() const
    {
        QFile file(_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    double _now = 100;
    qint64 _wall = 0;
    QString _path;
    std::unique_ptr<TemporaryStore> _store;
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
