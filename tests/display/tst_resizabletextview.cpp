#include "MeasuredView.h"
#include "NotificationNames.h"
#include "ResizableTextView.h"
#include "Util.h"

#include <QPainter>
#include <QtTest>

using View = MeasuredView<ResizableTextView>;

class TestResizableTextView : public QObject
{
    Q_OBJECT

private slots:
    void fontSizeFollowsHeightAndShrinksToWidth_data();
    void fontSizeFollowsHeightAndShrinksToWidth();
    void centringTruncatesAndHalves_data();
    void centringTruncatesAndHalves();
    void takesOnlyTheEntryUnderItsKey();
    void viewsSharingAKeyChangeTogether();
    void drawsTheTextWhereTheArithmeticSays();
    void sameTextIsNotRasterisedAgain();
    void usesTheNamedFaceOrItsFreeStandIn();
};

void TestResizableTextView::fontSizeFollowsHeightAndShrinksToWidth_data()
{
    QTest::addColumn<double>("widthAt80");
    QTest::addColumn<bool>("fitWidth");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("too wide by a quarter") << 500.0 << true << 64;
    QTest::newRow("fraction truncated") << 450.0 << true << 71;
    QTest::newRow("narrow text keeps the height's size") << 300.0 << true << 80;
    QTest::newRow("empty text") << 0.0 << true << 80;
    QTest::newRow("height alone") << 500.0 << false << 80;
}

void TestResizableTextView::fontSizeFollowsHeightAndShrinksToWidth()
{
    QFETCH(double, widthAt80);
    QFETCH(bool, fitWidth);
    QFETCH(int, fontSize);
    View view;
    view.resize(400, 100);
    view.setFitWidth(fitWidth);
    view.sizeOf = [&](const QString &, double size) { return QSizeF(widthAt80 * size / 80, size); };
    view.resetFontSize();
    QCOMPARE(view.fontSize(), fontSize);
}

void TestResizableTextView::centringTruncatesAndHalves_data()
{
    QTest::addColumn<QSizeF>("textSize");
    QTest::addColumn<QPointF>("point");
    QTest::newRow("7.9 spare gives 3") << QSizeF(392.1, 50) << QPointF(3, 25);
    QTest::newRow("odd spare drops the remainder") << QSizeF(395, 95) << QPointF(2, 2);
    QTest::newRow("taller than the frame") << QSizeF(200, 120) << QPointF(100, 0);
    QTest::newRow("wider than the frame") << QSizeF(450, 60) << QPointF(0, 20);
    QTest::newRow("exactly as wide") << QSizeF(400, 100) << QPointF(0, 0);
}

void TestResizableTextView::centringTruncatesAndHalves()
{
    QFETCH(QSizeF, textSize);
    QFETCH(QPointF, point);
    View view;
    view.resize(400, 100);
    view.sizeOf = [&](const QString &, double) { return textSize; };
    view.resetFontSize();
    view.center();
    QCOMPARE(view.point(), point);
}

void TestResizableTextView::takesOnlyTheEntryUnderItsKey()
{
    ResizableTextView view;
    view.setKey("mine");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    PaintCounter paints(&view);

    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "other", "nope");
    QCoreApplication::processEvents();
    QCOMPARE(view.text(), RESIZABLE_DEFAULT_TEXT);
    QCOMPARE(paints.count, 0);

    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "mine", "First");
    QCoreApplication::processEvents();
    QCOMPARE(view.text(), "First");
    QCOMPARE(paints.count, 1);

    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, "mine", "First");
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 2);

    Util::postNotification(SOUND_PLAYER_NOTIFICATION_NAME, "mine", "Second");
    QCOMPARE(view.text(), "First");
}

void TestResizableTextView::viewsSharingAKeyChangeTogether()
{
    ResizableTextView first;
    ResizableTextView second;
    QCOMPARE(first.key(), RESIZABLE_DEFAULT_KEY);
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, RESIZABLE_DEFAULT_KEY, "Both");
    QCOMPARE(first.text(), "Both");
    QCOMPARE(second.text(), "Both");
}

void TestResizableTextView::drawsTheTextWhereTheArithmeticSays()
{
    ResizableTextView view;
    view.setText("MMMM");
    view.resize(800, 200);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    // Bounds of the ink, in Qt's top-down coordinates.
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!ink.isEmpty());
    const QFontMetricsF metrics(view.fontAttributes());
    const double width = metrics.horizontalAdvance(view.text());
    const double lineBoxBottom = view.height() - view.point().y();
    const double lineBoxTop = lineBoxBottom - metrics.height();
    // Centred: the ink is spread evenly about the middle, within the line box.
    QVERIFY2(qAbs(ink.center().x() - view.width() / 2.0) < 0.05 * width,
        qPrintable(QStringLiteral("ink %1..%2").arg(ink.left()).arg(ink.right())));
    QVERIFY(ink.top() >= lineBoxTop - 1);
    QVERIFY(ink.bottom() <= lineBoxBottom + 1);
    QVERIFY(ink.width() > 0.8 * width);
    QVERIFY(view.point().x() > 0);
}

void TestResizableTextView::sameTextIsNotRasterisedAgain()
{
    ResizableTextView view;
    view.resize(300, 80);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    view.render(&image);
    QCOMPARE(view.renderCount(), 1);
    view.setText("Other");
    view.render(&image);
    QCOMPARE(view.renderCount(), 2);
    view.resize(600, 160);
    view.render(&image);
    QCOMPARE(view.renderCount(), 3);
}

void TestResizableTextView::usesTheNamedFaceOrItsFreeStandIn()
{
    const QFontInfo info(ResizableTextView::textFont());
    QVERIFY2(info.family() == "Futura" || info.family() == "BetecknaGS", qPrintable(info.family()));
    QVERIFY(info.italic());
}

QTEST_MAIN(TestResizableTextView)
#include "tst_resizabletextview.moc"
