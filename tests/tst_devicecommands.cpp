// The device commands of the real window against the emulator: settings read and write with
// their progress dialog, cancel, the service confirmations and the sound library upload.

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
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using Bytes = QVector<quint8>;
Q_DECLARE_METATYPE(cMyTamira::EndReason)

class tst_DeviceCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("tamira.link.debug=false");
        // Writes leave backups in the application data folder.
        QStandardPaths::setTestModeEnabled(true);
        QDir(cMyBackupStore::folder()).removeRecursively();
    }
    void init() { dialogs.reset(new cMyScriptedDialogs); }
    void cleanup();
    void readReplacesTheImage();
    void writeLeavesTheStampedImage();
    void cancelledReadChangesNothing();
    void serviceCommandsAskFirst();
    void libraryUpload();
    void deviceThatStopsAnswering();
    void refusedTransferClosesItsDialog();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QTemporaryDir dir;

    // Attaches the window to a running emulator and waits for the status read of the choice.
    static bool attach(MainWindow &w, cMyEmulatorProcess &emu)
    {
        const QString path = emu.portPath();
        PortDiscovery::setSource([path] {
            return QList<SerialPortEntry>{{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira}};
        });
        QSignalSpy status(w.link(), &cMyTamira::statusChanged);
        return status.wait(10000);
    }
    static bool finished(QSignalSpy &ended, cMyTamira::EndReason reason, int timeoutMs = 20000)
    {
        if (ended.isEmpty() && !ended.wait(timeoutMs))
            return false;
        const auto got = ended.takeFirst().first().value<cMyTamira::EndReason>();
        if (got != reason)
            qWarning() << "transaction ended with" << got << "not" << reason;
        return got == reason;
    }
    static void trigger(MainWindow &w, const char *action) { w.findChild<QAction *>(action)->trigger(); }
    static QProgressDialog *progress(MainWindow &w) { return w.findChild<QProgressDialog *>(); }
    static Bytes image(MainWindow &w) { return w.settingsImage()->readBytes(0, 1024); }
    // The bytes of the data records among the received lines, by address.
    static Bytes written(const QList<QByteArray> &lines)
    {
        Bytes bytes(1024, 0xEE);
        for (const QByteArray &line : lines) {
            cMyHexRecord r;
            if (r.fromString(QString::fromLatin1(line)) && r.type() == cMyHexRecord::Data)
                for (int i = 0; i < r.data().size() && r.address() + i < 1024; ++i)
                    bytes[r.address() + i] = r.data().at(i);
        }
        return bytes;
    }
};

void tst_DeviceCommands::cleanup()
{
    PortDiscovery::setSource({});
    QVERIFY2(dialogs->clean(), qPrintable(dialogs->report()));
    dialogs.reset();
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
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    trigger(w, "actionReadSettings");
    QVERIFY(progress(w));
    QCOMPARE(progress(w)->labelText(), QString("Upload.."));
    QVERIFY(progress(w)->isVisible());
    QCOMPARE(progress(w)->windowModality(), Qt::WindowModal);
    QVERIFY(finished(ended, cMyTamira::Completed));

    QCOMPARE(image(w), device.readBytes(0, 1024));
    QVERIFY(w.settingsImage()->isModified());
    QCOMPARE(w.findChild<QComboBox *>("par1Cb")->currentText(), QString("2 [Hz]"));
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Dev"));
    QCOMPARE(w.findChild<QComboBox *>("par01Cb2")->currentText(), QString("Depth"));
    QVERIFY(!progress(w)->isVisible()); // hidden at 69 of 69
}

void tst_DeviceCommands::writeLeavesTheStampedImage()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.settingsImage()->setData(0, Bytes{9, 9, 9, 9});
    w.settingsImage()->setData(0x20, Bytes{'S', 'e', 't', 0});
    w.settingsImage()->setModified(false);
    const int before = emu.receivedLines().size();

    // The serial number and the backup are read first, the write is read back afterwards.
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    trigger(w, "actionWriteSettings");
    for (int step = 0; step < 4; ++step)
        QVERIFY(finished(ended, cMyTamira::Completed));
    QCOMPARE(image(w).mid(0, 4), (Bytes{1, 0, 5, 0}));
    QVERIFY(w.settingsImage()->isModified()); // the stamp is a change, and stays for a Save

    const QList<QByteArray> lines = emu.receivedLines().mid(before + 6 + 69, 69);
    QCOMPARE(lines.mid(0, 4), (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#EEPROM\r\n", "#WRITE\r\n"}));
    QCOMPARE(written(lines), image(w));

    // Read back: the device holds exactly the image.
    w.settingsImage()->setData(0, Bytes(1024, 0));
    trigger(w, "actionReadSettings");
    QVERIFY(finished(ended, cMyTamira::Completed));
    QCOMPARE(image(w).mid(0x20, 4), (Bytes{'S', 'e', 't', 0}));
    QCOMPARE(image(w).mid(0, 4), (Bytes{1, 0, 5, 0}));
}

void tst_DeviceCommands::cancelledReadChangesNothing()
{
    cMyEmulatorProcess emu({"--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.settingsImage()->setData(0x10, Bytes{'M', 'i', 'n', 'e', 0});
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);

    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    QSignalSpy progressed(w.link(), &cMyTamira::writeProgress);
    trigger(w, "actionReadSettings");
    QVERIFY(progressed.wait(5000));
    QPushButton *cancel = progress(w)->findChild<QPushButton *>();
    QCOMPARE(cancel->text(), QString("Cancel"));
    cancel->click();
    QVERIFY(!progress(w)->isVisible());
    QVERIFY(finished(ended, cMyTamira::Cancelled, 5000));
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
    QVERIFY(progressed.size() < 69);
}

void tst_DeviceCommands::serviceCommandsAskFirst()
{
    cMyEmulatorProcess emu({"--stay-on-boot"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);

    struct Command { const char *action, *title, *line; };
    const Command commands[] = {
        {"actionReset", "Reset...", "#RESET\r\n"},
        {"actionClearStats", "Clear statistics...", "#CLEAR\r\n"},
        {"actionPowerOff", "Switch Tamira Off...", "#OFF\r\n"},
        {"actionFirmwareUpdate", "Firmware update...", "#BOOT\r\n"},
    };
    for (const Command &c : commands) {
        const int sent = emu.receivedLines().size();
        dialogs->expectMessage(cMyDialogs::No, c.title);
        trigger(w, c.action);
        dialogs->expectMessage(cMyDialogs::NoButton, c.title); // the box closed
        trigger(w, c.action);
        QCOMPARE(emu.receivedLines().size(), sent);
        QVERIFY(ended.isEmpty());

        dialogs->expectMessage(cMyDialogs::Yes, c.title);
        trigger(w, c.action);
        QVERIFY2(finished(ended, cMyTamira::Completed, 5000), c.action);
        const QList<QByteArray> lines = emu.receivedLines();
        QCOMPARE(lines.size(), sent + 1);
        QCOMPARE(lines.last(), QByteArray(c.line));
        const auto &asked = dialogs->asked().last();
        QCOMPARE(asked.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
        QCOMPARE(asked.parent, &w);
        QVERIFY(asked.text.endsWith("?"));
    }
    for (const auto &asked : dialogs->asked())
        if (asked.title == "Clear statistics...")
            QVERIFY(asked.text.startsWith("Do you want to clear the statistics"));
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

    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    dialogs->expectOpenFile(library);
    dialogs->expectMessage(cMyDialogs::Yes, "Sound library update...");
    trigger(w, "actionLibraryUpdate");
    QCOMPARE(progress(w)->labelText(), QString("Please don't disconnect your device during the process."));
    QVERIFY(finished(ended, cMyTamira::Completed)); // the status read, for the memory size
    QVERIFY(finished(ended, cMyTamira::Completed));
    QCOMPARE(emu.receivedLines().mid(sent + 93),
             (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#WRITE\r\n", ":020000040001F9\r\n",
                                ":0400000001020304F2\r\n", ":0400100005060708D2\r\n", ":00000001FF\r\n"}));
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
    QVERIFY(!progress(w)->isVisible());

    // A file that is no library is refused with a message; nothing is sent.
    QFile blob(dir.filePath("blob.tma"));
    QVERIFY(blob.open(QIODevice::WriteOnly));
    blob.write(QByteArray(4000, 'x'));
    blob.close();
    const int afterUpload = emu.receivedLines().size();
    dialogs->expectOpenFile(blob.fileName());
    dialogs->expectMessage(cMyDialogs::Yes, "Sound library update...");
    dialogs->expectMessage(cMyDialogs::Ok, "Error");
    trigger(w, "actionLibraryUpdate");
    QTRY_VERIFY_WITH_TIMEOUT(dialogs->clean(), 5000);
    QCOMPARE(dialogs->asked().last().text, QString("This file is not a sound library."));
    QTRY_VERIFY_WITH_TIMEOUT(!progress(w), 5000);
    QCOMPARE(emu.receivedLines().size(), afterUpload);
}

void tst_DeviceCommands::deviceThatStopsAnswering()
{
    cMyEmulatorProcess emu({"--silent-after", "93"}); // the status read takes the first 93 lines
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.link()->setReplyTimeout(300);
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    dialogs->expectMessage(cMyDialogs::Ok, "Error");
    trigger(w, "actionWriteSettings");
    QVERIFY(finished(ended, cMyTamira::TimedOut, 5000));
    QCOMPARE(dialogs->asked().size(), 1);
    QCOMPARE(dialogs->asked().first().text, QString("Tamira does not answer.\nNothing was written to Tamira."));
    QTRY_VERIFY_WITH_TIMEOUT(!progress(w), 2000); // closed and gone, not left at its last value
}

void tst_DeviceCommands::refusedTransferClosesItsDialog()
{
    cMyEmulatorProcess emu({"--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy ended(w.link(), &cMyTamira::transactionEnded);
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    w.link()->readStatus(); // 93 lines at 9600 baud: a good while
    QVERIFY(w.link()->isBusy());
    dialogs->expectMessage(cMyDialogs::Ok, "Error"); // the port is in use
    trigger(w, "actionReadSettings");
    QVERIFY(!progress(w) || !progress(w)->isVisible());
    QVERIFY(status.wait(30000)); // the status read went on to its end
    QVERIFY(finished(ended, cMyTamira::Completed, 1000));
}

TAMIRA_GUI_TEST_MAIN(tst_DeviceCommands)
#include "tst_devicecommands.moc"
