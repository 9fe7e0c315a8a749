#include "NotificationCenter.h"
#include "Util.h"

#include <QtTest>

#include <memory>

class TestNotificationCenter : public QObject
{
    Q_OBJECT

private slots:
    void deliversInSubscriptionOrderToMatchingNamesOnly();
    void dropsObserversWhenTheirContextIsDestroyed();
    void observerLeavingDuringDeliveryIsSkipped();
    void utilPostsOneEntryAndDropsIncompletePosts();
    void containsIsLiteralAndCaseSensitive_data();
    void containsIsLiteralAndCaseSensitive();
    void saturatedIntClampsAndTruncates_data();
    void saturatedIntClampsAndTruncates();
};

void TestNotificationCenter::deliversInSubscriptionOrderToMatchingNamesOnly()
{
    NotificationCenter center;
    QObject context;
    QStringList order;
    center.addObserver(&context, "a", [&](const QVariantMap &) { order << "first"; });
    center.addObserver(&context, "b", [&](const QVariantMap &) { order << "other name"; });
    center.addObserver(
        &context, "a", [&](const QVariantMap &info) { order << info.value("k").toString(); });
    center.post("a", {{"k", "second"}});
    QCOMPARE(order, QStringList({"first", "second"}));
}

void TestNotificationCenter::dropsObserversWhenTheirContextIsDestroyed()
{
    NotificationCenter center;
    int calls = 0;
    auto context = std::make_unique<QObject>();
    center.addObserver(context.get(), "a", [&](const QVariantMap &) { ++calls; });
    context.reset();
    center.post("a", {});
    QCOMPARE(calls, 0);
    QCOMPARE(center.observerCount(), 0);
}

void TestNotificationCenter::observerLeavingDuringDeliveryIsSkipped()
{
    NotificationCenter center;
    QObject first;
    auto second = std::make_unique<QObject>();
    bool secondCalled = false;
    center.addObserver(&first, "a", [&](const QVariantMap &) { second.reset(); });
    center.addObserver(second.get(), "a", [&](const QVariantMap &) { secondCalled = true; });
    center.post("a", {});
    QVERIFY(!secondCalled);
}

void TestNotificationCenter::utilPostsOneEntryAndDropsIncompletePosts()
{
    QObject context;
    QList<QVariantMap> received;
    NotificationCenter::defaultCenter().addObserver(
        &context, "n", [&](const QVariantMap &info) { received << info; });
    Util::postNotification("n", "key", "value");
    Util::postNotification("n", "key", QStringLiteral(""));
    Util::postNotification("n", QString(), "value");
    Util::postNotification("n", "key", QString());
    QCOMPARE(received.size(), 2);
    QCOMPARE(received.at(0), QVariantMap({{"key", "value"}}));
    QCOMPARE(received.at(1), QVariantMap({{"key", ""}}));
}

void TestNotificationCenter::containsIsLiteralAndCaseSensitive_data()
{
    QTest::addColumn<QString>("string");
    QTest::addColumn<QString>("substring");
    QTest::addColumn<bool>("expected");
    QTest::newRow("inside") << "Early Spring"
                            << "Spring" << true;
    QTest::newRow("lower case") << "spring"
                                << "Spring" << false;
    QTest::newRow("regex characters are literal") << "+1m"
                                                  << "1.m" << false;
    QTest::newRow("empty substring is never found") << "Spring"
                                                    << "" << false;
}

void TestNotificationCenter::containsIsLiteralAndCaseSensitive()
{
    QFETCH(QString, string);
    QFETCH(QString, substring);
    QFETCH(bool, expected);
    QCOMPARE(Util::contains(string, substring), expected);
}

void TestNotificationCenter::saturatedIntClampsAndTruncates_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("truncates toward zero") << -2.7 << -2;
    QTest::newRow("above range") << 1e12 << std::numeric_limits<int>::max();
    QTest::newRow("below range") << -1e12 << std::numeric_limits<int>::min();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                              << std::numeric_limits<int>::max();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void TestNotificationCenter::saturatedIntClampsAndTruncates()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(Util::saturatedInt(value), expected);
}

QTEST_GUILESS_MAIN(TestNotificationCenter)
#include "tst_notificationcenter.moc"
