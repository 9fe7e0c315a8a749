#include "CountdownView.h"
#include "NotificationNames.h"
#include "PreferenceStore.h"
#include "ScrollingView.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QPainter>
#include <QScreen>
#include <QtTest>

// A text view whose text measurements the test states, to check its arithmetic to the unit.
template<class View>
class MeasuredView : public View
{
public:
    using View::View;
    std::function<QSizeF(const QString &text, double pixelSize)> sizeOf;

protected:
    QSizeF measure(const QString &text, double pixelSize) const override
    {
        return sizeOf ? sizeOf(text, pixelSize) : View::measure(text, pixelSize);
    }
};
using Banner = MeasuredView<ScrollingView>;

static int inkIn(const QImage &image, const QRect &area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        ink += std::count_if(line + area.left(), line + area.right() + 1,
            [](QRgb pixel) { return qGray(pixel) < 160; });
    }
    return ink;
}

// Characters that two texts share at the start are drawn with the very same pixels: left of
// the first column where the pictures differ lies at least half of their share of the ink.
static bool leadingInkStaysPut(const QImage &before, const QImage &after, double share)
{
    int firstDifference = before.width();
    for (int y = 0; y < before.height(); ++y) {
        const auto *one = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        const auto *two = reinterpret_cast<const QRgb *>(after.constScanLine(y));
        firstDifference = std::mismatch(one, one + firstDifference, two).first - one;
    }
    const int ink = inkIn(before, before.rect());
    return ink > 0 && inkIn(before, {0, 0, firstDifference, before.height()}) >= ink * share / 2;
}

// Glyphs composed at whole pixels may sit a fraction of a pixel from where direct drawing
// puts them: a pixel matches when one within a pixel of it in the other picture does.
static bool matchesNearby(const QImage &image, const QImage &reference, int x, int y)
{
    for (int d = 0; d < 9; ++d) {
        const QPoint near(x + d % 3 - 1, y + d / 3 - 1);
        if (reference.valid(near) &&
            qAbs(qGray(image.pixel(x, y)) - qGray(reference.pixel(near))) < 128)
            return true;
    }
    return false;
}

// The view drawn on white, whole or only the part given.
static QImage rendered(QWidget &view, const QRect &part = {})
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image, part.topLeft(), part.isNull() ? QRegion() : part, QWidget::DrawChildren);
    return image;
}

class TestDisplay : public QObject
{
    Q_OBJECT

private slots:
    void fitsAndCentresTheText()
    {
        // The text's size at an 80-pixel font, fitted by width, the font size and point.
        const QList<std::tuple<QSizeF, bool, int, QPointF>> cases{
            {{500, 80}, true, 64, {0, 18}}, // too wide by a quarter
            {{450, 80}, true, 71, {0, 14}}, {{500, 80}, false, 80, {0, 10}}, // truncated; height
            {{392.1, 50}, true, 80, {3, 25}}, {{395, 95}, true, 80, {2, 2}}, // odd spare halved
            {{200, 120}, true, 80, {100, 0}}, {{0, 80}, true, 80, {200, 10}}}; // tall; empty
        for (const auto &[sizeAt80, fitWidth, fontSize, point] : cases) {
            MeasuredView<ResizableTextView> view;
            view.resize(400, 100);
            view.setFitWidth(fitWidth);
            view.sizeOf = [&](const QString &, double size) { return sizeAt80 * size / 80; };
            view.resetFontSize();
            view.center();
            QCOMPARE(view.fontSize(), fontSize);
            QCOMPARE(view.point(), point);
        }
    }

    void drawsTheTextWhereTheArithmeticSays()
    {
        // Composed from cached glyphs, text matches text drawn directly at the baseline its point
        // gives: the face's letters, a fallback face's (numbered on their own) into the same
        // cache, a banner at its length limit a strip at a time, a text in a view resized under it.
        QString longest, faceLetters = "Fall (Orders) 1901 9:58 ";
        while (longest.size() < PreferenceStore::maxMarquisTextLength)
            longest += QStringLiteral("Round %1 at noon. ").arg(longest.size());
        longest.truncate(PreferenceStore::maxMarquisTextLength);
        const QFontMetrics face(ResizableTextView::textFont());
        for (char16_t letter = 0x21; letter <= 0xff; ++letter)
            faceLetters += face.inFont(letter) ? QString(QChar(letter)) : QString();
        const QList<std::tuple<QString, QRect>> cases{{faceLetters, {0, 0, 900, 200}},
            {"£5 ÆØ ñø", {0, 0, 900, 200}}, {longest, {850, 0, 50, 150}},
            {"Spring (Orders) 1901", {0, 0, 400, 90}}, {"Spring (Orders) 1901", {0, 0, 900, 200}}};
        ResizableTextView view;
        view.setFitWidth(false);
        for (const auto &[text, strip] : cases) {
            view.resize(strip.right() + 1, strip.bottom() + 1);
            view.setText(text);
            const QImage composed = rendered(view, strip);
            QImage direct(view.size(), QImage::Format_RGB32);
            direct.fill(Qt::white);
            QPainter painter(&direct);
            painter.setFont(view.fontAttributes());
            const double descent = QFontMetricsF(view.fontAttributes()).descent();
            painter.drawText(
                QPointF(view.point().x(), view.height() - view.point().y() - descent), text);
            const int ink = inkIn(direct, strip);
            int differ = 0;
            for (int y = strip.top(); y <= strip.bottom(); ++y)
                for (int x = strip.left(); x <= strip.right(); ++x)
                    differ += !matchesNearby(composed, direct, x, y);
            QVERIFY2(ink > 100 && differ < ink / 50,
                qPrintable(QStringLiteral("%1: %2 of %3").arg(text.left(30)).arg(differ).arg(ink)));
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
        // Every digit in every place of the time's three shapes: digits sit in cells of one width.
        QStringList times;
        for (char digit = '0'; digit <= '9'; ++digit)
            times << QString("0:%1%1.%1 %1:%1%1 %1%1:%1%1").arg(digit).split(' ');
        // The same lead, then wide digits turned narrow.
        const QList<QPair<QString, QString>> steady{{"0:46.6", "0:46.1"}, {"0:09.9", "0:09.1"},
            {"8:21", "8:11"}, {"9:06", "9:01"}, {"14:00", "11:00"}};
        CountdownView view; // resized from one screen to the next
        for (const QSize frame : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080),
                 QSize(2560, 1080), QSize(320, 240)}) {
            for (const QSize size : {frame, QSize(frame.width(), frame.height() * 6 / 10)}) {
                view.resize(size);
                const QString at = QStringLiteral("%1x%2 ").arg(size.width()).arg(size.height());
                for (const QString &text : times) {
                    view.setText(text);
                    const QImage image = rendered(view);
                    QVERIFY2(inkIn(image, image.rect()) ==
                            inkIn(image, image.rect().adjusted(1, 1, -1, -1)),
                        qPrintable(at + text));
                }
                for (const auto &[wide, narrow] : steady) {
                    view.setText(wide);
                    const QImage before = rendered(view);
                    view.setText(narrow);
                    const auto shared = std::mismatch(wide.begin(), wide.end(), narrow.begin());
                    const double share = (shared.first - wide.begin()) / double(wide.size());
                    QVERIFY2(leadingInkStaysPut(before, rendered(view), share),
                        qPrintable(at + wide + " -> " + narrow));
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
        Util::postNotification(
            RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, SCROLLING_DEFAULT_KEY, "Flash");
        QCOMPARE(banner.text(), "Flash");
        PreferenceStore::setPreferenceMarquisText("Changed");
        banner.resize(900, 60);
        while (banner.point().x() < 650)
            banner.movePoint();
        QCOMPARE(banner.point().x(), 900.0);
        QCOMPARE(banner.text(), "Changed");
        // On screen, steps shift the pixels already there: the picture matches a fresh paint.
        // The steps come from the test alone, so the picture settles.
        QObject::disconnect(&banner.timer(), nullptr, &banner, nullptr);
        banner.sizeOf = nullptr;
        banner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&banner));
        for (int step = 0; step < 25; ++step) {
            banner.movePoint();
            QCoreApplication::processEvents();
        }
        const auto onScreen = [&] { return banner.screen()->grabWindow(banner.winId()).toImage(); };
        QTRY_COMPARE(onScreen().convertToFormat(QImage::Format_RGB32), rendered(banner));
    }

private:
    TemporaryStore _store;
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
