#include "AppController.h"
#include "PreferenceController.h"
#include "TemporaryStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using Prefs = PreferenceStore;

namespace {

QString probe()
{
    return QCoreApplication::applicationDirPath() + "/storeprobe";
}

// Runs the store in a process of its own; a store that blocks fails here, not by hanging.
QString runProbe(const QString &path, const QString &mode, QString *errors = nullptr)
{
    QProcess process;
    process.start(probe(), {path, mode});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return "blocked";
    }
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store = std::make_unique<TemporaryStore>(); }
    void cleanup() { _store.reset(); }

    void valuesOutliveTheRunAndDamagedOnesFallBack()
    {
        QCOMPARE(Prefs::preferenceSpringMinutes(), 10);
        QCOMPARE(Prefs::preferenceOrderWritingMinutes(), 1);
        QVERIFY(Prefs::preferenceIsDropDead());
        QVERIFY(Prefs::setPreferenceSpringMinutes(-5));
        QVERIFY(Prefs::setPreferenceIsDropDead(false));
        QVERIFY(Prefs::setPreferenceMarquisText("Round 3 = finals; 50% off, \"ok\"\nä"));

        // A later run: a file nobody in this process has read, the defaults registered again.
        const QByteArray contents = _store->fileContents().toUtf8();
        _store.reset();
        _store = std::make_unique<TemporaryStore>();
        _store->writeFile(contents);
        Prefs::initialize();
        QCOMPARE(Prefs::preferenceSpringMinutes(), -5);
        QVERIFY(Prefs::preferenceUseOrderWriting());
        QCOMPARE(Prefs::preferenceMarquisText(), "Round 3 = finals; 50% off, \"ok\"\nä");
        QVERIFY(Prefs::setPreferenceMarquisText(QString()));
        QCOMPARE(Prefs::preferenceMarquisText(), "");
        // A hand-written text with commas is read whole.
        _store->writeFile("[General]\ndefaults.marquisText=Welcome, players,all\n");
        QCOMPARE(Prefs::preferenceMarquisText(), "Welcome, players, all");

        const QList<QPair<QByteArray, int>> readAs{{"ten", 10}, {"", 10}, {"3, 4", 10}, {"nan", 10},
            {"@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)", 10}, {" 12 ", 12}, {"12.7", 12}, {"true", 1},
            {"99999999999", std::numeric_limits<int>::max()}};
        for (const auto &[stored, minutes] : readAs) {
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
        QVERIFY(Prefs::saveProblem().contains("not writable"));
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

    void killedWritersLeaveAWholeFileAndNothingElse()
    {
        qint64 killed = 0;
        for (int round = 0; round < 10; ++round) {
            QProcess writer;
            writer.start(probe(), {_store->path(), "write-loop"});
            QVERIFY(writer.waitForReadyRead(10000));
            killed = writer.processId();
            writer.kill();
            QVERIFY(writer.waitForFinished());

            QSettings file(_store->path(), QSettings::IniFormat);
            QCOMPARE(file.status(), QSettings::NoError);
            const int spring = file.value(CVLDefaultsSpringMinutesKey).toInt();
            QVERIFY(spring > 0);
            QVERIFY(file.value(CVLDefaultsFallMinutesKey).toInt() >= spring - 1);
            QVERIFY(file.value(CVLDefaultsMarquisTextKey).toString().startsWith("Board "));
        }
        // What a killed save leaves (its new file and that file's lock, or an old lock of the
        // store's own) goes at the next start.
        const QDir folder = QFileInfo(_store->path()).dir();
        const QString leftover = QStringLiteral("MervaneTimer.conf.save-%1-a1B2c3").arg(killed);
        for (const QString &name :
            {leftover, leftover + ".lock", QString("MervaneTimer.conf.lock")}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setFileTime(
                QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        }
        QCOMPARE(runProbe(_store->path(), "read").section(' ', 0, 0).toInt() > 0, true);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"MervaneTimer.conf"});
    }

    void aFullDiskKeepsTheFileByteForByte()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        QTemporaryDir mountPoint;
        const QByteArray point = QFile::encodeName(mountPoint.path());
        if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("this machine does not let tmpfs be mounted");
        const QString path = mountPoint.filePath("MervaneTimer.conf");
        Prefs::setStorePath(path);
        // A referee's file of just over one page.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\ndefaults.springMinutes=15\ndefaults.fallMinutes=12\n"
                   "defaults.useOrderWriting=1\n\n[Referee]\nnotes=" +
            QByteArray(4000, 'n') + "\n");
        file.close();
        const QByteArray before = contentsOf(path);
        // Fill the rest but two pages: room for a new file, not for the lock file that QSettings
        // puts beside it; QSettings then reports the write cut short as a success.
        QFile filler(mountPoint.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(1024, 'f')) == 1024 && filler.flush()) { }
        filler.close();
        QVERIFY(::truncate(QFile::encodeName(filler.fileName()).constData(),
                    QFileInfo(filler).size() - 8192) == 0);

        QVERIFY(!Prefs::setPreferenceFallMinutes(13));
        QVERIFY(Prefs::saveProblem().contains("disk is full"));
        QCOMPARE(Prefs::preferenceFallMinutes(), 13);
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(runProbe(path, "read"), "15 58");
        ::umount(point.constData());
    }

    void specialFilesAreNeverOpenedAndNeverLost()
    {
        const QString fifo = _store->path() + ".fifo";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString big = _store->path() + ".big";
        QFile bigFile(big);
        QVERIFY(bigFile.open(QIODevice::WriteOnly));
        bigFile.write("[General]\ndefaults.springMinutes=25\n");
        bigFile.write(QByteArray(2 * 1024 * 1024, '#'));
        bigFile.close();
        const QList<QPair<QString, QString>> targets{{fifo, "not a regular file"},
            {"/dev/zero", "not a regular file"}, {QDir::tempPath(), "not a regular file"},
            {big, "larger than"}};
        for (const auto &[target, problem] : targets) {
            QFile::remove(_store->path());
            QVERIFY(QFile::link(target, _store->path()));
            QString errors;
            QCOMPARE(runProbe(_store->path(), "read", &errors), "10 58");
            QCOMPARE(errors.count('\n'), 1);
            QVERIFY2(errors.contains(problem), qPrintable(errors));
            QVERIFY(runProbe(_store->path(), "save").startsWith("it is " + problem));
        }
        QCOMPARE(QFileInfo(big).size(), bigFile.size());
        QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo(_store->path()).isSymLink());
    }

    void bannerTextsAreCutAtTheLimit()
    {
        const int limit = Prefs::maxMarquisTextLength;
        QVERIFY(Prefs::setPreferenceMarquisText(QString(limit + 500, 'b')));
        QCOMPARE(Prefs::preferenceMarquisText(), QString(limit, 'b'));
        // Cut by hand-written file, never inside a character.
        const QString emoji = QString::fromUtf8("\U0001F550");
        _store->writeFile(
            ("[General]\ndefaults.marquisText=" + QString(limit - 1, 'a') + emoji + "tail\n")
                .toUtf8());
        QCOMPARE(Prefs::preferenceMarquisText(), QString(limit - 1, 'a'));
        _store->writeFile(
            ("[General]\ndefaults.marquisText=" + QString(limit - 2, 'a') + emoji + "\n").toUtf8());
        QCOMPARE(Prefs::preferenceMarquisText(), QString(limit - 2, 'a') + emoji);
    }

    void windowShowsTheValuesInForceAndStoresEdits()
    {
        Prefs::setPreferenceSpringMinutes(15);
        Prefs::setPreferenceUseOrderWriting(true);
        AppController app;
        app.showPreferencePanel();
        PreferenceController &controller = *app.preferenceController();
        QVERIFY(controller.window()->isVisible());
        QCOMPARE(controller.springMinutesTextField()->text(), "15");
        QCOMPARE(controller.orderWritingMinutesTextField()->text(), "1");
        QCOMPARE(controller.marquisTextField()->text(), Prefs::preferenceMarquisText());
        QVERIFY(controller.orderWritingCheckBox()->isChecked());
        controller.window()->close();
        Prefs::setPreferenceFallMinutes(7);
        Prefs::setPreferenceUseOrderWriting(false);
        app.showPreferencePanel();
        QCOMPARE(app.preferenceController(), &controller);
        QCOMPARE(controller.fallMinutesTextField()->text(), "7");
        QVERIFY(!controller.orderWritingCheckBox()->isChecked());

        // The check box stores at once; mixed counts as on.
        QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
        QVERIFY(Prefs::preferenceUseOrderWriting());
        QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
        QVERIFY(Prefs::preferenceIsDropDead());
        controller.orderWritingCheckBox()->setTristate(true);
        controller.orderWritingCheckBox()->setCheckState(Qt::PartiallyChecked);
        controller.toggleOrderWriting();
        QVERIFY(Prefs::preferenceUseOrderWriting());

        // The banner field takes no more than the limit, and says so.
        controller.marquisTextField()->selectAll();
        QTest::keyClicks(
            controller.marquisTextField(), QString(Prefs::maxMarquisTextLength + 5, 'z'));
        QCOMPARE(controller.marquisTextField()->text().size(), Prefs::maxMarquisTextLength);
        QVERIFY(
            controller.window()->findChild<QLabel *>("marquisMessage")->text().contains("2000"));

        // The sound controls store at once; the sound check asks for the zero cue.
        controller.volumeSpinBox()->setValue(35);
        QCOMPARE(Prefs::intPreference(CVLAudioVolumeKey), 35);
        QSignalSpy soundCheck(&controller, &PreferenceController::soundCheckRequested);
        QTest::mouseClick(controller.soundCheckButton(), Qt::LeftButton);
        QCOMPARE(soundCheck.count(), 1);
        QCOMPARE(controller.outputDeviceComboBox()->currentText(), "System default");

        // A failed save of any control says so, and names the file.
        _store->makeFolderUnwritable();
        auto *saveMessage = controller.window()->findChild<QLabel *>("saveMessage");
        QTest::mouseClick(controller.orderWritingCheckBox(), Qt::LeftButton);
        QVERIFY(saveMessage->text().contains(Prefs::storePath()));
        edit(controller.orderWritingMinutesTextField(), "6");
        QCOMPARE(Prefs::preferenceOrderWritingMinutes(), 6);
        QVERIFY(saveMessage->text().contains("not writable"));
    }

    void everyFieldStoresWhatItMayAndSaysWhyNot()
    {
        AppController app;
        app.showPreferencePanel();
        QWidget *window = app.preferenceController()->window();
        struct Row
        {
            const char *field;
            QString entry;
            const char *key;
            QVariant stored; // the value in force afterwards
            QString message; // what the field's message starts with; empty: none
        };
        const QList<Row> rows{
            {"springMinutesTextField", " 25 ", CVLDefaultsSpringMinutesKey, 25, ""},
            {"springMinutesTextField", "twelve", CVLDefaultsSpringMinutesKey, 25, "Whole minutes"},
            {"fallMinutesTextField", "2.5", CVLDefaultsFallMinutesKey, 10, "Whole minutes"},
            {"fallMinutesTextField", "99999999999", CVLDefaultsFallMinutesKey, 10, "From "},
            {"fallMinutesTextField", "0", CVLDefaultsFallMinutesKey, 0, "0 minutes: the phase"},
            {"fallMinutesTextField", "9", CVLDefaultsFallMinutesKey, 9, ""},
            {"orderWritingMinutesTextField", "4", CVLDefaultsOrderWritingMinutesKey, 4, ""},
            {"marquisTextField", "Finals at three", CVLDefaultsMarquisTextKey, "Finals at three",
                ""},
            {"lastYearTextField", "1907", CVLDefaultsLastYearKey, 1907, ""},
            {"lastYearTextField", "-1", CVLDefaultsLastYearKey, 1907, "A game-year"},
            {"lastYearTextField", "0", CVLDefaultsLastYearKey, 0, ""},
            {"viewerPortTextField", "0", CVLViewerPortKey, 8080, "A port from 1 to 65535"},
            {"viewerPortTextField", "65536", CVLViewerPortKey, 8080, "A port from 1 to 65535"},
            {"viewerPortTextField", "65535", CVLViewerPortKey, 65535, ""},
            {"viewerPortTextField", "1", CVLViewerPortKey, 1, ""},
            {"viewerPinTextField", "123", CVLViewerPinKey, "", "4 to 8 digits"},
            {"viewerPinTextField", "123456789", CVLViewerPinKey, "12345678", ""}, // cut at 8
            {"viewerPinTextField", "12a4", CVLViewerPinKey, "12345678", "4 to 8 digits"},
            {"viewerPinTextField", "1234", CVLViewerPinKey, "1234", ""},
            {"viewerPinTextField", "", CVLViewerPinKey, "", ""}};
        for (const Row &row : rows) {
            auto *field = window->findChild<QLineEdit *>(row.field);
            edit(field, row.entry);
            const QString context = QStringLiteral("%1 '%2'").arg(row.field, row.entry);
            const QVariant stored = row.stored.typeId() == QMetaType::Int
                ? QVariant(Prefs::intPreference(row.key))
                : QVariant(Prefs::textPreference(row.key));
            QVERIFY2(stored == row.stored, qPrintable(context + ": " + stored.toString()));
            const QString name = QString(row.field)
                                     .replace("MinutesTextField", "Message")
                                     .replace("TextField", "Message");
            const QString message = window->findChild<QLabel *>(name)->text();
            QVERIFY2(row.message.isEmpty() ? message.isEmpty() : message.startsWith(row.message),
                qPrintable(context + ": " + message));
        }
    }

private:
    static void edit(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::unique_ptr<TemporaryStore> _store;
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
