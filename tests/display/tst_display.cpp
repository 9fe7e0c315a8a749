#include "CountdownView.h"
#include "MeasuredView.h"
#include "NotificationNames.h"
#include "PhaseView.h"
#include "PreferenceController.h"
#include "ScrollingView.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QPainter>
#include <QScreen>
#include <QTextLayout>
#include <QtTest>

using Banner = MeasuredView<ScrollingView>;

static void post(const QString &key, const QString &text)
{
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, key, text);
}

static QImage rendered(QWidget &view)
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

class TestDisplay : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void fitsAndCentresTheText()
    {
        struct Case
        {
            QSizeF sizeAt80; // the text's size at an 80-pixel font
            bool fitWidth;
            int fontSize;
            QPointF point;
        };
        const QList<Case> cases{{{500, 80}, true, 64, {0, 18}}, // too wide by a quarter
            {{450, 80}, true, 71, {0, 14}}, {{500, 80}, false, 80, {0, 10}}, // truncated; height
            {{392.1, 50}, true, 80, {3, 25}}, {{395, 95}, true, 80, {2, 2}}, // odd spare halved
            {{200, 120}, true, 80, {100, 0}}, {{0, 80}, true, 80, {200, 10}}}; // tall; empty
        for (const Case &c : cases) {
            MeasuredView<ResizableTextView> view;
            view.resize(400, 100);
            view.setFitWidth(c.fitWidth);
            view.sizeOf = [&](const QString &, double size) { return c.sizeAt80 * size / 80; };
            view.resetFontSize();
            view.center();
            QCOMPARE(view.fontSize(), c.fontSize);
            QCOMPARE(view.point(), c.point);
        }
    }

    void viewsTakeTheEntryUnderTheirKeyAndRepaintOnChange()
    {
        PreferenceController::setPreferenceSpringMinutes(25);
        CountdownView countdown;
        PhaseView phase;
        QCOMPARE(countdown.text(), "25:00");
        countdown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&countdown));
        PaintCounter paints(&countdown);
        post(PHASE_DEFAULT_KEY, "Spring (Orders) 1901");
        QCoreApplication::processEvents();
        QCOMPARE(phase.text(), "Spring (Orders) 1901");
        QCOMPARE(paints.count, 0);
        // Nine ticks in ten repeat the text: no repaint.
        post(COUNTDOWN_DEFAULT_KEY, "9:59");
        post(COUNTDOWN_DEFAULT_KEY, "9:59");
        QCoreApplication::processEvents();
        QCOMPARE(countdown.text(), "9:59");
        QCOMPARE(paints.count, 1);
        // A repaint of the same text at the same size blits what was rendered before.
        countdown.repaint();
        QCOMPARE(countdown.renderCount(), 2);
        countdown.resize(countdown.size() * 2);
        countdown.repaint();
        QCOMPARE(countdown.renderCount(), 3);
    }

    void drawsTheTextWhereTheArithmeticSays()
    {
        // The view puts its text together from cached glyphs; drawn directly at the baseline
        // that its lower-left point gives, the text must come out the same.
        ResizableTextView view;
        view.setText("Fall (Orders) 1901 9:58");
        view.resize(900, 120);
        const QImage composed = rendered(view);
        QImage direct(view.size(), QImage::Format_RGB32);
        direct.fill(Qt::white);
        QPainter painter(&direct);
        painter.setFont(view.fontAttributes());
        const double descent = QFontMetricsF(view.fontAttributes()).descent();
        painter.drawText(
            QPointF(view.point().x(), view.height() - view.point().y() - descent), view.text());
        int ink = 0, differ = 0;
        for (int y = 0; y < direct.height(); ++y) {
            for (int x = 0; x < direct.width(); ++x) {
                ink += qGray(direct.pixel(x, y)) < 128;
                differ += qAbs(qGray(direct.pixel(x, y)) - qGray(composed.pixel(x, y))) > 128;
            }
        }
        QVERIFY(ink > 1000);
        QVERIFY2(differ < ink / 50, qPrintable(QStringLiteral("%1 of %2").arg(differ).arg(ink)));
    }

    void faceHasEveryGlyphOfTheTexts()
    {
        const QFontInfo info(ResizableTextView::textFont());
        QVERIFY(info.family() == "Futura" || info.family() == "BetecknaGS");
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

    void countdownMeasuresDigitsAsNines()
    {
        const QList<QPair<QString, QString>> measured{{"0:07.5", "9:99.9"},
            {"1234567890123", "99999999999"}, {"PAUSE 1:00", "PAUSE 9:99"},
            {"1:00\u00e9\u00e9\u00e9\u00e9", "9:99\u00e9\u00e9\u00e9"},
            {"1234567\U0001F550", "9999999\U0001F550"}, {"12345678\U0001F550", "99999999"}};
        CountdownView view;
        for (const auto &[text, nines] : measured) {
            view.setText(text);
            QCOMPARE(view.maxText(), nines);
        }
    }

    void bannerScrollsThroughWholeBeforeWrapping()
    {
        PreferenceController::setPreferenceMarquisText("Stored");
        Banner banner;
        QCOMPARE(banner.point(), QPointF(0, 0));
        banner.resize(600, 40);
        for (double textWidth : {300.0, 0.0}) {
            banner.sizeOf = [textWidth](const QString &, double) { return QSizeF(textWidth, 40); };
            banner.resetPointToRight();
            QList<double> pass{banner.point().x()};
            for (banner.movePoint(); banner.point().x() != 600; banner.movePoint())
                pass << banner.point().x();
            QCOMPARE(pass.size(), 61 + textWidth / 10);
            QCOMPARE(pass.last(), -textWidth);
        }
        // A posted text shows until the next wrap, which takes the stored one and follows
        // the frame as it is then.
        post(SCROLLING_DEFAULT_KEY, "Flash");
        QCOMPARE(banner.text(), "Flash");
        PreferenceController::setPreferenceMarquisText("Changed");
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
            const QPixmap shot = banner.screen()->grabWindow(banner.winId());
            return shot.toImage().convertToFormat(QImage::Format_RGB32);
        };
        QTRY_COMPARE(onScreen(), rendered(banner));
    }

private:
    std::unique_ptr<TemporaryStore> _store;
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
