// The device jobs without a window: the settings write (serial number, backup, write, verify) and
// the library upload, each holding its transactions on a real link to the emulator, each failure
// told once, through the failure reporter, in a scripted box.

#include "base/cmyhexrecord.h"
#include "device/cmytamira.h"
#include "jobs/cmybackupstore.h"
#include "jobs/cmyfailurereporter.h"
#include "jobs/cmylibraryupload.h"
#include "jobs/cmysettingswriter.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/waituntil.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// Lines before the job's own: the status read of the port choice.
constexpr int kStatus = 93;
// The settings write's steps: serial number, backup, write, verify.
constexpr int kSerial = 6, kTransfer = 69;

enum Act { Nothing, FolderIsAFile, CancelAtHold, PortBusy };

bool attach(cMyEmulatorProcess &emu, cMyTamira &link)
{
    if (!emu.start())
        return false;
    link.setFirstStatusDelay(0);
    link.setReplyTimeout(1000);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    return status.wait(10000) && waitUntil([&] { return !link.isBusy(); });
}

} // namespace

class tst_Jobs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init()
    {
        QDir(cMyBackupStore::folder()).removeRecursively();
        QFile::remove(cMyBackupStore::folder());
    }
    void settingsWrite_data();
    void settingsWrite();
    void libraryUpload_data();
    void libraryUpload();

private:
    QTemporaryDir m_dir;
    QObject m_window; // the boxes' parent, as a window would be
};

void tst_Jobs::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    QStandardPaths::setTestModeEnabled(true);
}

void tst_Jobs::settingsWrite_data()
{
    QTest::addColumn<QStringList>("emulator");
    QTest::addColumn<int>("act");
    QTest::addColumn<bool>("completed");
    QTest::addColumn<QString>("box");     // the one box; %1 the backup's path
    QTest::addColumn<bool>("windowsBox"); // parented to the job's window, not the link's own
    QTest::addColumn<bool>("written");    // the device was sent "#WRITE"

    const int write = kStatus + kSerial + kTransfer; // the write's first line
    const QString note = "\nTamira may now hold incomplete settings; write them again.\n"
                         "Backup of the previous settings: %1";
    QTest::newRow("sound device") << QStringList() << int(Nothing) << true << QString() << false << true;
    QTest::newRow("busy port") << QStringList() << int(PortBusy) << false
                               << "Tamira's port is busy: the program is reading Tamira's status.\n"
                                  "Wait until it has finished and try again.\nNothing was written to Tamira."
                               << false << false;
    QTest::newRow("no folder for the backup")
        << QStringList() << int(FolderIsAFile) << false
        << "The backup of Tamira's settings cannot be saved: the folder %1 cannot be created.\n"
           "Nothing was written to Tamira."
        << true << false;
    QTest::newRow("silent during the write")
        << QStringList{"--silent-after", QString::number(write + 10)} << int(Nothing) << false
        << "Tamira does not answer." + note << false << true;
    QTest::newRow("worn cell at 0x0200")
        << QStringList{"--corrupt-store", "0x200"} << int(Nothing) << false
        << "Verification failed: the byte at address 0x0200 in Tamira differs from the one written.\n"
           "Backup of the previous settings: %1"
        << true << true;
    QTest::newRow("cancelled during the backup") << QStringList{"--hold", QString::number(kStatus + kSerial + 10)}
                                                 << int(CancelAtHold) << false << QString() << false << false;
    QTest::newRow("cancelled during the write")
        << QStringList{"--hold", QString::number(write + 10)} << int(CancelAtHold) << false
        << "The write to Tamira was cancelled." + note << true << true;
}

void tst_Jobs::settingsWrite()
{
    QFETCH(QStringList, emulator);
    QFETCH(int, act);
    QFETCH(bool, completed);
    QFETCH(QString, box);
    QFETCH(bool, windowsBox);
    QFETCH(bool, written);
    // The device holds other settings than the ones written: every byte differs.
    cMyMemoryArea device, mine;
    for (quint32 a = 0; a < 1024; ++a) {
        device.setData(a, quint8(a * 7));
        mine.setData(a, quint8(a * 7 + 1));
    }
    const QString eeprom = m_dir.filePath("device.tmo");
    QVERIFY(cMySettingsFile::write(eeprom, device));
    cMyEmulatorProcess emu(QStringList{"--serial", "4660", "--eeprom", eeprom} + emulator);
    cMyTamira link;
    QVERIFY2(attach(emu, link), qPrintable(emu.errorString()));
    if (act == FolderIsAFile) {
        QVERIFY(QDir().mkpath(QFileInfo(cMyBackupStore::folder()).path()));
        QFile file(cMyBackupStore::folder());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    cMyScriptedDialogs dialogs;
    if (!box.isEmpty())
        dialogs.expectMessage(cMyDialogs::Ok, "Error");
    cMyFailureReporter reporter(&link);
    cMySettingsWriter writer(&link, &m_window);
    reporter.watch(&writer);
    QSignalSpy finished(&writer, &cMyDeviceJob::finished);
    QSignalSpy progress(&writer, &cMyDeviceJob::progress);
    if (act == PortBusy)
        link.readStatus();
    writer.start(mine.toHexLines(0, 1024, 16));
    if (act == CancelAtHold) {
        QVERIFY(waitUntil([&] { return emu.stateFigure("held") == 1; }));
        writer.cancel();
        QCOMPARE(emu.release(), 1);
    }
    QVERIFY(waitUntil([&] { return !finished.isEmpty() && !link.isBusy() && dialogs.clean(); }));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), completed);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    if (!box.isEmpty()) {
        QCOMPARE(dialogs.asked().size(), 1);
        const QString path =
            QDir::toNativeSeparators(act == FolderIsAFile ? cMyBackupStore::folder() : writer.backupPath());
        QCOMPARE(dialogs.asked().first().text, box.contains("%1") ? box.arg(path) : box);
        QCOMPARE(dialogs.asked().first().parent, windowsBox ? &m_window : nullptr);
    }
    QCOMPARE(emu.receivedLines().contains("#WRITE\r\n"), written);
    if (written) {
        // Nothing is written before the backup of what the device held is on disk.
        cMyMemoryArea backup;
        QVERIFY(cMySettingsFile::read(writer.backupPath(), backup));
        QCOMPARE(backup.readBytes(0, 1024), device.readBytes(0, 1024));
    }
    if (completed)
        QCOMPARE(progress.last(), (QVariantList{kSerial + 3 * kTransfer, kSerial + 3 * kTransfer}));
}

void tst_Jobs::libraryUpload_data()
{
    QTest::addColumn<QString>("memory"); // MB
    QTest::addColumn<QString>("box");
    QTest::newRow("fits") << "1" << QString();
    QTest::newRow("no memory") << "0"
                               << "The library does not fit into Tamira's memory: it reaches up to 65536 B, and the "
                                  "memory has 0 MB (0 B).\nThe sound library was not sent.";
}

void tst_Jobs::libraryUpload()
{
    QFETCH(QString, memory);
    QFETCH(QString, box);
    // A library that names its language and version after two records of sound.
    const QStringList library{
        ":020000040000FA",
        cMyHexRecord(0x0000, QVector<quint8>(16, 1)).toString(),
        cMyHexRecord(0x0010, QVector<quint8>(16, 2)).toString(),
        cMyHexRecord(0xFFE0, QVector<quint8>{'S', 'u', 'o', 'm', 'i', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).toString(),
        cMyHexRecord(0xFFFC, QVector<quint8>{3, 4, 5, 6}).toString(),
        ":00000001FF"};
    const QString path = m_dir.filePath("library.tma");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(library.join('\n').toLatin1()) > 0);
    file.close();
    cMyEmulatorProcess emu({"--memory", memory});
    cMyTamira link;
    QVERIFY2(attach(emu, link), qPrintable(emu.errorString()));

    cMyScriptedDialogs dialogs;
    if (!box.isEmpty())
        dialogs.expectMessage(cMyDialogs::Ok, "Error");
    cMyFailureReporter reporter(&link);
    cMyLibraryUpload upload(&link, &m_window);
    reporter.watch(&upload);
    QSignalSpy finished(&upload, &cMyDeviceJob::finished);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy progress(&upload, &cMyDeviceJob::progress);
    upload.start(path);
    QVERIFY(waitUntil([&] { return !finished.isEmpty() && dialogs.clean(); }));
    QCOMPARE(finished.first().first().toBool(), box.isEmpty());
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    const QList<QByteArray> sent = emu.receivedLines().mid(2 * kStatus);
    if (!box.isEmpty()) {
        QCOMPARE(dialogs.asked().first().text, box);
        QCOMPARE(dialogs.asked().first().parent, &m_window);
        QVERIFY(sent.isEmpty());
        return;
    }
    // The status, the library as it stands in the file, the status again: the new language.
    QList<QByteArray> lines{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#WRITE\r\n"};
    for (const QString &l : library)
        lines << l.toLatin1() + "\r\n";
    QCOMPARE(sent.mid(0, lines.size()), lines);
    QCOMPARE(sent.size(), lines.size() + kStatus);
    QCOMPARE(status.size(), 2);
    QCOMPARE(status.last().first().toStringList().at(7), QString("Suomi"));
    QCOMPARE(progress.last(), (QVariantList{2 * kStatus + 4 + 6, 2 * kStatus + 4 + 6}));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTranslator translator;
    if (!installEnglishCatalogue(translator))
        qFatal("the English catalogue is missing from the resources");
    tst_Jobs tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_jobs.moc"
