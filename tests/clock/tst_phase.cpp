#include "Phase.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QtTest>

class TestPhase : public QObject
{
    Q_OBJECT

private slots:
    void incrementRunsTheSeasons_data();
    void incrementRunsTheSeasons();
    void dropDeadSwitchedDuringOrderWritingEndsIt();
    void simpleIncrementLeavesOrderWritingAlone();
    void seasonsAreFoundBySubstring_data();
    void seasonsAreFoundBySubstring();
    void yearStopsAtTheLargestItCanHold();
};

void TestPhase::incrementRunsTheSeasons_data()
{
    QTest::addColumn<bool>("useOrderWriting");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("order writing")
        << true
        << QStringList{"Spring 1901", "Spring (Orders) 1901", "Fall 1901", "Fall (Orders) 1901",
               "Spring 1902", "Spring (Orders) 1902", "Fall 1902", "Fall (Orders) 1902",
               "Spring 1903"};
    QTest::newRow("drop-dead") << false
                               << QStringList{"Spring 1901", "Fall 1901", "Spring 1902",
                                      "Fall 1902", "Spring 1903"};
}

void TestPhase::incrementRunsTheSeasons()
{
    QFETCH(bool, useOrderWriting);
    QFETCH(QStringList, expected);
    TemporaryStore store;
    PreferenceController::setPreferenceUseOrderWriting(useOrderWriting);
    Phase phase;
    QStringList seen{phase.description()};
    while (seen.size() < expected.size()) {
        phase.increment();
        seen << phase.description();
    }
    QCOMPARE(seen, expected);
}

void TestPhase::dropDeadSwitchedDuringOrderWritingEndsIt()
{
    TemporaryStore store;
    PreferenceController::setPreferenceUseOrderWriting(true);
    Phase phase;
    phase.increment();
    phase.increment();
    phase.increment();
    QCOMPARE(phase.description(), "Fall (Orders) 1901");
    PreferenceController::setPreferenceIsDropDead(true);
    phase.increment();
    QCOMPARE(phase.description(), "Spring 1902");
    QVERIFY(!phase.isInOrderWriting());
}

void TestPhase::simpleIncrementLeavesOrderWritingAlone()
{
    Phase phase;
    phase.setIsInOrderWriting(true);
    phase.simpleIncrement();
    QCOMPARE(phase.description(), "Fall (Orders) 1901");
}

void TestPhase::seasonsAreFoundBySubstring_data()
{
    QTest::addColumn<QString>("season");
    QTest::addColumn<bool>("isSpring");
    QTest::addColumn<bool>("isFall");
    QTest::addColumn<QString>("next");
    QTest::newRow("inside a longer text") << "Late Spring" << true << false << "Fall 1901";
    QTest::newRow("both words: Spring first") << "Fall or Spring" << true << true << "Fall 1901";
    QTest::newRow("lower case is neither") << "fall" << false << false << "Spring 1901";
    QTest::newRow("other season") << "Winter" << false << false << "Spring 1901";
}

void TestPhase::seasonsAreFoundBySubstring()
{
    QFETCH(QString, season);
    QFETCH(bool, isSpring);
    QFETCH(bool, isFall);
    QFETCH(QString, next);
    Phase phase;
    phase.setSeason(season);
    QCOMPARE(phase.isSpring(), isSpring);
    QCOMPARE(phase.isFall(), isFall);
    phase.simpleIncrement();
    QCOMPARE(phase.description(), next);
}

void TestPhase::yearStopsAtTheLargestItCanHold()
{
    Phase phase;
    phase.setSeason(Phase::FALL());
    phase.setYear(std::numeric_limits<int>::max());
    phase.simpleIncrement();
    QCOMPARE(phase.year(), std::numeric_limits<int>::max());
    phase.setYear(-5);
    QCOMPARE(phase.description(), "Spring -5");
}

QTEST_GUILESS_MAIN(TestPhase)
#include "tst_phase.moc"
