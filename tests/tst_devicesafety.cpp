// The device commands when things go wrong, against the emulator: cut-off transfers, a modal box
// under a read, a write's backup and verification, libraries that cannot be taken.

#include "cmybackupstore.h"
#include "cmyemulatorprocess.h"
#include "cmyhexrecord.h"
#include "cmymemoryarea.h"
#include "cmyscripteddialogs.h"
#include "cmysettingsfile.h"
#include "cmytamira.h"
#include "mainwindow.h"
#include "portdiscovery.h"
#include "tamiratestapp.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// Lines before a settings write's first line: the status read of the port choice (93), the
// serial number (6) and the backup (69).
constexpr int kBeforeWrite = 93 + 6 + 69;

SerialPortEntry tamiraPort(const QString &path)
{
    return SerialPortEntry{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira};
}

bool attach(MainWindow &w, const QString &path)
{
    PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path)}; });
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    return status.wait(10000);
}

QProgressDialog *visibleProgress(MainWindow &w)
{
    auto *dialog = w.findChild<QProgressDialog *>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

} // namespace

class tst_DeviceSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readCompletesUnderAModalBox();
    void cutOffTransferToldOnce_data();
    void cutOffTransferToldOnce();
    void verifyNamesTheFirstDifference_data();
    void verifyNamesTheFirstDifference();
    void backupBeforeTheFirstRecord();
    void libraryChecks_data();
    void libraryChecks();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QTemporaryDir dir;
    QString writeFile(const QString &name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }
};

void tst_DeviceSafety::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    QStandardPaths::setTestModeEnabled(true);
}

void tst_DeviceSafety::init()
{
    QDir(cMyBackupStore::folder()).removeRecursively();
    dialogs.reset(new cMyScriptedDialogs);
}

void tst_DeviceSafety::cleanup()
{
    PortDiscovery::setSource({});
    // The dialogs go before the check can return, or the next test's would be uninstalled.
    const bool clean = dialogs->clean();
    const QString report = dialogs->report();
    dialogs.reset();
    QVERIFY2(clean, qPrintable(report));
}

void tst_DeviceSafety::readCompletesUnderAModalBox()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    cMyTamira link;
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    QVERIFY(status.wait(10000));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy records(&link, &cMyTamira::newDataRead);

    // A receiver of the first progress report opens a real modal box; a timer closes it once the
    // read has ended, or gives up.
    bool boxOpened = false;
    bool endedUnderTheBox = false;
    connect(&link, &cMyTamira::writeProgress, this, [&](int, int, int value) {
        if (value != 1)
            return;
        boxOpened = true;
        QMessageBox box(QMessageBox::Information, QStringLiteral("Tamira"), QStringLiteral("Box"));
        QTimer poll;
        const QDeadlineTimer deadline(20000);
        connect(&poll, &QTimer::timeout, &box, [&] {
            if (!ended.isEmpty() || deadline.hasExpired()) {
                endedUnderTheBox = !ended.isEmpty();
                box.done(0);
            }
        });
        poll.start(10);
        box.exec();
    });
    QStringList requests = cMyMemoryArea().toHexLines(0, 1024, 16);
    link.readSettings(EEPROM, requests);
    QTRY_VERIFY_WITH_TIMEOUT(boxOpened && !ended.isEmpty(), 30000);
    QVERIFY(endedUnderTheBox);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(records.size(), 64);
}

void tst_DeviceSafety::cutOffTransferToldOnce_data()
{
    QTest::addColumn<QStringList>("emulator");
    QTest::addColumn<int>("hold");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("consequence");
    const int inWrite = kBeforeWrite + 10;
    QTest::newRow("write cut off by a port list rebuild")
        << QStringList() << inWrite
        << "The list of ports changed (a device was plugged in or unplugged) and the transfer was stopped.\n"
        << "\nTamira may now hold incomplete settings; write them again.\nBackup of the previous settings: ";
    QTest::newRow("write whose port vanishes")
        << QStringList{"--hang-up-after", QString::number(inWrite)} << 0 << "The connection to Tamira was lost.\n"
        << "\nTamira may now hold incomplete settings; write them again.\nBackup of the previous settings: ";
}

void tst_DeviceSafety::cutOffTransferToldOnce()
{
    QFETCH(QStringList, emulator);
    QFETCH(int, hold);
    QFETCH(QString, begins);
    QFETCH(QString, consequence);
    cMyEmulatorProcess emu(emulator);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu.portPath()));
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    if (hold)
        QCOMPARE(emu.control(QStringLiteral("hold %1").arg(hold)), QString("ok"));
    dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    w.findChild<QAction *>("actionWriteSettings")->trigger();
    if (hold) {
        // Another Tamira appears while the write waits for a reply.
        QTRY_COMPARE_WITH_TIMEOUT(emu.stateFigure("lines"), hold, 10000);
        const QString path = emu.portPath();
        PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path), tamiraPort("/dev/ttyTamira9")}; });
    }
    QTRY_COMPARE_WITH_TIMEOUT(dialogs->asked().size(), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(w), 5000);
    const QString text = dialogs->asked().last().text;
    QVERIFY2(text.startsWith(begins) && text.contains(consequence), qPrintable(text));
    // Once: nothing more is asked while the window goes on (the status read of the new choice).
    if (hold) {
        QVERIFY(emu.release() >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(status.size(), 1, 10000);
    }
    QCOMPARE(dialogs->asked().size(), 1);
}

void tst_DeviceSafety::verifyNamesTheFirstDifference_data()
{
    QTest::addColumn<int>("corrupt");
    QTest::addColumn<QString>("message");
    QTest::newRow("sound device") << -1 << QString();
    QTest::newRow("worn cell at 0x0123")
        << 0x123 << "Verification failed: the byte at address 0x0123 in Tamira differs from the one written.\n";
    QTest::newRow("worn last cell")
        << 0x3FF << "Verification failed: the byte at address 0x03FF in Tamira differs from the one written.\n";
}

void tst_DeviceSafety::verifyNamesTheFirstDifference()
{
    QFETCH(int, corrupt);
    QFETCH(QString, message);
    QStringList arguments;
    if (corrupt >= 0)
        arguments << "--corrupt-store" << QString::number(corrupt);
    cMyEmulatorProcess emu(arguments);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu.portPath()));
    QStringList phases;
    connect(w.link(), &cMyTamira::writeProgress, this, [&] {
        if (visibleProgress(w) && phases.value(phases.size() - 1) != visibleProgress(w)->labelText())
            phases << visibleProgress(w)->labelText();
    });
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    if (!message.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    w.findChild<QAction *>("actionWriteSettings")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 4, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(w), 5000);
    QCOMPARE(phases, (QStringList{"Backing up Tamira's settings..", "Download..", "Verifying.."}));
    if (!message.isEmpty()) {
        QVERIFY2(dialogs->asked().last().text.startsWith(message), qPrintable(dialogs->asked().last().text));
        QCOMPARE(dialogs->asked().last().parent, &w);
    }
}

void tst_DeviceSafety::backupBeforeTheFirstRecord()
{
    // What the device holds: every byte different from the blank settings the window writes.
    cMyMemoryArea device;
    for (int a = 0; a < 1024; ++a)
        device.setData(quint32(a), quint8(0x5A ^ (a * 7)));
    const QString eeprom = dir.filePath(QStringLiteral("device.tmo"));
    QVERIFY(cMySettingsFile::write(eeprom, device));
    // Older backups: 21 of this device, one of another.
    QDir folder(cMyBackupStore::folder());
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (int s = 0; s <= 20; ++s)
        QVERIFY(QFile::copy(eeprom, folder.filePath(QStringLiteral("tamira-4660-2001-01-01_00-00-%1.tmo").arg(s, 2, 10, QLatin1Char('0')))));
    QVERIFY(QFile::copy(eeprom, folder.filePath(QStringLiteral("tamira-7-2001-01-01_00-00-00.tmo"))));

    cMyEmulatorProcess emu({"--serial", "4660", "--eeprom", eeprom, "--hold", QString::number(kBeforeWrite + 1)});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu.portPath()));
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    w.findChild<QAction *>("actionWriteSettings")->trigger();

    // The write's first line is in, its reply held: no record has gone out, the backup is there.
    QTRY_COMPARE_WITH_TIMEOUT(emu.stateFigure("lines"), kBeforeWrite + 1, 10000);
    QVERIFY(!emu.receivedLines().contains("#WRITE\r\n"));
    const QStringList mine = folder.entryList({QStringLiteral("tamira-4660-*.tmo")}, QDir::Files, QDir::Name);
    QCOMPARE(mine.size(), 20);
    QCOMPARE(mine.first(), QString("tamira-4660-2001-01-01_00-00-02.tmo"));
    QVERIFY2(!mine.last().startsWith(QLatin1String("tamira-4660-2001")), qPrintable(mine.last()));
    QVERIFY(folder.exists(QStringLiteral("tamira-7-2001-01-01_00-00-00.tmo")));
    QFile backup(folder.filePath(mine.last())), original(eeprom);
    QVERIFY(backup.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), original.readAll());

    QVERIFY(emu.release() >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 4, 20000);
    QVERIFY(emu.receivedLines().contains("#WRITE\r\n"));

    // "Restore a backup..." offers that folder and loads the choice as a new document.
    dialogs->expectMessage(cMyDialogs::No, QStringLiteral("Tamira")); // keep the stamped changes?
    dialogs->expectOpenFile(backup.fileName());
    w.findChild<QAction *>("actionRestoreBackup")->trigger();
    QCOMPARE(dialogs->asked().last().dir, cMyBackupStore::folder());
    QCOMPARE(w.settingsImage()->readBytes(0, 1024), device.readBytes(0, 1024));
    QVERIFY(w.currentFile().filePath().isEmpty());
}

void tst_DeviceSafety::libraryChecks_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines"); // sent after the port choice's status read
    QTest::newRow("a pipe") << "fifo" << "This file is not a sound library." << 0;
    QTest::newRow("the status read under it fails")
        << "silent" << "Tamira does not answer.\nThe sound library was not sent." << 1;
    QTest::newRow("one byte past a 1 MB memory")
        << ":020000040010EA :0400000001020304F2 :00000001FF"
        << "The library does not fit into Tamira's memory: it reaches up to 1048580 B, and the memory has 1 MB "
           "(1048576 B).\nThe sound library was not sent."
        << 93;
    QTest::newRow("filling a 1 MB memory exactly")
        << ":02000004000FEB :04FFFC0001020304F7 :00000001FF" << QString() << 93 + 4 + 3;
}

void tst_DeviceSafety::libraryChecks()
{
    QFETCH(QString, library);
    QFETCH(QString, message);
    QFETCH(int, lines);
    QString path = dir.filePath(QStringLiteral("library.tma"));
    QFile::remove(path);
    if (library == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        writeFile(QStringLiteral("library.tma"), library.toLatin1());
    // The status read of the port choice takes the first 93 lines.
    cMyEmulatorProcess emu({"--memory", "1", "--silent-after", library == QLatin1String("silent") ? "93" : "off"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu.portPath()));
    w.link()->setReplyTimeout(300);
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);

    dialogs->expectOpenFile(path);
    dialogs->expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
    if (!message.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    w.findChild<QAction *>("actionLibraryUpdate")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(dialogs->clean(), 10000);
    if (message.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!visibleProgress(w), 5000);
    if (!message.isEmpty())
        QCOMPARE(dialogs->asked().last().text, message);
    QCOMPARE(emu.receivedLines().size(), 93 + lines);
}

TAMIRA_GUI_TEST_MAIN(tst_DeviceSafety)
#include "tst_devicesafety.moc"
