#include "CountdownTimer.h"
#include "CountdownView.h"
#include "MeasuredView.h"
#include "NotificationNames.h"
#include "PhaseView.h"
#include "PreferenceStore.h"
#include "ScrollingView.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QPainter>
#include <QScreen>
#include <QtTest>

using Banner = MeasuredView<ScrollingView>;

static void post(const QString &key, const QString &text)
{
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, key, text);
}

static bool isInk(QRgb pixel)
{
    return qGray(pixel) < 160;
}

static bool inkOnEdge(const QImage &image)
{
    const int right = image.width() - 1, bottom = image.height() - 1;
    for (int x = 0; x <= right; ++x) {
        if (isInk(image.pixel(x, 0)) || isInk(image.pixel(x, bottom)))
            return true;
    }
    for (int y = 0; y <= bottom; ++y) {
        if (isInk(image.pixel(0, y)) || isInk(image.pixel(right, y)))
            return true;
    }
    return false;
}

// The characters that two texts share at the start are drawn with the very same pixels:
// everything left of the first column where the pictures differ holds at least their share
// of the ink (a text that moved differs from its first column on).
static bool leadingInkStaysPut(
    const QImage &before, const QImage &after, const QString &a, const QString &b)
{
    int firstDifference = before.width();
    for (int y = 0; y < before.height(); ++y) {
        const auto *one = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *two = reinterpret_cast<const QRgb *>(after.constScanLine(y));
        for (int x = 0; x < firstDifference; ++x) {
            if (one[x] != two[x])
                firstDifference = x;
        }
    }
    qsizetype shared = 0;
    while (shared < a.size() && a.at(shared) == b.at(shared))
        ++shared;
    int inkLeft = 0, ink = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            ink += isInk(before.pixel(x, y));
            inkLeft += x < firstDifference && isInk(before.pixel(x, y));
        }
    }
    return ink > 0 && inkLeft >= ink * shared / a.size() / 2;
}

// Glyphs composed at whole pixels may sit a fraction of a pixel from where direct drawing
// puts them: a pixel matches when one within a pixel of it in the other picture does.
static bool matchesNearby(const QImage &image, const QImage &reference, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint near(x + dx, y + dy);
            if (reference.valid(near) &&
                qAbs(qGray(image.pixel(x, y)) - qGray(reference.pixel(near))) < 128)
                return true;
        }
    }
    return false;
}

static QString sizeAndText(const QSize &size, const QString &text)
{
    return QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(text);
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
        PreferenceStore::setPreferenceSpringMinutes(25);
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
    }

    void drawsTheTextWhereTheArithmeticSays()
    {
        // The view puts its text together from cached glyphs; drawn directly at the baseline
        // that its lower-left point gives, the text must come out the same: letters from
        // a fallback face, and a banner at its length limit, drawn a strip at a time.
        QString longest;
        while (longest.size() < PreferenceStore::maxMarquisTextLength)
            longest += QStringLiteral("Round %1 at noon. ").arg(longest.size());
        longest.truncate(PreferenceStore::maxMarquisTextLength);
        // One view, one size for all: its glyph cache holds the first text's glyphs when the
        // fallback face's glyphs, numbered on their own, come in.
        QString faceLetters = "Fall (Orders) 1901 9:58 ";
        const QFontMetrics face(ResizableTextView::textFont());
        for (char16_t letter = 0x21; letter <= 0xff; ++letter) {
            if (face.inFont(letter))
                faceLetters += QChar(letter);
        }
        const QList<std::tuple<QString, QRect>> cases{{faceLetters, {0, 0, 900, 200}},
            {"£5 ÆØ ñø", {0, 0, 900, 200}}, {longest, {850, 0, 50, 200}}};
        ResizableTextView view;
        view.resize(900, 200);
        view.setFitWidth(false);
        for (const auto &[text, strip] : cases) {
            view.setText(text);
            QImage composed(view.size(), QImage::Format_RGB32);
            composed.fill(Qt::white);
            view.render(&composed, strip.topLeft(), QRegion(strip), QWidget::DrawChildren);
            QImage direct(view.size(), QImage::Format_RGB32);
            direct.fill(Qt::white);
            QPainter painter(&direct);
            painter.setFont(view.fontAttributes());
            const double descent = QFontMetricsF(view.fontAttributes()).descent();
            painter.drawText(
                QPointF(view.point().x(), view.height() - view.point().y() - descent), text);
            int ink = 0, differ = 0;
            for (int y = strip.top(); y <= strip.bottom(); ++y) {
                for (int x = strip.left(); x <= strip.right(); ++x) {
                    ink += isInk(direct.pixel(x, y));
                    differ += !matchesNearby(composed, direct, x, y);
                }
            }
            QVERIFY(ink > 100);
            QVERIFY2(differ < ink / 50,
                qPrintable(QStringLiteral("%1: %2 of %3").arg(text.left(30)).arg(differ).arg(ink)));
        }
    }

    void aResizedViewDrawsLikeANewOne()
    {
        CountdownView resized;
        resized.setText("0:47.3");
        for (const QSize size : {QSize(400, 200), QSize(1600, 900), QSize(400, 200)}) {
            resized.resize(size);
            CountdownView fresh;
            fresh.setText(resized.text());
            fresh.resize(size);
            QCOMPARE(rendered(resized), rendered(fresh));
        }
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

    void timeStaysInsideItsViewWithSteadyDigits()
    {
        QStringList lastMinute;
        for (int tenths = 600; tenths >= 0; --tenths)
            lastMinute << CountdownTimer::displayTime(tenths / 10.0);
        // Pairs whose leading characters are the same; the second has narrow digits where the
        // first has wide ones.
        const QList<QPair<QString, QString>> steady{{"0:46.6", "0:46.1"}, {"0:09.9", "0:09.1"},
            {"8:21", "8:11"}, {"9:06", "9:01"}, {"14:00", "11:00"}};
        for (const QSize frame : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080),
                 QSize(2560, 1080), QSize(320, 240)}) {
            for (const QSize size : {frame, QSize(frame.width(), frame.height() * 6 / 10)}) {
                CountdownView view;
                view.resize(size);
                for (const QString &text : lastMinute + QStringList{"9:59", "59:08", "10:00"}) {
                    view.setText(text);
                    QVERIFY2(!inkOnEdge(rendered(view)), qPrintable(sizeAndText(size, text)));
                }
                for (const auto &[wide, narrow] : steady) {
                    view.setText(wide);
                    const QImage before = rendered(view);
                    view.setText(narrow);
                    QVERIFY2(leadingInkStaysPut(before, rendered(view), wide, narrow),
                        qPrintable(sizeAndText(size, wide + " -> " + narrow)));
                }
            }
        }
    }

    void bannerScrollsThroughWholeBeforeWrapping()
    {
        PreferenceStore::setPreferenceMarquisText("Stored");
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
        PreferenceStore::setPreferenceMarquisText("Changed");
        banner.resize(900, 60);
        while (banner.point().x() < 650)
            banner.movePoint();
        QCOMPARE(banner.point().x(), 900.0);
        QCOMPARE(banner.text(), "Changed");
    }

    void scrolledBannerMatchesAFreshPaint()
    {
        PreferenceStore::setPreferenceMarquisText("Round 3 starts at two");
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
