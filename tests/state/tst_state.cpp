#include "CountdownTimer.h"
#include "GameRecorder.h"
#include "TemporaryStore.h"

#include <QtTest>

#include <optional>

// A game saved by one run of the clock and put back by the next, on clocks the test moves.
class TestState : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        _store.emplace();
        _wall = 1'800'000'000'000;
        _path = GameStateFile::besidePreferences();
    }

    void theFileFollowsEveryChangeAndComesBackAsSaved()
    {
        // As on a machine where no preference was ever saved: not even the folder.
        QDir(QFileInfo(_path).absolutePath()).removeRecursively();
        PreferenceStore::setPreferenceUseOrderWriting(true);
        PreferenceStore::setPreferenceOrderWritingMinutes(4);
        PreferenceStore::setPreferenceLastYear(1901);
        CountdownTimer timer(_clock);
        GameRecorder recorder(timer, _path, _wallClock);
        using Act = std::function<void()>;
        const Act cont = [&] { timer.restart(); }, pause = [&] { timer.pause(); },
                  next = [&] { timer.nextPhase(); };
        const auto wait = [this](double s) { return [this, s] { _now += s, _wall += s * 1000; }; };
        // While the clock is down, only the wall clock moves.
        const auto down = [this](int s) { return [this, s] { _wall += s * 1000; }; };
        // What the referee does; the file afterwards, "kept" when it was not written; the time
        // left when a new run puts the game back.
        const QList<std::tuple<QList<Act>, QString, QString>> rows{
            {{cont}, "Spring 1901 600 run", "10:00"},
            {{wait(2.5), pause}, "Spring 1901 597.5 paused", "9:57"},
            {{wait(1), pause, [&] { timer.nudge(0); }}, "Spring 1901 597.5 paused kept", "9:57"},
            {{[&] { timer.nudge(60); }}, "Spring 1901 657.5 paused", "10:57"},
            {{down(3600)}, "Spring 1901 657.5 paused kept", "10:57"},
            {{cont}, "Spring 1901 657.5 run", "10:57"},
            {{down(30)}, "Spring 1901 657.5 run kept", "10:27"},
            {{down(700)}, "Spring 1901 657.5 run kept", "0:00.0"}, // waits at zero
            {{pause, next}, "Spring 1901 orders 240 paused", "4:00"},
            {{next}, "Fall 1901 600 paused", "10:00"},
            {{next}, "Fall 1901 orders 240 paused", "4:00"},
            {{next}, "Fall 1901 orders 0 paused", "0:00.0"}, // the game's end
            {{cont}, "Fall 1901 orders 0 paused kept", "0:00.0"},
            {{[&] { timer.newGame(); }}, "Spring 1901 600 paused", "10:00"}};
        for (const auto &[acts, saved, resumed] : rows) {
            const QByteArray before = contents();
            for (const Act &act : acts)
                act();
            const QJsonObject game = QJsonDocument::fromJson(contents()).object();
            QCOMPARE(QStringLiteral("%1 %2%3 %4 %5%6")
                         .arg(game["season"].toString())
                         .arg(game["year"].toInt())
                         .arg(game["orders"].toBool() ? " orders" : "")
                         .arg(game["secondsLeft"].toDouble())
                         .arg(game["running"].toBool() ? "run" : "paused")
                         .arg(contents() == before ? " kept" : ""),
                saved);
            // Put back from a copy: putting a game back saves it.
            const QString copy = _path + ".again";
            QFile::remove(copy);
            QVERIFY(QFile::copy(_path, copy));
            CountdownTimer again(_clock);
            GameRecorder(again, copy, _wallClock).resume();
            QCOMPARE(
                again.description(), "PAUSED " + timer.phase().description() + "--> " + resumed);
        }
    }

    void aDamagedFileIsSetAsideAndTheGameStartsAfresh()
    {
        // Saved 50 s after now: within the clocks' disagreement, so down for no time at all.
        const QByteArray whole = R"({"season":"Fall","year":1903,"orders":false,)"
                                 R"("secondsLeft":12.5,"running":true,"savedAt":1800000050000})";
        const QList<QByteArray> files{"\x00\x01garbage", whole.left(whole.size() / 2),
            QByteArray(whole).replace("Fall", "Winter"), QByteArray(whole).replace("1903", "19.5"),
            QByteArray(whole).replace("1903", "1900"), whole + QByteArray(64 * 1024, ' '),
            QByteArray(whole).replace("1800000050000", "1800000600000"), // saved in the future
            whole};
        for (const QByteArray &bytes : files) {
            const bool damaged = bytes != whole;
            QDir folder = QFileInfo(_path).dir();
            QFile file(_path);
            QVERIFY(folder.removeRecursively() && folder.mkpath(".") &&
                file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            CountdownTimer timer(_clock);
            QCOMPARE(GameRecorder(timer, _path, _wallClock).resume(), damaged ? -1 : 0);
            QCOMPARE(timer.description(),
                damaged ? "PAUSED Spring 1901--> 10:00" : "PAUSED Fall 1903--> 0:12.5");
            QCOMPARE(folder.entryList({"*.damaged-*"}).size(), damaged ? 1 : 0);
        }
    }

private:
    QByteArray contents() const
    {
        QFile file(_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    double _now = 100;
    qint64 _wall = 0;
    const CountdownTimer::Clock _clock = [this] { return _now; };
    const GameRecorder::WallClock _wallClock = [this] { return _wall; };
    QString _path;
    std::optional<TemporaryStore> _store;
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
