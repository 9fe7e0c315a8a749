#include "AppController.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestPreferenceWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void oneControllerAndWindowForEveryRequest();
    void fieldsShowTheValuesInForceEachTime();
    void checkBoxStoresAtOnce_data();
    void checkBoxStoresAtOnce();
    void editedFieldsAreStoredWhenTheEditEnds();
    void refusedEntryKeepsTheStoredValue();
    void unwritableSettingsAreReported();

private:
    static void edit(QLineEdit *field, const QString &text);
    std::unique_ptr<TemporaryStore> _store;
};

void TestPreferenceWindow::edit(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void TestPreferenceWindow::oneControllerAndWindowForEveryRequest()
{
    AppController app;
    QVERIFY(!app.preferenceController());
    app.showPreferencePanel();
    PreferenceController *controller = app.preferenceController();
    QWidget *window = controller->window();
    QVERIFY(window->isVisible());
    window->close();
    app.showPreferencePanel();
    QCOMPARE(app.preferenceController(), controller);
    QCOMPARE(controller->window(), window);
    QVERIFY(window->isVisible());
}

void TestPreferenceWindow::fieldsShowTheValuesInForceEachTime()
{
    PreferenceController::setPreferenceSpringMinutes(15);
    PreferenceController::setPreferenceUseOrderWriting(true);
    PreferenceController controller;
    controller.showWindow();
    QCOMPARE(controller.springMinutesTextField()->text(), "15");
    QCOMPARE(controller.fallMinutesTextField()->text(), "10");
    QCOMPARE(controller.orderWritingMinutesTextField()->text(), "1");
    QCOMPARE(controller.marquisTextField()->text(),
        "$Id: PreferenceController 41 2012-02-12 23:11:49Z corvel $");
    QVERIFY(controller.orderWritingCheckBox()->isChecked());
    controller.window()->close();
    PreferenceController::setPreferenceFallMinutes(7);
    controller.showWindow();
    QCOMPARE(controller.fallMinutesTextField()->text(), "7");
}

void TestPreferenceWindow::checkBoxStoresAtOnce_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("stored");
    QTest::newRow("on") << int(Qt::Checked) << "1";
    QTest::newRow("off") << int(Qt::Unchecked) << "0";
    QTest::newRow("mixed counts as on") << int(Qt::PartiallyChecked) << "1";
}

void TestPreferenceWindow::checkBoxStoresAtOnce()
{
    QFETCH(int, state);
    QFETCH(QString, stored);
    PreferenceController controller;
    controller.showWindow();
    controller.orderWritingCheckBox()->setTristate(true);
    controller.orderWritingCheckBox()->setCheckState(Qt::CheckState(state));
    controller.toggleOrderWriting();
    QVERIFY(_store->fileContents().contains("defaults.useOrderWriting=" + stored + "\n"));
}

void TestPreferenceWindow::editedFieldsAreStoredWhenTheEditEnds()
{
    PreferenceController controller;
    controller.showWindow();
    QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
    QVERIFY(PreferenceController::preferenceUseOrderWriting());
    edit(controller.springMinutesTextField(), " 25 ");
    edit(controller.orderWritingMinutesTextField(), "0");
    edit(controller.marquisTextField(), "Finals at three");
    QVERIFY(_store->fileContents().contains("defaults.springMinutes=25\n"));
    QCOMPARE(PreferenceController::preferenceOrderWritingMinutes(), 0);
    QCOMPARE(PreferenceController::preferenceMarquisText(), "Finals at three");
}

void TestPreferenceWindow::refusedEntryKeepsTheStoredValue()
{
    PreferenceController::setPreferenceFallMinutes(12);
    PreferenceController controller;
    controller.showWindow();
    edit(controller.fallMinutesTextField(), "twelve");
    QCOMPARE(PreferenceController::preferenceFallMinutes(), 12);
    auto *message = controller.window()->findChild<QLabel *>("fallMessage");
    QVERIFY(message->isVisible());
    QVERIFY(!message->text().isEmpty());
    edit(controller.fallMinutesTextField(), "2.5");
    QCOMPARE(PreferenceController::preferenceFallMinutes(), 12);
    edit(controller.fallMinutesTextField(), "14");
    QCOMPARE(PreferenceController::preferenceFallMinutes(), 14);
    QVERIFY(message->text().isEmpty());
}

void TestPreferenceWindow::unwritableSettingsAreReported()
{
    QFile blocker(QFileInfo(_store->path()).absolutePath() + "/blocker");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PreferenceController::setStorePath(blocker.fileName() + "/MervaneTimer.conf");
    PreferenceController controller;
    controller.showWindow();
    auto *message = controller.window()->findChild<QLabel *>("saveMessage");
    QVERIFY(message->text().isEmpty());
    edit(controller.springMinutesTextField(), "30");
    QVERIFY(message->text().contains("Could not save"));
    QVERIFY(message->isVisible());
}

QTEST_MAIN(TestPreferenceWindow)
#include "tst_preferencewindow.moc"
