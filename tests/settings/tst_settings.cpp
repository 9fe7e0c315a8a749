#include "AppController.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QtTest>

using Prefs = PreferenceController;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void valuesAreOnDiskWhenTheSetterReturnsAndOutliveTheRun()
    {
        QCOMPARE(Prefs::preferenceSpringMinutes(), 10);
        QCOMPARE(Prefs::preferenceOrderWritingMinutes(), 1);
        QVERIFY(Prefs::preferenceIsDropDead());
        QCOMPARE(Prefs::intPreference("no.such.key"), 0);
        QVERIFY(!QFile::exists(_store->path()));
        QVERIFY(Prefs::setPreferenceSpringMinutes(-5));
        QVERIFY(Prefs::setPreferenceIsDropDead(false));
        QVERIFY(Prefs::setPreferenceMarquisText("Round 3 = finals; 50% off, \"ok\"\nä"));
        QCOMPARE(_store->fileContents(),
            "[General]\ndefaults.marquisText=\"Round 3 = finals; 50% off, \\\"ok\\\"\\nä\"\n"
            "defaults.springMinutes=-5\ndefaults.useOrderWriting=1\n");

        // A later run: a file nobody in this process has opened, the defaults registered again.
        const QString contents = _store->fileContents();
        _store.reset();
        _store = std::make_unique<TemporaryStore>();
        _store->writeFile(contents.toUtf8());
        Prefs::initialize();
        QCOMPARE(Prefs::preferenceSpringMinutes(), -5);
        QVERIFY(Prefs::preferenceUseOrderWriting());
        QCOMPARE(Prefs::preferenceMarquisText(), "Round 3 = finals; 50% off, \"ok\"\nä");
        QVERIFY(Prefs::setPreferenceMarquisText(QString()));
        QCOMPARE(Prefs::preferenceMarquisText(), "");
        // A hand-written text with commas is read whole.
        _store->writeFile("[General]\ndefaults.marquisText=Welcome, players,all\n");
        QCOMPARE(Prefs::preferenceMarquisText(), "Welcome, players, all");
    }

    void damagedValuesFallBackToTheDefaults()
    {
        const QList<QPair<QByteArray, int>> readAs{{"ten", 10}, {"", 10}, {"3, 4", 10}, {"nan", 10},
            {"@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)", 10}, {" 12 ", 12}, {"12.7", 12}, {"true", 1},
            {"99999999999", std::numeric_limits<int>::max()}};
        for (const auto &[stored, minutes] : readAs) {
            _store.reset(); // a file of its own, out of QSettings' cache
            _store = std::make_unique<TemporaryStore>();
            _store->writeFile("[General]\ndefaults.springMinutes=" + stored + "\n");
            QCOMPARE(Prefs::preferenceSpringMinutes(), minutes);
        }
    }

    void unsavedValuesStayInForceUntilAWriteSucceeds()
    {
        // A garbage file is rewritten, and that is a save.
        _store->writeFile(QByteArray("\x00\x01garbage\xff[[\n", 14));
        QVERIFY(Prefs::setPreferenceFallMinutes(12));
        QCOMPARE(
            QSettings(_store->path(), QSettings::IniFormat).value(CVLDefaultsFallMinutesKey), 12);

        _store->makeFolderUnwritable();
        const QString unwritable = Prefs::storePath();
        QVERIFY(!Prefs::setPreferenceSpringMinutes(3));
        QVERIFY(!Prefs::setPreferenceMarquisText("Kept for now"));
        QCOMPARE(Prefs::preferenceSpringMinutes(), 3);
        QCOMPARE(Prefs::preferenceMarquisText(), "Kept for now");
        QCOMPARE(Prefs::preferenceFallMinutes(), 10);

        QFile::remove(_store->path());
        QDir().mkpath(_store->path());
        QVERIFY(Prefs::setPreferenceFallMinutes(7));
        const QSettings saved(unwritable, QSettings::IniFormat);
        QCOMPARE(saved.value(CVLDefaultsSpringMinutesKey), 3);
        QCOMPARE(saved.value(CVLDefaultsMarquisTextKey), "Kept for now");
    }

    void storeLivesInTheUserConfigFolder()
    {
        _store.reset();
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "/srv/referee/config");
        QCOMPARE(Prefs::storePath(), "/srv/referee/config/Corvelworks/MervaneTimer.conf");
        qputenv("XDG_CONFIG_HOME", saved);
    }

    void killedWriterLeavesAReadableFile()
    {
        // Killed at random points, some writers leave their lock file behind as well.
        for (int round = 0; round < 10; ++round) {
            QProcess writer;
            writer.start(
                QCoreApplication::applicationDirPath() + "/preferencewriter", {_store->path()});
            QVERIFY(writer.waitForReadyRead(10000));
            writer.kill();
            QVERIFY(writer.waitForFinished());

            QSettings file(_store->path(), QSettings::IniFormat);
            QCOMPARE(file.status(), QSettings::NoError);
            const int spring = file.value(CVLDefaultsSpringMinutesKey).toInt();
            QVERIFY(spring > 0);
            QVERIFY(file.value(CVLDefaultsFallMinutesKey).toInt() >= spring - 1);
            QVERIFY(file.value(CVLDefaultsMarquisTextKey).toString().startsWith("Board "));
        }
    }

    void windowShowsTheValuesInForceAndStoresEdits()
    {
        Prefs::setPreferenceSpringMinutes(15);
        AppController app;
        app.showPreferencePanel();
        PreferenceController &controller = *app.preferenceController();
        QVERIFY(controller.window()->isVisible());
        QCOMPARE(controller.springMinutesTextField()->text(), "15");
        QCOMPARE(controller.orderWritingMinutesTextField()->text(), "1");
        QCOMPARE(controller.marquisTextField()->text(), Prefs::preferenceMarquisText());
        QVERIFY(!controller.orderWritingCheckBox()->isChecked());
        controller.window()->close();
        Prefs::setPreferenceFallMinutes(7);
        app.showPreferencePanel();
        QCOMPARE(app.preferenceController(), &controller);
        QCOMPARE(controller.fallMinutesTextField()->text(), "7");

        // The check box stores at once; mixed counts as on.
        QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
        QVERIFY(_store->fileContents().contains("defaults.useOrderWriting=1\n"));
        QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
        QVERIFY(Prefs::preferenceIsDropDead());
        controller.orderWritingCheckBox()->setTristate(true);
        controller.orderWritingCheckBox()->setCheckState(Qt::PartiallyChecked);
        controller.toggleOrderWriting();
        QVERIFY(Prefs::preferenceUseOrderWriting());
        edit(controller.springMinutesTextField(), " 25 ");
        edit(controller.marquisTextField(), "Finals at three");
        QCOMPARE(Prefs::preferenceSpringMinutes(), 25);
        QCOMPARE(Prefs::preferenceMarquisText(), "Finals at three");

        // Minutes that are not whole are refused beside the field; the stored value stays.
        auto *message = controller.window()->findChild<QLabel *>("fallMessage");
        for (const char *refused : {"twelve", "2.5"}) {
            edit(controller.fallMinutesTextField(), refused);
            QCOMPARE(Prefs::preferenceFallMinutes(), 7);
            QVERIFY(message->isVisible() && !message->text().isEmpty());
        }
        edit(controller.fallMinutesTextField(), "14");
        QCOMPARE(Prefs::preferenceFallMinutes(), 14);
        QVERIFY(message->text().isEmpty());
    }

private:
    static void edit(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::unique_ptr<TemporaryStore> _store;
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
