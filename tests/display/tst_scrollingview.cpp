#include "MeasuredView.h"
#include "NotificationNames.h"
#include "PreferenceController.h"
#include "ScrollingView.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QtTest>

using Banner = MeasuredView<ScrollingView>;

class TestScrollingView : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void startsWithTheStoredTextAtTheLeftEdge();
    void scrollsThroughWholeBeforeWrapping_data();
    void scrollsThroughWholeBeforeWrapping();
    void postedTextLastsUntilTheNextWrap();
    void wrapFollowsTheFrameWidth();

private:
    std::unique_ptr<TemporaryStore> _store;
};

namespace {
// Positions taken from one wrap to the next.
QList<double> onePass(Banner &banner)
{
    banner.resetPointToRight();
    QList<double> positions{banner.point().x()};
    for (;;) {
        banner.movePoint();
        if (banner.point().x() == banner.width())
            return positions;
        positions << banner.point().x();
    }
}
} // namespace

void TestScrollingView::startsWithTheStoredTextAtTheLeftEdge()
{
    PreferenceController::setPreferenceMarquisText("Round two starts at noon");
    ScrollingView banner;
    QCOMPARE(banner.text(), "Round two starts at noon");
    QCOMPARE(banner.point(), QPointF(0, 0));
    QVERIFY(!banner.fitWidth());
    QCOMPARE(banner.timer().interval(), 111);
    banner.resize(600, 40);
    banner.resetFontSize();
    QCOMPARE(banner.fontSize(), 32);
}

void TestScrollingView::scrollsThroughWholeBeforeWrapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("textWidth");
    QTest::addColumn<int>("positions");
    QTest::addColumn<double>("last");
    QTest::newRow("300 wide: down to -300") << "Banner" << 300.0 << 91 << -300.0;
    QTest::newRow("wider than the frame") << "Long banner" << 1000.0 << 161 << -1000.0;
    QTest::newRow("empty: wraps at the first negative") << "" << 0.0 << 61 << 0.0;
}

void TestScrollingView::scrollsThroughWholeBeforeWrapping()
{
    QFETCH(QString, text);
    QFETCH(double, textWidth);
    QFETCH(int, positions);
    QFETCH(double, last);
    PreferenceController::setPreferenceMarquisText(text);
    Banner banner;
    banner.resize(600, 40);
    banner.sizeOf = [&](const QString &, double) { return QSizeF(textWidth, 40); };
    const QList<double> pass = onePass(banner);
    QCOMPARE(pass.size(), positions);
    QCOMPARE(pass.first(), 600.0);
    QCOMPARE(pass.last(), last);
    QCOMPARE(pass.at(1), 590.0);
}

void TestScrollingView::postedTextLastsUntilTheNextWrap()
{
    PreferenceController::setPreferenceMarquisText("Stored");
    Banner banner;
    banner.resize(600, 40);
    banner.sizeOf = [](const QString &text, double) { return QSizeF(text.size() * 10.0, 40); };
    banner.resetPointToRight();
    banner.movePoint();
    Util::postNotification(
        RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, SCROLLING_DEFAULT_KEY, "Flash");
    QCOMPARE(banner.text(), "Flash");
    QCOMPARE(banner.point().x(), 590.0);
    PreferenceController::setPreferenceMarquisText("Changed");
    while (banner.point().x() != 600)
        banner.movePoint();
    QCOMPARE(banner.text(), "Changed");
}

void TestScrollingView::wrapFollowsTheFrameWidth()
{
    Banner banner;
    banner.sizeOf = [](const QString &, double) { return QSizeF(100, 40); };
    banner.resize(600, 40);
    banner.resetPointToRight();
    banner.resize(900, 60);
    while (banner.point().x() < 650)
        banner.movePoint();
    QCOMPARE(banner.point().x(), 900.0);
    banner.resetFontSize();
    QCOMPARE(banner.fontSize(), 48);
}

QTEST_MAIN(TestScrollingView)
#include "tst_scrollingview.moc"
