// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressOverlay.h"
#include "AppController.h"
#include "CountdownView.h"
#include "GameStateFile.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "NotificationNames.h"
#include "PhaseView.h"
#include "PinGuard.h"
#include "PreferenceController.h"
#include "ProgressBand.h"
#include "ScrollingView.h"
#include "SoundPlayer.h"
#include "TabularText.h"
#include "TemporaryStore.h"
#include "TextSprite.h"
#include "Translations.h"
#include "Util.h"
#include "ViewerClient.h"
#include "ViewerLink.h"

#include <QtTest>
#include <QtWidgets>

#include <optional>

// The application as main builds it, on clocks only the test moves: `elapsed` and the wall's.
static double elapsed = 0;
struct AppUnderTest
{
    MervaneTimerAppDelegate delegate{
        [] { return elapsed; }, [] { return 1'800'000'000'000 + qint64(elapsed * 1000); }};
    AppController appController;
    MainWindow window{delegate, appController};
    ViewerLink viewers{delegate, window, appController};
};

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

// The window as the X server holds it.
static QImage onScreen(QWidget &view)
{
    return view.screen()->grabWindow(view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

static QImage rendered(QWidget &view, const QRect &part = {})
{
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image, part.topLeft(), part.isNull() ? QRegion() : part, QWidget::DrawChildren);
    return image;
}

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Translations::follow(); }
    void init() { _store.emplace(); }

    void everyControlShowsTheValueInForceStoresWhatItMayAndSaysWhyNot()
    {
        AppController app;
        app.showOutputs({{"desk", "Desk speakers"}, {"hall", "Hall"}});
        // Said before the window is made: shown when it is, with a way to take commands again.
        app.showViewerStatus("Remote commands are stopped", true);
        app.showPreferencePanel();
        QWidget *window = app.preferenceController()->window();
        auto *again = window->findChild<QPushButton *>("viewerRestartButton");
        QSignalSpy restart(&app, &AppController::remoteCommandsRestartRequested);
        QTest::mouseClick(again, Qt::LeftButton);
        QVERIFY(restart.count() == 1 && again->isVisible() &&
            window->findChild<QLabel *>("viewerStatusLabel")->text() ==
                "Remote commands are stopped");

        // Per control, in turn: entered (a box: clicked)|shown when reopened|message start, if any
        const QString zs(PreferenceStore::maxMarquisTextLength, 'z');
        const QList<QPair<QString, QStringList>> entries{
            {"springMinutesTextField", {" 25 |25|", "twelve|25|Whole minutes"}},
            {"fallMinutesTextField",
                {"0|0|0 minutes: the phase", "9|9|", "99999999999|9|From ", "2.5|9|Whole minutes"}},
            {"orderWritingMinutesTextField", {"4|4|"}},
            {"marquisTextField", {"Finals|Finals|", zs + "zzz|" + zs + "|At most 2000"}},
            {"lastYearTextField", {"0|0|", "1907|1907|", "-1|1907|A game-year"}},
            {"outputDeviceComboBox", {"Hall|hall|"}}, {"volumeSpinBox", {"35|35|"}},
            {"viewerCheckBox", {"|true|"}}, {"orderWritingCheckBox", {"|true|", "|false|"}},
            {"warningMinutesTextField",
                {"5|5|", "0|0|", "-1|0|Whole minutes from 0", "1000|0|Whole"}},
            {"endTimeTextField", {"7:05|07:05|", "24:00|07:05|A time of day", "6pm|07:05|A "}},
            {"endByClockCheckBox", {"|true|"}}, {"progressCheckBox", {"|false|"}},
            {"warningCheckBox", {"|false|"}}, {"nextPhaseCheckBox", {"|false|"}},
            {"timeOfDayCheckBox", {"|true|"}},
            {"viewerPortTextField",
                {"1|1|", "65535|65535|", "0|65535|A port from 1 to 65535",
                    "65536|65535|A port from 1 to 65535"}},
            {"viewerPinTextField",
                {"123456789|12345678|", "||", "1234|1234|", "123|1234|4 to 8 digits",
                    "12a4|1234|4 to 8 digits"}}};
        for (const auto &[name, tries] : entries) {
            QWidget *control = window->findChild<QWidget *>(name);
            const auto *label = window->findChild<QLabel *>(
                QString(name).replace(QRegularExpression("(Minutes)?TextField"), "Message"));
            for (const QString &entry : tries) {
                enter(control, entry.section('|', 0, 0));
                const QString said = label ? label->text() : QString(),
                              start = entry.section('|', 2);
                app.showPreferencePanel();
                QCOMPARE(name + ": " + shown(control) + '|' +
                        said.left(start.isEmpty() ? -1 : start.size()),
                    name + ": " + entry.section('|', 1));
            }
        }
        // Viewers turned on without a PIN are offered a random one of six digits, not yet kept.
        QWidget *pin = window->findChild<QWidget *>("viewerPinTextField");
        enter(pin, "");
        for (int click = 0; click < 2; ++click) // off, then on again
            enter(window->findChild<QWidget *>("viewerCheckBox"), "");
        QVERIFY(QRegularExpression("^\\d{6}$").match(shown(pin)).hasMatch() &&
            PreferenceStore::textPreference(CVLViewerPinKey).isEmpty());
        // Where nothing can be written, what is entered stays in force until a write succeeds.
        const QString unwritable = _store->path() + "/MervaneTimer.conf";
        _store->writeFile(""); // the folder is a file: nothing can be written there
        PreferenceStore::setStorePath(unwritable);
        enter(window->findChild<QWidget *>("springMinutesTextField"), "3");
        const QString said = window->findChild<QLabel *>("saveMessage")->text();
        QVERIFY2(said.contains(unwritable) && said.contains("not writable"), qPrintable(said));
        QVERIFY(!PreferenceStore::setPreferenceMarquisText("Kept for now"));
        QVERIFY(PreferenceStore::preferenceSpringMinutes() == 3 &&
            PreferenceStore::preferenceFallMinutes() == 10 &&
            PreferenceStore::preferenceMarquisText() == "Kept for now");
        QVERIFY(QFile::remove(_store->path()) && QDir().mkpath(_store->path()));
        QVERIFY(PreferenceStore::setPreferenceFallMinutes(7));
        const QSettings saved(unwritable, QSettings::IniFormat);
        QCOMPARE(saved.value(CVLDefaultsSpringMinutesKey), 3);
        QCOMPARE(saved.value(CVLDefaultsMarquisTextKey), "Kept for now");
    }

    void everyCommandReachesTheViewsTheViewersAndTheStateFile()
    {
        PreferenceController::setTextPreference(CVLViewerAddressKey, QStringLiteral("127.0.0.1"));
        restart(0);
        const quint16 port = ViewerClient::freePort();
        for (const QString &set : {"viewerPortTextField " + QString::number(port),
                 QStringLiteral("viewerPinTextField 2468"), QStringLiteral("viewerCheckBox")})
            act("set " + set);
        connectViewer();
        const auto status = [this] {
            QWidget *preferences = _app->appController.preferenceController()->window();
            return preferences->findChild<QLabel *>("viewerStatusLabel")->text();
        };
        QTRY_COMPARE(status().section('\n', 0, 0),
            QStringLiteral("Players open http://127.0.0.1:%1/ (viewers now: 1)").arg(port));
        struct Step
        {
            QString act, clock; // see act(); the clock's description afterwards
            int zeroCues = 0;
            QString phase = {}; // when not the clock's; "H:MM:SS": resumed after so long down
        };
        const QList<Step> steps{{"C", "Spring 1901--> 10:00"},
            {"remote pause", "PAUSED Spring 1901--> 10:00"},
            {"Right", "PAUSED Spring 1901--> 10:10"}, {"Shift+Left", "PAUSED Spring 1901--> 9:40"},
            {"Up", "PAUSED Spring 1901--> 10:40"}, {"Shift+Down", "PAUSED Spring 1901--> 0:40.0"},
            {"Shift+Right", "PAUSED Spring 1901--> 1:10"}, {"Left", "PAUSED Spring 1901--> 1:00"},
            {"Down", "PAUSED Spring 1901--> 0:00.0", 1},
            {"Shift+Up", "PAUSED Spring 1901--> 10:00"}, {"B", "PAUSED Spring 1901--> 10:00", 1},
            {"F11", "PAUSED Spring 1901--> 10:00"}, {"remote continue", "Spring 1901--> 10:00"},
            {"remote plus1m", "Spring 1901--> 11:00"}, {"remote minus10s", "Spring 1901--> 10:50"},
            {"Space", "PAUSED Spring 1901--> 10:50"},
            {"remote plus10s", "PAUSED Spring 1901--> 11:00"},
            {"remote minus1m", "PAUSED Spring 1901--> 10:00"}, {"Space", "Spring 1901--> 10:00"},
            {"Ctrl+Right", "Fall 1901--> 10:00", 1},
            {"remote nextPhase", "Spring 1902--> 10:00", 1}, {"Esc", "Spring 1902--> 10:00"},
            // Down while running, the time is taken off. Pause keeps the line that says so; a
            // Continue, however given, or a calendar command clears it.
            {"down 95", "PAUSED Spring 1902--> 8:25", 0, "0:01:35"},
            {"down 3725", "PAUSED Spring 1902--> 8:25", 0, "1:02:05"},
            {"Space", "Spring 1902--> 8:25"},
            {"down 5", "PAUSED Spring 1902--> 8:20", 0, "0:00:05"},
            {"remote continue", "Spring 1902--> 8:20"},
            {"down 20", "PAUSED Spring 1902--> 8:00", 0, "0:00:20"},
            // A length set before a phase is continued or nudged applies to it at once.
            {"Ctrl+Left", "PAUSED Fall 1901--> 10:00"},
            {"set fallMinutesTextField 7", "PAUSED Fall 1901--> 7:00"},
            {"set springMinutesTextField 3", "PAUSED Fall 1901--> 7:00"},
            {"Ctrl+Right", "PAUSED Spring 1902--> 3:00", 1},
            {"set orderWritingMinutesTextField 2", "PAUSED Spring 1902--> 3:00"},
            {"set orderWritingCheckBox", "PAUSED Spring 1902--> 3:00"},
            {"down 60", "PAUSED Spring 1902--> 3:00", 0, "0:01:00"},
            {"Ctrl+Right", "PAUSED Spring (Orders) 1902--> 2:00", 1},
            {"down 1", "PAUSED Spring (Orders) 1902--> 2:00", 0, "0:00:01"},
            {"Ctrl+N Esc", "PAUSED Spring (Orders) 1902--> 2:00", 0, "0:00:01"},
            {"Ctrl+N Return", "PAUSED Spring 1901--> 3:00"},
            {"set lastYearTextField 1901", "PAUSED Spring 1901--> 3:00"},
            {"set marquisTextField Photo at five", "PAUSED Spring 1901--> 3:00"},
            {"set soundCheckButton", "PAUSED Spring 1901--> 3:00", 1},
            {"Ctrl+Right", "PAUSED Spring (Orders) 1901--> 2:00", 1},
            {"Ctrl+Right", "PAUSED Fall 1901--> 7:00", 1},
            {"Ctrl+Right", "PAUSED Fall (Orders) 1901--> 2:00", 1},
            // At the end nothing moves until the calendar does.
            {"Ctrl+Right", "PAUSED Fall (Orders) 1901--> 0:00.0", 1, "End of game 1901"},
            {"C", "PAUSED Fall (Orders) 1901--> 0:00.0", 0, "End of game 1901"},
            {"Ctrl+Left", "PAUSED Fall 1901--> 7:00"}, {"C", "Fall 1901--> 7:00"},
            // The hall and its pages speak the language chosen, at once.
            {"set languageComboBox Fran\u00e7ais", "Automne 1901--> 7:00"}};
        for (const Step &step : steps) {
            QSignalSpy cues(&_app->delegate.soundPlayer(), &SoundPlayer::cueStarted);
            act(step.act);
            QString phase = QString(step.clock).remove("PAUSED ").section("-->", 0, 0);
            if (!step.phase.isEmpty())
                phase = step.phase[0].isDigit() ? phase + " - resumed, clock was down " + step.phase
                                                : step.phase;
            expectAllAgree(step.clock, phase);
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(step.act + ": " + step.clock));
            QCOMPARE(cues.count(QVariantList{0}), step.zeroCues);
        }
        QVERIFY(status().startsWith("Les joueurs ouvrent"));
        // Ctrl+L's address goes away by itself after its 30 s, on its timer's word, not a wait.
        pressOnClock(Qt::ControlModifier | Qt::Key_L);
        auto *overlay = _app->window.display()->findChild<AddressOverlay *>();
        auto *timer = overlay->findChild<QTimer *>(); // coarse: within 5 % of its time
        QVERIFY(overlay->isVisible() && qAbs(timer->remainingTime() - 30'000) <= 1'500);
        QMetaObject::invokeMethod(timer, "timeout");
        QVERIFY(!overlay->isVisible());
        act("set languageComboBox English");
        QSignalSpy closed(&*_viewer, &ViewerClient::closed);
        act("set viewerCheckBox");
        QCOMPARE(status(), "Viewers are off.");
        QVERIFY(closed.wait(5000));
        // Closing the main window ends the application, whatever else is open.
        pressOnClock(Qt::ControlModifier | Qt::Key_Comma);
        QTimer::singleShot(0, &_app->window, &QWidget::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(2); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

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
        // Letters of the languages the clock speaks, and of banners typed in others, are drawn
        // by the face or a fallback face: none as the box a face shows for a letter it lacks.
        view.resize(160, 120), view.setText(QString::fromUcs4(U"\U0010FFFD"));
        const QImage box = rendered(view);
        for (const QChar letter : QString("ąęłńśźżĄŁŚäöüßœçéèêîñáóčěřšůžőűȘțăαβΩЖщЯ€")) {
            view.setText(letter);
            const QImage image = rendered(view);
            QVERIFY2(inkIn(image, image.rect()) > 0 && image != box, qPrintable(QString(letter)));
        }
    }

    void timeStaysInsideItsViewWithSteadyDigits()
    {
        CountdownView view; // resized from one screen to the next
        const TabularText layout(view.fontAttributes(100)); // its glyph for a character, each time
        const QString form = "0:1.2:3.4";
        for (qsizetype i = 0; i < form.size(); ++i)
            QCOMPARE(layout.place(form)[i].index, layout.rawFont().glyphIndexesForString(form)[i]);
        // Every digit in every place of the time's three shapes, each longer than the one before
        // on the same view: digits sit in cells of one width, and each text is measured anew.
        QStringList times;
        for (char digit = '0'; digit <= '9'; ++digit)
            times << QString("%1:%1%1 %1%1:%1%1 0:%1%1.%1").arg(digit).split(' ');
        // The same lead, then wide digits turned narrow.
        const QList<QPair<QString, QString>> steady{{"0:46.6", "0:46.1"}, {"0:09.9", "0:09.1"},
            {"8:21", "8:11"}, {"9:06", "9:01"}, {"14:00", "11:00"}};
        // The phase's longest line in any language, in a phase view of the window's shape.
        Phase phase;
        phase.setSeason(Phase::FALL()), phase.setIsInOrderWriting(true);
        PhaseView longest;
        for (const Translations::Language &language : Translations::shipped) {
            Translations::apply(language.code);
            if (phase.description().size() > longest.text().size())
                longest.setText(phase.description());
        }
        Translations::apply({});
        for (const QSize frame : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080),
                 QSize(2560, 1080), QSize(320, 240)}) {
            for (const QSize size : {frame, QSize(frame.width(), frame.height() * 6 / 10)}) {
                view.resize(size);
                const QString at = QStringLiteral("%1x%2 ").arg(size.width()).arg(size.height());
                longest.resize(size.width(), size.height() / 5);
                // An italic letter may touch a side; a letter cut there leaves its stem on it.
                const QImage line = rendered(longest);
                const int w = line.width(), h = line.height();
                QVERIFY2(inkIn(line, {0, 0, 1, h}) + inkIn(line, {w - 1, 0, 1, h}) < h / 8 &&
                        inkIn(line, {0, 0, w, 1}) + inkIn(line, {0, h - 1, w, 1}) == 0,
                    qPrintable(at + longest.text()));
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

    // Only changed digits are painted; on screen the time looks as a whole repaint draws it.
    void aPartialRepaintLooksLikeAWholeOne()
    {
        CountdownView view;
        view.setPalette(QPalette(Qt::black, Qt::white)); // the window's ground as rendered()'s
        view.resize(640, 240), view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto shows = [&view](const QStringList &times) {
            for (const QString &time : times) {
                Util::postNotification(
                    RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, COUNTDOWN_DEFAULT_KEY, time);
                QCoreApplication::processEvents();
            }
            return QTest::qWaitFor([&view] { return onScreen(view) == rendered(view); });
        };
        QVERIFY(shows({"0:59.9", "0:59.8", "0:58.7"}));
        view.resize(900, 300);
        QVERIFY(shows({"0:31.1", "0:31.0", "0:29.9"}));
        view.showFullScreen();
        QVERIFY(
            shows({"0:09.9", "0:09.4", "0:08.0"}) && shows({"10:00", "9:59", "0:59.9", "0:59.8"}));
    }

    // On a screen of another pixel ratio a text is drawn afresh, not scaled from the old one;
    // light on dark, each row of it gives off as much light as Qt's own drawing of it.
    void aTextIsDrawnAfreshForEachPixelRatioAndAsHeavyInAnyColour()
    {
        const auto drawn = [font = ResizableTextView().fontAttributes(100)](
                               TextSprite *sprite, qreal ratio, const QColor &ink = Qt::black) {
            QImage image(QSize(900, 150) * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(ink == Qt::black ? Qt::white : Qt::black);
            QPainter painter(&image);
            painter.setFont(font), painter.setPen(ink);
            sprite
                ? sprite->draw(painter, {10, 120}, "Fall 1901 0:59.9", font, ink, {0, 0, 900, 150})
                : painter.drawText(QPointF(10, 120), "Fall 1901 0:59.9");
            return image;
        };
        TextSprite seen, fresh, onDark;
        drawn(&seen, 1);
        QCOMPARE(drawn(&seen, 2), drawn(&fresh, 2));
        const QImage composed = drawn(&onDark, 1, Qt::white), direct = drawn(nullptr, 1, Qt::white);
        for (int y = 0; y < direct.height(); ++y) {
            qint64 given = 0, expected = 0;
            for (int x = 0; x < direct.width(); ++x)
                given += qGray(composed.pixel(x, y)), expected += qGray(direct.pixel(x, y));
            QVERIFY2(qAbs(given - expected) <= expected / 200 + 255,
                qPrintable(
                    QStringLiteral("row %1: %2 against %3").arg(y).arg(given).arg(expected)));
        }
    }

    void bannerScrollsThroughWholeBeforeWrapping()
    {
        PreferenceStore::setPreferenceMarquisText("Stored");
        MeasuredView<ScrollingView> banner;
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
        for (int step = 0; step < 25; ++step)
            banner.movePoint(), QCoreApplication::processEvents();
        QTRY_COMPARE(onScreen(banner), rendered(banner));
    }

private:
    CountdownTimer &timer() const { return _app->delegate.timer(); }

    // Starts the application again on the same store `seconds` later, as after a crash.
    void restart(double seconds)
    {
        _viewer.reset();
        _app.reset();
        elapsed += seconds;
        _app = std::make_unique<AppUnderTest>();
        _app->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&_app->window));
        if (PreferenceController::intPreference(CVLViewerEnabledKey))
            connectViewer();
    }
    // A viewer, once the server listens: it starts on a thread of its own.
    void connectViewer()
    {
        QTRY_VERIFY(!_app->viewers.service().address().isEmpty());
        QVERIFY(_viewer.emplace(PreferenceController::intPreference(CVLViewerPortKey)).waitFor(1));
    }
    // A key on the window that shows the clock ("Shift+Left"), New Game answered ("Ctrl+N Esc"),
    // a remote command, a preferences control set (a button pressed), or a restart so late.
    void act(const QString &step)
    {
        const QStringList words = step.split(' ');
        if (words[0] == "remote") {
            // Spaced as a referee's thumb would be: more are refused as too fast.
            QTest::qWait(1000 / PinGuard::maxCommandsPerSecond + 10);
            const QJsonObject sent{{"type", "command"}, {"command", words[1]}, {"pin", "2468"}};
            QCOMPARE(_viewer->ask(sent).value("type").toString(), "done");
        } else if (words[0] == "set") {
            pressOnClock(Qt::ControlModifier | Qt::Key_Comma); // the preferences, opened by keys
            QWidget *window = _app->appController.preferenceController()->window();
            QVERIFY(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
            enter(window->findChild<QWidget *>(words[1]), words.mid(2).join(' '));
            QTest::keyClick(window, Qt::Key_Escape);
        } else if (words[0] == "down") {
            restart(words[1].toDouble());
        } else if (words[0] == "Ctrl+N") {
            QTimer answerer; // answers once the box is up
            connect(&answerer, &QTimer::timeout, this, [&] {
                if (QWidget *box = QApplication::activeModalWidget())
                    QTest::keyClick(box, QKeySequence(words[1])[0].key());
            });
            answerer.start(10);
            pressOnClock(Qt::ControlModifier | Qt::Key_N);
        } else {
            pressOnClock(QKeySequence(step)[0]);
        }
    }
    // As the operator does: typed into a field or a spin box, chosen from a list, or a button
    // clicked on itself (a check box wider than its label takes no click beside the label).
    static void enter(QWidget *control, const QString &text)
    {
        if (qobject_cast<QAbstractButton *>(control))
            return QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, control->height() / 2));
        if (auto *list = qobject_cast<QComboBox *>(control)) {
            list->setCurrentIndex(list->findText(text));
            return list->activated(list->currentIndex());
        }
        QMetaObject::invokeMethod(control, "selectAll");
        QTest::keyClicks(control, '\b' + text + '\r');
    }
    static QString shown(const QWidget *control)
    {
        for (const char *property : {"checked", "currentData", "cleanText", "text"})
            if (const QVariant value = control->property(property); value.isValid())
                return value.toString();
        return {};
    }
    void pressOnClock(QKeyCombination keys)
    {
        QWidget *clock = _app->delegate.clockWindow();
        clock->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(clock));
        QTest::keyClick(clock, keys.key(), keys.keyboardModifiers());
    }
    void expectAllAgree(const QString &clock, const QString &phase)
    {
        QCOMPARE(timer().description(), clock);
        QCOMPARE(_app->window.countdownView()->text(), timer().displayTime());
        QTRY_COMPARE(_app->window.phaseView()->text(), phase);
        // The band and the next line follow the clock, as the pages do.
        auto *band = _app->window.display()->findChild<ProgressBand *>();
        const double gone = std::clamp(1 - timer().secondsLeft() / timer().phaseSeconds(), 0., 1.);
        QVERIFY(band->isVisible() && qAbs(band->progress() - gone) < 1e-3);
        QJsonObject seen;
        const auto viewerAgrees = [&] {
            for (const QJsonObject &message : _viewer->messages)
                for (const QString &key : message.keys())
                    seen[key] = message[key];
            return seen["time"] == timer().displayTime() && seen["phase"] == phase &&
                seen["running"] == timer().isRunning() &&
                seen["seconds"] == timer().secondsLeft() &&
                seen["lang"] == Translations::current() &&
                seen["banner"] == PreferenceController::preferenceMarquisText() &&
                seen["next"] ==
                _app->window.display()->findChild<ResizableTextView *>("nextPhaseView")->text();
        };
        QVERIFY2(QTest::qWaitFor(viewerAgrees, 5000), QJsonDocument(seen).toJson());
        QJsonObject saved =
            QJsonDocument::fromJson(TemporaryStore::read(GameStateFile::besidePreferences()))
                .object();
        saved.remove("savedAt");
        const Phase &now = timer().phase();
        QCOMPARE(saved,
            QJsonObject({{"season", now.season()}, {"year", now.year()},
                {"orders", now.isInOrderWriting()}, {"secondsLeft", timer().secondsLeft()},
                {"running", timer().isRunning()}, {"startedAt", double(timer().gameStartedAt())}}));
    }

    std::optional<TemporaryStore> _store;
    std::unique_ptr<AppUnderTest> _app;
    std::optional<ViewerClient> _viewer;
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
