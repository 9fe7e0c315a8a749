#include "CountdownView.h"
#include "NotificationNames.h"
#include "PhaseView.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"
#include "Util.h"

#include <QtTest>

class TestCountdownView : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheSpringLength();
    void measuresDigitsAsNines_data();
    void measuresDigitsAsNines();
    void timesOfOneShapeKeepOneSizeAndPlace();
    void phaseViewTakesPhaseTexts();
};

void TestCountdownView::startsWithTheSpringLength()
{
    TemporaryStore store;
    PreferenceController::setPreferenceSpringMinutes(25);
    CountdownView view;
    QCOMPARE(view.text(), "25:00");
    QCOMPARE(view.maxText(), "99:99");
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, COUNTDOWN_DEFAULT_KEY, "9:59");
    QCOMPARE(view.text(), "9:59");
}

void TestCountdownView::measuresDigitsAsNines_data()
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
    QTest::newRow("four-byte character kept whole") << "1234567\U0001F550"
                                                    << "9999999\U0001F550";
    QTest::newRow("four-byte character that does not fit") << "12345678\U0001F550"
                                                           << "99999999";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCountdownView::measuresDigitsAsNines()
{
    QFETCH(QString, text);
    QFETCH(QString, measured);
    CountdownView view;
    view.setText(text);
    QCOMPARE(view.maxText(), measured);
}

void TestCountdownView::timesOfOneShapeKeepOneSizeAndPlace()
{
    CountdownView view;
    view.resize(640, 240);
    QList<QPair<int, QPointF>> placements;
    for (const char *time : {"9:59", "5:00", "1:00"}) {
        view.setText(time);
        view.resetFontSize();
        view.center();
        placements.append({view.fontSize(), view.point()});
    }
    QCOMPARE(placements.at(1), placements.at(0));
    QCOMPARE(placements.at(2), placements.at(0));
    view.setText("0:59.9");
    view.resetFontSize();
    view.center();
    QVERIFY(view.point().x() < placements.at(0).second.x());
}

void TestCountdownView::phaseViewTakesPhaseTexts()
{
    PhaseView view;
    QCOMPARE(view.text(), "Spring 1901");
    Util::postNotification(RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, COUNTDOWN_DEFAULT_KEY, "9:59");
    Util::postNotification(
        RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME, PHASE_DEFAULT_KEY, "Spring (Orders) 1901");
    QCOMPARE(view.text(), "Spring (Orders) 1901");
}

QTEST_MAIN(TestCountdownView)
#include "tst_countdownview.moc"
