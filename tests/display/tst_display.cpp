#include "CountdownView.h"
#include "MeasuredView.h"
#include "NotificationNames.h"
#include "PhaseView.h"
#include "PreferenceController.h"
#include "ScrollingView.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QScreen>
#include <QTextLayout>
#include <QtTest>

using View = MeasuredView<ResizableTextView>;
using Banner = MeasuredView<ScrollingView>;

namespace {
void post(const QString &key, const QString &text)
{
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, key, text);
}

QImage rendered(QWidget &view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}
} // namespace

class TestDisplay : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void fontSizeFollowsHeightAndShrinksToWidth_data()
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

    void fontSizeFollowsHeightAndShrinksToWidth()
    {
        QFETCH(double, widthAt80);
        QFETCH(bool, fitWidth);
        QFETCH(int, fontSize);
        View view;
        view.resize(400, 100);
        view.setFitWidth(fitWidth);
        view.sizeOf = [&](const QString &, double size) {
            return QSizeF(widthAt80 * size / 80, size);
        };
        view.resetFontSize();
        QCOMPARE(view.fontSize(), fontSize);
    }

    void centringTruncatesAndHalves_data()
    {
        QTest::addColumn<QSizeF>("textSize");
        QTest::addColumn<QPointF>("point");
        QTest::newRow("7.9 spare gives 3") << QSizeF(392.1, 50) << QPointF(3, 25);
        QTest::newRow("odd spare drops the remainder") << QSizeF(395, 95) << QPointF(2, 2);
        QTest::newRow("taller than the frame") << QSizeF(200, 120) << QPointF(100, 0);
        QTest::newRow("wider than the frame") << QSizeF(450, 60) << QPointF(0, 20);
    }

    void centringTruncatesAndHalves()
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

    void viewsTakeTheEntryUnderTheirKeyAndRepaintOnChange()
    {
        PreferenceController::setPreferenceSpringMinutes(25);
        CountdownView countdown;
        PhaseView phase;
        ResizableTextView plain;
        QCOMPARE(countdown.text(), "25:00");
        QCOMPARE(phase.text(), "Spring 1901");
        countdown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&countdown));
        PaintCounter paints(&countdown);

        post(PHASE_DEFAULT_KEY, "Spring (Orders) 1901");
        post(RESIZABLE_DEFAULT_KEY, "Plain");
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 0);
        QCOMPARE(phase.text(), "Spring (Orders) 1901");
        QCOMPARE(plain.text(), "Plain");

        post(COUNTDOWN_DEFAULT_KEY, "9:59");
        QCoreApplication::processEvents();
        QCOMPARE(countdown.text(), "9:59");
        QCOMPARE(paints.count, 1);
        // Nine ticks in ten repeat the text: no repaint.
        post(COUNTDOWN_DEFAULT_KEY, "9:59");
        QCoreApplication::processEvents();
        QCOMPARE(paints.count, 1);
        // A repaint of the same text at the same size blits what was rendered before.
        countdown.repaint();
        QCOMPARE(countdown.renderCount(), 2);
        countdown.resize(countdown.width() * 2, countdown.height() * 2);
        countdown.repaint();
        QCOMPARE(countdown.renderCount(), 3);
    }

    void drawsTheTextWhereTheArithmeticSays()
    {
        ResizableTextView view;
        view.setText("MMMM");
        view.resize(800, 200);
        const QImage image = rendered(view);
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        const QFontMetricsF metrics(view.fontAttributes());
        const double width = metrics.horizontalAdvance(view.text());
        const double lineBoxBottom = view.height() - view.point().y();
        QVERIFY(qAbs(ink.center().x() - view.width() / 2.0) < 0.05 * width);
        QVERIFY(ink.top() >= lineBoxBottom - metrics.height() - 1);
        QVERIFY(ink.bottom() <= lineBoxBottom + 1);
        QVERIFY(ink.width() > 0.8 * width);
    }

    void faceHasEveryGlyphOfTheTexts()
    {
        const QFontInfo info(ResizableTextView::textFont());
        QVERIFY2(
            info.family() == "Futura" || info.family() == "BetecknaGS", qPrintable(info.family()));
        QVERIFY(info.italic());
        // A glyph of index 0 is the font's empty box.
        QTextLayout layout("Round 3 starts at two in Tartu: Spring (Orders) 1901 0:59.9");
        layout.setFont(ResizableTextView::textFont());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns())
            QVERIFY(!run.glyphIndexes().contains(0));
    }

    void countdownMeasuresDigitsAsNines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("measured");
        QTest::newRow("minutes") << "5:00"
                                 << "9:99";
        QTest::newRow("last minute") << "0:07.5"
                                     << "9:99.9";
        QTest::newRow("cut after 11 bytes") << "1234567890123"
                                            << "99999999999";
        QTest::newRow("other characters stay") << "PAUSE 1:00"
                                               << "PAUSE 9:99";
        QTest::newRow("no character split") << "1:00\u00e9\u00e9\u00e9\u00e9"
                                            << "9:99\u00e9\u00e9\u00e9";
        QTest::newRow("four-byte character kept") << "1234567\U0001F550"
                                                  << "9999999\U0001F550";
        QTest::newRow("four-byte character cut") << "12345678\U0001F550"
                                                 << "99999999";
    }

    void countdownMeasuresDigitsAsNines()
    {
        QFETCH(QString, text);
        QFETCH(QString, measured);
        CountdownView view;
        view.setText(text);
        QCOMPARE(view.maxText(), measured);
    }

    void bannerScrollsThroughWholeBeforeWrapping_data()
    {
        QTest::addColumn<double>("textWidth");
        QTest::addColumn<int>("positions");
        QTest::newRow("300 wide: down to -300") << 300.0 << 91;
        QTest::newRow("wider than the frame") << 1000.0 << 161;
        QTest::newRow("empty: wraps at the first negative") << 0.0 << 61;
    }

    void bannerScrollsThroughWholeBeforeWrapping()
    {
        QFETCH(double, textWidth);
        QFETCH(int, positions);
        Banner banner;
        QCOMPARE(banner.point(), QPointF(0, 0));
        banner.resize(600, 40);
        banner.sizeOf = [&](const QString &, double) { return QSizeF(textWidth, 40); };
        banner.resetPointToRight();
        QList<double> pass{banner.point().x()};
        for (banner.movePoint(); banner.point().x() != 600; banner.movePoint())
            pass << banner.point().x();
        QCOMPARE(pass.size(), positions);
        QCOMPARE(pass.at(1), 590.0);
        QCOMPARE(pass.last(), -textWidth);
    }

    void postedBannerTextLastsUntilTheNextWrap()
    {
        PreferenceController::setPreferenceMarquisText("Stored");
        Banner banner;
        QCOMPARE(banner.text(), "Stored");
        banner.resize(600, 40);
        banner.sizeOf = [](const QString &text, double) { return QSizeF(text.size() * 10.0, 40); };
        banner.resetPointToRight();
        banner.movePoint();
        post(SCROLLING_DEFAULT_KEY, "Flash");
        QCOMPARE(banner.text(), "Flash");
        QCOMPARE(banner.point().x(), 590.0);
        PreferenceController::setPreferenceMarquisText("Changed");
        // The wrap follows the frame as it is then.
        banner.resize(900, 60);
        while (banner.point().x() < 650)
            banner.movePoint();
        QCOMPARE(banner.point().x(), 900.0);
        QCOMPARE(banner.text(), "Changed");
    }

    void scrolledBannerMatchesAFreshPaint()
    {
        PreferenceController::setPreferenceMarquisText("Round 3 starts at two");
        ScrollingView banner;
        banner.resize(500, 60);
        banner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&banner));
        // Steps come from the test alone, so the picture settles.
        QObject::disconnect(&banner.timer(), nullptr, &banner, nullptr);
        for (int step = 0; step < 25; ++step) {
            banner.movePoint();
            QCoreApplication::processEvents();
        }
        const auto onScreen = [&banner] {
            return banner.screen()
                ->grabWindow(banner.winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        QTRY_COMPARE(onScreen(), rendered(banner));
    }

private:
    std::unique_ptr<TemporaryStore> _store;
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
