#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestPreferenceController : public QObject
{
    Q_OBJECT

private slots:
    void answersTheRegisteredDefaultsWithoutWritingThem();
    void flagIsStoredAsAnInteger_data();
    void flagIsStoredAsAnInteger();
    void lengthsAndTextsAreStoredUnchanged();
    void everyWriteIsOnDiskWhenTheSetterReturns();
    void storedValuesOutliveTheRunAndBeatTheDefaults();
    void damagedValuesFallBackToTheDefaults_data();
    void damagedValuesFallBackToTheDefaults();
    void unwritableStoreIsReported();
};

void TestPreferenceController::answersTheRegisteredDefaultsWithoutWritingThem()
{
    TemporaryStore store;
    QCOMPARE(PreferenceController::preferenceSpringMinutes(), 10);
    QCOMPARE(PreferenceController::preferenceFallMinutes(), 10);
    QCOMPARE(PreferenceController::preferenceOrderWritingMinutes(), 1);
    QVERIFY(!PreferenceController::preferenceUseOrderWriting());
    QVERIFY(PreferenceController::preferenceIsDropDead());
    QCOMPARE(PreferenceController::preferenceMarquisText(),
        "$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $");
    QVERIFY(!QFile::exists(store.path()));
    QCOMPARE(PreferenceController::intPreference("no.such.key"), 0);
}

void TestPreferenceController::flagIsStoredAsAnInteger_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("useOrderWriting");
    QTest::newRow("one") << QByteArray("1") << true;
    QTest::newRow("zero") << QByteArray("0") << false;
    QTest::newRow("seven") << QByteArray("7") << true;
    QTest::newRow("minus one") << QByteArray("-1") << true;
    QTest::newRow("boolean text") << QByteArray("true") << true;
}

void TestPreferenceController::flagIsStoredAsAnInteger()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, useOrderWriting);
    TemporaryStore store;
    store.writeFile("[General]\ndefaults.useOrderWriting=" + stored + "\n");
    QCOMPARE(PreferenceController::preferenceUseOrderWriting(), useOrderWriting);
    QCOMPARE(PreferenceController::preferenceIsDropDead(), !useOrderWriting);

    QVERIFY(PreferenceController::setPreferenceIsDropDead(useOrderWriting));
    QVERIFY(store.fileContents().contains(
        QStringLiteral("defaults.useOrderWriting=%1\n").arg(useOrderWriting ? 0 : 1)));
    QVERIFY(PreferenceController::setPreferenceUseOrderWriting(useOrderWriting));
    QVERIFY(store.fileContents().contains(
        QStringLiteral("defaults.useOrderWriting=%1\n").arg(useOrderWriting ? 1 : 0)));
}

void TestPreferenceController::lengthsAndTextsAreStoredUnchanged()
{
    TemporaryStore store;
    PreferenceController::setPreferenceSpringMinutes(0);
    PreferenceController::setPreferenceFallMinutes(-5);
    PreferenceController::setPreferenceOrderWritingMinutes(std::numeric_limits<int>::max());
    PreferenceController::setPreferenceMarquisText(QString());
    QCOMPARE(PreferenceController::preferenceSpringMinutes(), 0);
    QCOMPARE(PreferenceController::preferenceFallMinutes(), -5);
    QCOMPARE(
        PreferenceController::preferenceOrderWritingMinutes(), std::numeric_limits<int>::max());
    QVERIFY(!PreferenceController::preferenceMarquisText().isNull());
    QCOMPARE(PreferenceController::preferenceMarquisText(), "");
    PreferenceController::setPreferenceMarquisText("Round 3 = finals; 50% off, \"ok\"\nä");
    QCOMPARE(PreferenceController::preferenceMarquisText(), "Round 3 = finals; 50% off, \"ok\"\nä");
}

void TestPreferenceController::everyWriteIsOnDiskWhenTheSetterReturns()
{
    TemporaryStore store;
    PreferenceController::setPreferenceSpringMinutes(7);
    QVERIFY(store.fileContents().contains("defaults.springMinutes=7\n"));
    PreferenceController::setPreferenceMarquisText("Welcome");
    QVERIFY(store.fileContents().contains("defaults.marquisText=Welcome\n"));
    QVERIFY(store.fileContents().startsWith("[General]\n"));
}

void TestPreferenceController::storedValuesOutliveTheRunAndBeatTheDefaults()
{
    TemporaryStore first;
    PreferenceController::setPreferenceFallMinutes(12);
    PreferenceController::setPreferenceMarquisText("Board 4");
    const QString contents = first.fileContents();

    // A later run: a file nobody in this process has opened, and the defaults registered again.
    TemporaryStore second;
    second.writeFile(contents.toUtf8());
    PreferenceController::initialize();
    QCOMPARE(PreferenceController::preferenceFallMinutes(), 12);
    QCOMPARE(PreferenceController::preferenceMarquisText(), "Board 4");
    QCOMPARE(PreferenceController::preferenceSpringMinutes(), 10);
}

void TestPreferenceController::damagedValuesFallBackToTheDefaults_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("minutes");
    QTest::newRow("word") << QByteArray("ten") << 10;
    QTest::newRow("empty") << QByteArray("") << 10;
    QTest::newRow("list") << QByteArray("3, 4") << 10;
    QTest::newRow("padded number") << QByteArray(" 12 ") << 12;
    QTest::newRow("fraction") << QByteArray("12.7") << 12;
    QTest::newRow("too large") << QByteArray("99999999999") << std::numeric_limits<int>::max();
    QTest::newRow("not a number") << QByteArray("nan") << 10;
}

void TestPreferenceController::damagedValuesFallBackToTheDefaults()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, minutes);
    TemporaryStore store;
    store.writeFile("[General]\ndefaults.springMinutes=" + stored + "\n");
    QCOMPARE(PreferenceController::preferenceSpringMinutes(), minutes);
}

void TestPreferenceController::unwritableStoreIsReported()
{
    TemporaryStore store;
    // A file where the store's folder should be cannot be written through, even by root.
    QFile blocker(QFileInfo(store.path()).absolutePath() + "/blocker");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PreferenceController::setStorePath(blocker.fileName() + "/MervaneTimer.conf");
    QVERIFY(!PreferenceController::setPreferenceSpringMinutes(3));
    QVERIFY(!PreferenceController::setPreferenceMarquisText("lost"));
    QCOMPARE(PreferenceController::preferenceSpringMinutes(), 10);
}

QTEST_GUILESS_MAIN(TestPreferenceController)
#include "tst_preferencecontroller.moc"
