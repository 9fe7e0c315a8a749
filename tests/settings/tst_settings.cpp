// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemporaryStore.h"

#include <QtTest>

#include <cstdio>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using Prefs = PreferenceStore;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { _store.emplace(); }

    void valuesOutliveTheRunAndHandWrittenOnesAreReadWithCare()
    {
        const QString text = QStringLiteral("Round 3 = finals; 50% off, \"ok\"\nä");
        QVERIFY(Prefs::setPreferenceSpringMinutes(-5) && Prefs::setPreferenceIsDropDead(false) &&
            Prefs::setPreferenceMarquisText(text));
        // A later run: a file nobody in this process has read, the defaults registered again.
        const QByteArray contents = _store->fileContents().toUtf8();
        _store.emplace().writeFile(contents);
        Prefs::initialize();
        QVERIFY(Prefs::preferenceSpringMinutes() == -5 && Prefs::preferenceUseOrderWriting());
        QCOMPARE(Prefs::preferenceMarquisText(), text);
        // The file removed under the running clock: the defaults are in force at once, and the
        // next save writes what was set since, not the old values.
        QVERIFY(QFile::remove(_store->path()));
        QVERIFY(Prefs::preferenceSpringMinutes() == 10 && !Prefs::preferenceUseOrderWriting());
        QVERIFY(Prefs::setPreferenceFallMinutes(7) && !_store->fileContents().contains("spring"));
        QVERIFY(Prefs::setPreferenceMarquisText("") && Prefs::preferenceMarquisText().isEmpty());
        // By hand: a number that is none counts as absent; a text with commas is read whole,
        // and cut at the limit, never inside a character.
        const QString as(Prefs::maxMarquisTextLength - 2, 'a'),
            clock = QString::fromUtf8("\U0001F550");
        const QList<QPair<QString, QString>> readAs{{"springMinutes=ten", "10"},
            {"springMinutes= 12 ", "12"}, {"springMinutes=nan", "10"}, {"springMinutes=12.7", "12"},
            {"springMinutes=true", "1"}, {"springMinutes=99999999999", "2147483647"},
            {"marquisText=Welcome, players,all", "Welcome, players, all"},
            {"marquisText=a" + as + clock + "tail", "a" + as},
            {"marquisText=" + as + clock, as + clock}};
        for (const auto &[line, read] : readAs) {
            _store->writeFile(("[General]\ndefaults." + line + "\n").toUtf8());
            QCOMPARE(line.startsWith("spring") ? QString::number(Prefs::preferenceSpringMinutes())
                                               : Prefs::preferenceMarquisText(),
                read);
        }
        // A file that holds a PIN is its owner's alone, once read and once written.
        const QString path = _store->path();
        _store->writeFile("[General]\nviewer.pin=1357\n");
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(Prefs::textPreference(CVLViewerPinKey) == "1357" &&
            !(QFile::permissions(path) & QFile::ReadOther));
        QVERIFY(Prefs::setPreferenceSpringMinutes(12) &&
            !(QFile::permissions(path) & QFile::ReadOther));
    }

    void killedWritersLeaveAWholeFileAndNothingElse()
    {
        qint64 killed = 0;
        for (int round = 0; round < 10; ++round) {
            QProcess writer;
            writer.start(
                QCoreApplication::applicationFilePath(), {"probe", _store->path(), "write"});
            QVERIFY(writer.waitForReadyRead(10000));
            killed = writer.processId();
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QSettings file(_store->path(), QSettings::IniFormat);
            const int spring = file.value(CVLDefaultsSpringMinutesKey).toInt();
            QVERIFY(file.status() == QSettings::NoError && spring > 0 &&
                file.value(CVLDefaultsFallMinutesKey).toInt() >= spring - 1 &&
                file.value(CVLDefaultsMarquisTextKey).toString().startsWith("Board "));
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
        QVERIFY(readInProbe(_store->path()).toInt() > 0);
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList{"MervaneTimer.conf"});
    }

    void aFullDiskKeepsTheFileByteForByte()
    {
        const QString dir = QFileInfo(_store->path()).path();
        const QByteArray folder = QFile::encodeName(dir);
        if (::geteuid() != 0 || ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small file system needs root");
        const auto unmount = qScopeGuard([&] { ::umount(folder.constData()); });
        // A referee's file of just over one page.
        _store->writeFile("[General]\ndefaults.springMinutes=15\n\n[Referee]\nnotes=" +
            QByteArray(4100, 'n') + "\n");
        const QString before = _store->fileContents();
        // Fill the rest but two pages: room for a new file, not for the lock file that QSettings
        // puts beside it; QSettings then reports the write cut short as a success.
        QVERIFY(TemporaryStore::write(
            dir + "/filler", QByteArray(QStorageInfo(dir).bytesAvailable() - 8192, 'f')));

        QVERIFY(!Prefs::setPreferenceFallMinutes(13));
        QVERIFY(Prefs::saveProblem().contains("disk is full"));
        QCOMPARE(_store->fileContents(), before);
    }

    void specialFilesAreNeverOpenedAndNeverLost()
    {
        const QString fifo = _store->path() + ".fifo", big = _store->path() + ".big";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(TemporaryStore::write(
            big, "[General]\ndefaults.springMinutes=25\n" + QByteArray(2 << 20, '#')));
        const QList<QPair<QString, QString>> targets{{fifo, "not a regular file"},
            {"/dev/zero", "not a regular file"}, {QDir::tempPath(), "not a regular file"},
            {big, "larger than"}};
        for (const auto &[target, problem] : targets) {
            QFile::remove(_store->path());
            QVERIFY(QFile::link(target, _store->path()));
            const QString said = readInProbe(_store->path());
            QVERIFY2(said.endsWith("\n10") && said.count('\n') == 1 && said.contains(problem),
                qPrintable(said));
            QVERIFY(!Prefs::setPreferenceFallMinutes(13));
            QVERIFY(Prefs::saveProblem().startsWith("it is " + problem));
        }
        QVERIFY(QFileInfo(big).size() > 2 << 20 && !QFileInfo(fifo).isFile() &&
            QFileInfo(_store->path()).isSymLink());
    }

private:
    // What a reading probe says on both channels; one that blocks fails here, not by hanging.
    static QString readInProbe(const QString &path)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QCoreApplication::applicationFilePath(), {"probe", path, "read"});
        if (!process.waitForFinished(5000))
            return "blocked"; // and killed as `process` goes
        return QString::fromUtf8(process.readAll()).trimmed();
    }
    std::optional<TemporaryStore> _store;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // "tst_settings probe PATH read|write" uses the store at PATH in a process of its own: it
    // prints the Spring length, or says "writing" and writes until it is killed.
    if (argc == 4 && qstrcmp(argv[1], "probe") == 0) {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        Prefs::setStorePath(QString::fromLocal8Bit(argv[2]));
        for (int round = 1; qstrcmp(argv[3], "write") == 0; ++round) {
            Prefs::setPreferenceSpringMinutes(round);
            Prefs::setPreferenceFallMinutes(round);
            Prefs::setPreferenceMarquisText(QStringLiteral("Board %1").arg(round));
            if (round == 1)
                std::puts("writing");
        }
        return std::printf("%d\n", Prefs::preferenceSpringMinutes()) < 0;
    }
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
