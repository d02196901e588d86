// The device commands of the real window against the emulator: settings read and write with
// their progress dialog, the write's backup and verification, cancel, the service
// confirmations, the sound library upload and its checks, a read under a real modal box, and
// transfers cut off by a port list rebuild or refused because another one runs.

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
#include "waituntil.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

using Bytes = QVector<quint8>;

namespace {

// Lines before a settings write's first line: the status read of the port choice (93), the
// serial number (6) and the backup (69).
constexpr int kBeforeWrite = 93 + 6 + 69;

SerialPortEntry tamiraPort(const QString &path)
{
    return SerialPortEntry{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira};
}

// Attaches the window to a running emulator and waits for the status read of the choice.
bool attach(MainWindow &w, cMyEmulatorProcess &emu)
{
    w.link()->setFirstStatusDelay(0);
    const QString path = emu.portPath();
    PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path)}; });
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    return status.wait(10000);
}

void trigger(MainWindow &w, const char *action)
{
    w.findChild<QAction *>(action)->trigger();
}

QProgressDialog *visibleProgress(MainWindow &w)
{
    auto *dialog = w.findChild<QProgressDialog *>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

Bytes image(MainWindow &w)
{
    return w.settingsImage()->readBytes(0, 1024);
}

// Waits for `count` transactions to have ended, each as `reason`.
bool ended(QSignalSpy &spy, int count, cMyTamira::EndReason reason = cMyTamira::Completed)
{
    if (!waitUntil([&] { return spy.size() >= count; }))
        return false;
    for (const QList<QVariant> &e : spy)
        if (e.first().value<cMyTamira::EndReason>() != reason)
            return false;
    return true;
}

} // namespace

class tst_DeviceCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readReplacesTheImage();
    void writeIsBackedUpStampedAndVerified_data();
    void writeIsBackedUpStampedAndVerified();
    void backupBeforeTheFirstRecord();
    void cancelledReadChangesNothing();
    void serviceCommandsAskFirst();
    void libraryUpload();
    void libraryChecks_data();
    void libraryChecks();
    void readCompletesUnderAModalBox();
    void writeCutOffByAPortListRebuild();
    void refusedTransferClosesItsDialog();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QTemporaryDir dir;
};

void tst_DeviceCommands::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    // Writes leave backups in the application data folder.
    QStandardPaths::setTestModeEnabled(true);
}

void tst_DeviceCommands::init()
{
    QDir(cMyBackupStore::folder()).removeRecursively();
    dialogs.reset(new cMyScriptedDialogs);
}

void tst_DeviceCommands::cleanup()
{
    PortDiscovery::setSource({});
    // The dialogs go before the check can return, or the next test's would be uninstalled.
    const bool clean = dialogs->clean();
    const QString report = dialogs->report();
    dialogs.reset();
    QVERIFY2(clean, qPrintable(report));
}

void tst_DeviceCommands::readReplacesTheImage()
{
    cMyMemoryArea device;
    cMySettingsFile::read(":/pliki/clear.tmo", device);
    device.setData(0x80, quint8(75));
    device.setData(0x10, Bytes{'D', 'e', 'v', 0});
    device.setData(0x140, Bytes{0x00, 0x20, 0x00, 0xF4, 0x01});
    device.setData(0x3FF, quint8(0x5A));
    const QString eeprom = dir.filePath("device.tmo");
    QVERIFY(cMySettingsFile::write(eeprom, device));

    cMyEmulatorProcess emu({"--eeprom", eeprom});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    w.ensureSettingsForm();
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    trigger(w, "actionReadSettings");
    QVERIFY(visibleProgress(w));
    QCOMPARE(visibleProgress(w)->labelText(), QString("Upload.."));
    QCOMPARE(visibleProgress(w)->windowModality(), Qt::WindowModal);
    QVERIFY(ended(spy, 1));

    QCOMPARE(image(w), device.readBytes(0, 1024));
    QVERIFY(w.settingsImage()->isModified());
    QCOMPARE(w.findChild<QComboBox *>("par1Cb")->currentText(), QString("2 [Hz]"));
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Dev"));
    QCOMPARE(w.findChild<QComboBox *>("par01Cb2")->currentText(), QString("Depth"));
    QVERIFY(!visibleProgress(w)); // hidden at 69 of 69
}

void tst_DeviceCommands::writeIsBackedUpStampedAndVerified_data()
{
    QTest::addColumn<int>("corrupt");
    QTest::addColumn<QString>("message");
    QTest::newRow("sound device") << -1 << QString();
    QTest::newRow("worn cell at 0x0123")
        << 0x123 << "Verification failed: the byte at address 0x0123 in Tamira differs from the one written.\n";
    QTest::newRow("worn last cell")
        << 0x3FF << "Verification failed: the byte at address 0x03FF in Tamira differs from the one written.\n";
}

void tst_DeviceCommands::writeIsBackedUpStampedAndVerified()
{
    QFETCH(int, corrupt);
    QFETCH(QString, message);
    cMyEmulatorProcess emu(corrupt >= 0 ? QStringList{"--corrupt-store", QString::number(corrupt)} : QStringList());
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.settingsImage()->setData(0, Bytes{9, 9, 9, 9});
    w.settingsImage()->setData(0x20, Bytes{'S', 'e', 't', 0});
    w.settingsImage()->setModified(false);
    QStringList phases;
    connect(w.link(), &cMyTamira::writeProgress, this, [&] {
        if (visibleProgress(w) && phases.value(phases.size() - 1) != visibleProgress(w)->labelText())
            phases << visibleProgress(w)->labelText();
    });
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    if (!message.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    trigger(w, "actionWriteSettings");
    QVERIFY(ended(spy, 4));
    QVERIFY(waitUntil([&] { return !visibleProgress(w); }));
    QCOMPARE(phases, (QStringList{"Backing up Tamira's settings..", "Download..", "Verifying.."}));
    // The version stamp is a change of the image, kept for a Save.
    QCOMPARE(image(w).mid(0, 4), (Bytes{1, 0, 5, 0}));
    QVERIFY(w.settingsImage()->isModified());
    // The write's lines carry the stamped image, record by record.
    const QList<QByteArray> lines = emu.receivedLines().mid(kBeforeWrite, 69);
    QCOMPARE(lines.mid(0, 4), (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#EEPROM\r\n", "#WRITE\r\n"}));
    for (int i = 0; i < 64; ++i) {
        cMyHexRecord r;
        QVERIFY(r.fromString(QString::fromLatin1(lines.at(4 + i))));
        QCOMPARE(r.address(), quint16(16 * i));
        QCOMPARE(r.data(), image(w).mid(16 * i, 16));
    }
    if (!message.isEmpty()) {
        QVERIFY2(dialogs->asked().last().text.startsWith(message), qPrintable(dialogs->asked().last().text));
        QCOMPARE(dialogs->asked().last().parent, &w);
    }
}

void tst_DeviceCommands::backupBeforeTheFirstRecord()
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
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    trigger(w, "actionWriteSettings");

    // The write's first line is in, its reply held: no record has gone out, the backup is there.
    QVERIFY(waitUntil([&] { return emu.stateFigure("lines") == kBeforeWrite + 1; }));
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
    QVERIFY(ended(spy, 4));

    // "Restore a backup..." offers that folder and loads the choice as a new document.
    dialogs->expectMessage(cMyDialogs::No, QStringLiteral("Tamira")); // keep the stamped changes?
    dialogs->expectOpenFile(backup.fileName());
    trigger(w, "actionRestoreBackup");
    QCOMPARE(dialogs->asked().last().dir, cMyBackupStore::folder());
    QCOMPARE(image(w), device.readBytes(0, 1024));
    QVERIFY(w.currentFile().filePath().isEmpty());
}

void tst_DeviceCommands::cancelledReadChangesNothing()
{
    cMyEmulatorProcess emu({"--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.link()->setCancelGrace(30000);
    w.settingsImage()->setData(0x10, Bytes{'M', 'i', 'n', 'e', 0});
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);

    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    QSignalSpy progressed(w.link(), &cMyTamira::writeProgress);
    trigger(w, "actionReadSettings");
    QVERIFY(progressed.wait(5000));
    QPushButton *cancel = visibleProgress(w)->findChild<QPushButton *>();
    QCOMPARE(cancel->text(), QString("Cancel"));
    cancel->click();
    QVERIFY(!visibleProgress(w));
    QVERIFY(ended(spy, 1, cMyTamira::Cancelled));
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
    // The device heard of it once the reply that was due had come: back to its top level.
    const QList<QByteArray> lines = emu.receivedLines();
    QCOMPARE(lines.last(), QByteArray("#ROOT\r\n"));
    QCOMPARE(lines.size(), 93 + progressed.size() + 2);
}

void tst_DeviceCommands::serviceCommandsAskFirst()
{
    cMyEmulatorProcess emu({"--stay-on-boot"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);

    struct Command { const char *action, *title, *line, *question; };
    const Command commands[] = {
        {"actionReset", "Reset...", "#RESET\r\n", "You are about to Tamira restart."},
        {"actionClearStats", "Clear statistics...", "#CLEAR\r\n", "Do you want to clear the statistics"},
        {"actionPowerOff", "Switch Tamira Off...", "#OFF\r\n", "You are about to switch off the Tamira."},
        {"actionFirmwareUpdate", "Firmware update...", "#BOOT\r\n", "You are about to put Tamira in DFU"},
    };
    for (const Command &c : commands) {
        const int sent = emu.receivedLines().size();
        dialogs->expectMessage(cMyDialogs::No, c.title);
        trigger(w, c.action);
        dialogs->expectMessage(cMyDialogs::NoButton, c.title); // the box closed
        trigger(w, c.action);
        QCOMPARE(emu.receivedLines().size(), sent);
        QVERIFY(spy.isEmpty());

        dialogs->expectMessage(cMyDialogs::Yes, c.title);
        trigger(w, c.action);
        QVERIFY2(ended(spy, 1), c.action);
        spy.clear();
        QCOMPARE(emu.receivedLines().mid(sent), QList<QByteArray>{c.line});
        const auto &asked = dialogs->asked().last();
        QCOMPARE(asked.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
        QCOMPARE(asked.parent, &w);
        QVERIFY2(asked.text.startsWith(c.question) && asked.text.endsWith("?"), qPrintable(asked.text));
    }
}

void tst_DeviceCommands::libraryUpload()
{
    const QString library = dir.filePath("english.tma");
    {
        QFile f(library);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(":020000040001F9 :0400000001020304F2\n\n:0400100005060708D2\r\n:00000001FF\n:0400200009090909B4\n");
    }
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);
    const int sent = emu.receivedLines().size();

    // Cancelled at the file dialog or answered No: nothing goes out.
    dialogs->expectOpenFile(QString());
    trigger(w, "actionLibraryUpdate");
    QCOMPARE(dialogs->asked().last().filter, QString("Sound library (*.tma);;Custom messages library (*.tmc)"));
    dialogs->expectOpenFile(library);
    dialogs->expectMessage(cMyDialogs::No, "Sound library update...");
    trigger(w, "actionLibraryUpdate");
    QCOMPARE(emu.receivedLines().size(), sent);

    // The status read for the memory size, then the library up to its end record.
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    dialogs->expectOpenFile(library);
    dialogs->expectMessage(cMyDialogs::Yes, "Sound library update...");
    trigger(w, "actionLibraryUpdate");
    QCOMPARE(visibleProgress(w)->labelText(), QString("Please don't disconnect your device during the process."));
    QVERIFY(ended(spy, 2));
    QCOMPARE(emu.receivedLines().mid(sent + 93),
             (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#WRITE\r\n", ":020000040001F9\r\n",
                                ":0400000001020304F2\r\n", ":0400100005060708D2\r\n", ":00000001FF\r\n"}));
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
    QVERIFY(waitUntil([&] { return !visibleProgress(w); }));
}

void tst_DeviceCommands::libraryChecks_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines"); // sent after the port choice's status read
    QTest::newRow("a pipe") << "fifo" << "This file is not a sound library." << 0;
    QTest::newRow("no record at all") << QString(4000, 'x') << "This file is not a sound library." << 0;
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

void tst_DeviceCommands::libraryChecks()
{
    QFETCH(QString, library);
    QFETCH(QString, message);
    QFETCH(int, lines);
    const QString path = dir.filePath(QStringLiteral("library.tma"));
    QFile::remove(path);
    if (library == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(library.toLatin1());
    }
    // The status read of the port choice takes the first 93 lines.
    cMyEmulatorProcess emu({"--memory", "1", "--silent-after", library == QLatin1String("silent") ? "93" : "off"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.link()->setReplyTimeout(300);
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);

    dialogs->expectOpenFile(path);
    dialogs->expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
    if (!message.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    trigger(w, "actionLibraryUpdate");
    QVERIFY(waitUntil([&] { return dialogs->clean(); }));
    if (message.isEmpty())
        QVERIFY(ended(spy, 2));
    else
        QCOMPARE(dialogs->asked().last().text, message);
    QVERIFY(waitUntil([&] { return !visibleProgress(w); }));
    QCOMPARE(emu.receivedLines().size(), 93 + lines);
}

void tst_DeviceCommands::readCompletesUnderAModalBox()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    cMyTamira link;
    link.setFirstStatusDelay(0);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    QVERIFY(status.wait(10000));
    QSignalSpy spy(&link, &cMyTamira::transactionEnded);
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
            if (!spy.isEmpty() || deadline.hasExpired()) {
                endedUnderTheBox = !spy.isEmpty();
                box.done(0);
            }
        });
        poll.start(10);
        box.exec();
    });
    QStringList requests = cMyMemoryArea().toHexLines(0, 1024, 16);
    link.readSettings(EEPROM, requests);
    QVERIFY(waitUntil([&] { return boxOpened && !spy.isEmpty(); }));
    QVERIFY(endedUnderTheBox);
    QVERIFY(ended(spy, 1));
    QCOMPARE(records.size(), 64);
}

void tst_DeviceCommands::writeCutOffByAPortListRebuild()
{
    cMyEmulatorProcess emu({"--hold", QString::number(kBeforeWrite + 10)});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    trigger(w, "actionWriteSettings");
    // Another Tamira appears while the write waits for a reply.
    QVERIFY(waitUntil([&] { return emu.stateFigure("lines") == kBeforeWrite + 10; }));
    const QString path = emu.portPath();
    PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path), tamiraPort("/dev/ttyTamira9")}; });
    QVERIFY(waitUntil([&] { return dialogs->asked().size() == 1 && !visibleProgress(w); }));
    const QString text = dialogs->asked().last().text;
    QVERIFY2(text.startsWith("The list of ports changed (a device was plugged in or unplugged) and the transfer was stopped.\n"
                             "Tamira may now hold incomplete settings; write them again.\nBackup of the previous settings: "),
             qPrintable(text));
    // Once: nothing more is asked while the window goes on (the status read of the new choice).
    QVERIFY(emu.release() >= 0);
    QVERIFY(status.wait(10000));
    QCOMPARE(dialogs->asked().size(), 1);
}

void tst_DeviceCommands::refusedTransferClosesItsDialog()
{
    cMyEmulatorProcess emu({"--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    w.link()->readStatus(); // 93 lines at 9600 baud: a good while
    QVERIFY(w.link()->isBusy());
    dialogs->expectMessage(cMyDialogs::Ok, "Error"); // the port is in use
    trigger(w, "actionReadSettings");
    QVERIFY(!visibleProgress(w));
    QVERIFY(status.wait(30000)); // the status read went on to its end
    QVERIFY(ended(spy, 1));
}

TAMIRA_GUI_TEST_MAIN(tst_DeviceCommands)
#include "tst_devicecommands.moc"
