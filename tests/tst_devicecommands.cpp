// The device commands of the real window against the emulator: the settings read (refused while
// another transaction runs, cancelled, whole, given up on a device that only says it is busy), the write with its backup and verification, the
// service confirmations, the sound library upload and its checks, a read under a real modal box
// and a write cut off by a port list rebuild.

#include "app/mainwindow.h"
#include "base/cmyhexrecord.h"
#include "device/cmytamira.h"
#include "device/portdiscovery.h"
#include "dialogs/cmywidgetdialogs.h"
#include "jobs/cmybackupstore.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "resources/tamiraversion.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/stat.h>

using Bytes = QVector<quint8>;

namespace {

// Lines before a settings write's first line: the status read of the port choice (93), the
// serial number (6) and the backup (69).
constexpr int kBeforeWrite = 93 + 6 + 69;

// Attaches the window to a running emulator and waits for the status read of the choice.
bool attach(MainWindow &w, cMyEmulatorProcess &emu)
{
    w.link()->setFirstStatusDelay(0);
    emu.offerAsTamira();
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
bool ended(QSignalSpy &spy, int count, cMyLinkFailure::Reason reason = cMyLinkFailure::Completed)
{
    if (!waitUntil([&] { return spy.size() >= count; }))
        return false;
    for (const QList<QVariant> &e : spy)
        if (e.first().value<cMyLinkFailure::Reason>() != reason)
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
    void settingsRead();
    void readGivesUpOnEndlessBusyNotices();
    void writeIsBackedUpStampedAndVerified_data();
    void writeIsBackedUpStampedAndVerified();
    void backupBeforeTheFirstRecord();
    void compareWriteAndCompareAgain();
    void serviceCommandsAskFirst();
    void libraryChecks_data();
    void libraryChecks();
    void libraryCancelAsksAndTheStatusFollows();
    void libraryFileShrinksDuringTheUpload_data();
    void libraryFileShrinksDuringTheUpload();
    void readCompletesUnderAModalBox();
    void writeCutOffByAPortListRebuild();

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

void tst_DeviceCommands::settingsRead()
{
    cMyMemoryArea device;
    cMySettingsFile::read(":/pliki/clear.tmo", device);
    device.setData(0x80, quint8(75));
    device.setData(0x10, Bytes{'D', 'e', 'v', 0});
    device.setData(0x140, Bytes{0x00, 0x20, 0x00, 0xF4, 0x01});
    device.setData(0x3FF, quint8(0x5A));
    const QString eeprom = dir.filePath("device.tmo");
    QVERIFY(cMySettingsFile::write(eeprom, device));
    cMyEmulatorProcess emu({"--eeprom", eeprom, "--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    w.ensureSettingsForm();
    QVERIFY(attach(w, emu));
    w.settingsImage()->setData(0x10, Bytes{'M', 'i', 'n', 'e', 0});
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    QSignalSpy progressed(w.link(), &cMyTamira::writeProgress);

    // Asked while a status read runs: a box says who has the port, no dialog is left, the status
    // read goes on.
    w.link()->readStatus();
    dialogs->expectMessage(cMyDialogs::Ok, "Error");
    trigger(w, "actionReadSettings");
    QVERIFY(!visibleProgress(w));
    QVERIFY(ended(spy, 1));
    QCOMPARE(dialogs->asked().last().text, QString("Tamira's port is busy: the program is reading Tamira's status.\n"
                                                   "Wait until it has finished and try again.\n"
                                                   "The settings in the program were not changed."));

    // Cancelled: nothing changes, and the device hears "#ROOT" once the reply due is in.
    w.link()->setCancelGrace(30000);
    spy.clear();
    trigger(w, "actionReadSettings");
    QCOMPARE(visibleProgress(w)->labelText(), QString("Upload.."));
    QCOMPARE(visibleProgress(w)->windowModality(), Qt::WindowModal);
    QVERIFY(progressed.wait(5000));
    // Named after the transfer, for screen readers too, and telling a percentage.
    QCOMPARE(visibleProgress(w)->windowTitle(), QString("Reading the settings from Tamira"));
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(visibleProgress(w)->findChild<QProgressBar *>());
    QCOMPARE(bar->text(QAccessible::Name), QString("Reading the settings from Tamira"));
    QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 100);
    QPushButton *cancel = visibleProgress(w)->findChild<QPushButton *>();
    QCOMPARE(cancel->text(), QString("Cancel"));
    cancel->click();
    QVERIFY(!visibleProgress(w));
    QVERIFY(ended(spy, 1, cMyLinkFailure::Cancelled));
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
    const QList<QByteArray> lines = emu.receivedLines();
    QCOMPARE(lines.last(), QByteArray("#ROOT\r\n"));
    QCOMPARE(lines.size(), 2 * 93 + progressed.size() + 2);

    // To its end: the device's settings in the image and the editors, the dialog hidden.
    QCOMPARE(emu.control("baud 0"), QString("ok"));
    spy.clear();
    trigger(w, "actionReadSettings");
    QVERIFY(ended(spy, 1));
    QCOMPARE(image(w), device.readBytes(0, 1024));
    QVERIFY(w.settingsImage()->isModified());
    QVERIFY(!w.findChild<QAction *>("actionUndo")->isEnabled()); // a fresh history
    QCOMPARE(w.findChild<QComboBox *>("par1Cb")->currentText(), QString("2 [Hz]"));
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Dev"));
    QCOMPARE(w.findChild<QComboBox *>("par01Cb2")->currentText(), QString("Depth"));
    QVERIFY(!visibleProgress(w));
    // Undone back to what was read, the settings are still in no file.
    w.findChild<QLineEdit *>("leAuthor")->setText("X");
    QCoreApplication::processEvents();
    trigger(w, "actionUndo");
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Dev"));
    QVERIFY(w.settingsImage()->isModified());
    // So are settings read again that change no byte of the window's (its history not empty).
    dialogs->expectMessage(cMyDialogs::No, "Tamira");
    spy.clear();
    trigger(w, "actionReadSettings");
    QVERIFY(ended(spy, 1));
    w.findChild<QLineEdit *>("leAuthor")->setText("X");
    QCoreApplication::processEvents();
    trigger(w, "actionUndo");
    QVERIFY(w.settingsImage()->isModified());
}

void tst_DeviceCommands::readGivesUpOnEndlessBusyNotices()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    w.link()->setAnswerLimit(800);
    // A thousand "!" lines 50 ms apart before the tenth line's reply: each one is a sign of life
    // that gives a fresh reply time-out, but not beyond the answer limit.
    QCOMPARE(emu.control(QStringLiteral("bang %1:1000").arg(emu.stateFigure("lines") + 10)), QString("ok"));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    dialogs->expectMessage(cMyDialogs::Ok, "Error");
    trigger(w, "actionReadSettings");
    QVERIFY(ended(spy, 1, cMyLinkFailure::TimedOut));
    QCOMPARE(dialogs->asked().last().text, QString("For 0.8 s Tamira has been saying it is busy, but it does not "
                                                   "answer.\nThe settings in the program were not changed."));
    QVERIFY(!visibleProgress(w));
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
    QCOMPARE(image(w).mid(0, 4),
             (Bytes{TAMIRA_VERSION_MAJOR, TAMIRA_VERSION_MINOR, TAMIRA_VERSION_PATCH, TAMIRA_VERSION_TWEAK}));
    QVERIFY(w.settingsImage()->isModified());
    // The write's lines carry the stamped image, record by record.
    QList<QByteArray> lines{"#ROOT\r\n", "#HEX\r\n", "#EEPROM\r\n", "#WRITE\r\n"};
    for (int i = 0; i < 64; ++i)
        lines << cMyHexRecord(quint16(16 * i), image(w).mid(16 * i, 16)).toString().toLatin1() + "\r\n";
    QCOMPARE(emu.receivedLines().mid(kBeforeWrite, 69), lines << ":00000001FF\r\n");
    if (message.isEmpty()) {
        // Where the backup went; the overview then shows the settings Tamira holds now.
        const QString said = w.statusBar()->currentMessage();
        const QString prefix = "Settings written to Tamira and verified. Backup of the previous settings: "
                               + QDir::toNativeSeparators(cMyBackupStore::folder());
        QVERIFY2(said.startsWith(prefix) && QFile::exists(QDir::fromNativeSeparators(said.section(": ", 1))),
                 qPrintable(said));
        QVERIFY(ended(spy, 5));
        QCOMPARE(w.findChild<QLabel *>("lParamVersion")->text(), QString(TAMIRA_VERSION));
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
    // Older backups: 21 of this device, one of another. Their names carry a time ahead of the
    // clock's (it was put back since): the oldest go by when they were written, and the new one,
    // first by name, stays.
    QDir folder(cMyBackupStore::folder());
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (int s = 0; s <= 20; ++s) {
        const QString old =
            folder.filePath(QStringLiteral("tamira-4660-2099-01-01_00-00-%1.tmo").arg(s, 2, 10, QLatin1Char('0')));
        QFile copy(eeprom);
        QVERIFY(copy.copy(old));
        QFile written(old);
        QVERIFY(written.open(QIODevice::ReadWrite)
                && written.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0, 20 - s)),
                                       QFileDevice::FileModificationTime));
    }
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
    QVERIFY2(!mine.first().startsWith(QLatin1String("tamira-4660-2099")), qPrintable(mine.first()));
    QCOMPARE(mine.at(1), QString("tamira-4660-2099-01-01_00-00-00.tmo")); // -19 and -20, written first, went
    QCOMPARE(mine.last(), QString("tamira-4660-2099-01-01_00-00-18.tmo"));
    QVERIFY(folder.exists(QStringLiteral("tamira-7-2001-01-01_00-00-00.tmo")));
    QFile backup(folder.filePath(mine.first())), original(eeprom);
    QVERIFY(backup.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), original.readAll());
    QVERIFY(emu.release() >= 0);
    QVERIFY(ended(spy, 4));

    // "Restore a backup..." offers that folder and loads the choice as a new document.
    dialogs->expectOpenFile(backup.fileName());
    dialogs->expectMessage(cMyDialogs::No, QStringLiteral("Tamira")); // keep the stamped changes?
    trigger(w, "actionRestoreBackup");
    w.findChild<QPushButton *>("pbRestoreBackup")->click();
    QCOMPARE(dialogs->asked().at(dialogs->asked().size() - 2).dir, cMyBackupStore::folder());
    QCOMPARE(image(w), device.readBytes(0, 1024));
    QVERIFY(w.currentFile().filePath().isEmpty());
}

void tst_DeviceCommands::compareWriteAndCompareAgain()
{
    // Tamira holds another dive start threshold and a message rule 3.
    cMyMemoryArea device;
    cMySettingsFile::read(":/pliki/clear.tmo", device);
    device.setData(0x88, quint8(120));
    device.setData(0x150, Bytes{0x04, 0x20, 0x00, 0xC4, 0x09, 0x20, 0x03, 0x00});
    const QString eeprom = dir.filePath("compared.tmo");
    QVERIFY(cMySettingsFile::write(eeprom, device));
    cMyEmulatorProcess emu({"--eeprom", eeprom, "--baud", "0"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    w.ensureSettingsForm();
    QVERIFY(attach(w, emu));
    const Bytes before = image(w);

    trigger(w, "actionCompareTamira");
    QCOMPARE(visibleProgress(w)->labelText(), QString("Upload.."));
    QDialog *window = nullptr;
    QVERIFY(waitUntil([&] { return (window = w.findChild<QDialog *>("ComparisonWindow")) && window->isVisible(); }));
    QVERIFY(!window->isModal());
    QCOMPARE(image(w), before); // the form, its file and its modified flag as they were
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.currentFile().filePath().isEmpty());
    auto *table = window->findChild<QTableView *>("tvDifferences");
    QStringList headings;
    for (int c = 0; c < table->model()->columnCount(); ++c)
        headings << table->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"Page", "Setting", "This form", "Tamira"}));
    QCOMPARE(window->findChild<QLabel *>("lStamp")->text(),
             QString("Settings version stamp (the program that last wrote them to a Tamira; not a difference): form "
                     "1.0.1.0, Tamira 1.0.1.0"));
    // A screen reader reads the table row by row, whichever cell has the focus.
    QAccessibleTableInterface *cells = QAccessible::queryAccessibleInterface(table)->tableInterface();
    QCOMPARE(cells->rowCount(), 2);
    QCOMPARE(cells->cellAt(0, 3)->text(QAccessible::Name),
             QString("5. Dive start threshold, Tamira: 120 [cm], form: 100 [cm]"));
    QCOMPARE(cells->cellAt(1, 0)->text(QAccessible::Name),
             QString("Message rule 3, Tamira: during descent, when Depth >= 25.00 [m]: say \"Depth\" (value & unit), "
                     "only once, form: never: this rule is unused"));
    QVERIFY2(AccessibleNames::problems(window).isEmpty(), qPrintable(AccessibleNames::problems(window).join('\n')));

    // Tamira's threshold into the form: one step of the undo history, named after the field.
    table->setCurrentIndex(table->model()->index(0, 1));
    window->findChild<QPushButton *>("pbCopyToForm")->click();
    QCOMPARE(image(w).at(0x88), quint8(120));
    QVERIFY(w.isWindowModified());
    QCOMPARE(w.findChild<QAction *>("actionUndo")->text(), QString("&Undo 5. Dive start threshold"));
    QVERIFY(waitUntil([&] { return cells->rowCount() == 1; })); // the form's side is live

    trigger(w, "actionPolski");
    QVERIFY(waitUntil(
        [&] { return window->findChild<QLabel *>("lSummary")->text() == "Różnice między formularzem a Tamirą: 1"; }));
    QCOMPARE(window->findChild<QPushButton *>("pbWriteForm")->text(), QString("&Zapisz formularz do Tamiry"));
    trigger(w, "actionEnglish");

    // Written as any write is (backup, write, verify), then read and compared again.
    window->findChild<QPushButton *>("pbWriteForm")->click();
    QVERIFY(waitUntil([&] {
        return window->findChild<QLabel *>("lSummary")->text() == "Tamira holds the same settings as the form.";
    }));
    QVERIFY(table->isHidden());
    QCOMPARE(QDir(cMyBackupStore::folder()).entryList(QDir::Files).size(), 1);
    QVERIFY(w.statusBar()->currentMessage().startsWith("Settings written to Tamira and verified."));
}

void tst_DeviceCommands::serviceCommandsAskFirst()
{
    cMyEmulatorProcess emu({"--stay-on-boot"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);

    struct Command
    {
        const char *action, *title, *line, *question;
    };
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

        // The real box: Enter takes its default, No.
        {
            cMyWidgetDialogs real;
            cMyDialogs::install(&real);
            QString title;
            QTimer enter;
            connect(&enter, &QTimer::timeout, this, [&] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    title = box->windowTitle();
                    QTest::keyClick(box, Qt::Key_Return);
                }
            });
            enter.start(10);
            trigger(w, c.action);
            cMyDialogs::install(dialogs.data());
            QCOMPARE(title, QString(c.title));
        }
        QCOMPARE(emu.receivedLines().size(), sent);

        dialogs->expectMessage(cMyDialogs::Yes, c.title);
        trigger(w, c.action);
        QVERIFY2(ended(spy, 1), c.action);
        spy.clear();
        QCOMPARE(emu.receivedLines().mid(sent), QList<QByteArray>{c.line});
        const auto &asked = dialogs->asked().last();
        QCOMPARE(asked.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
        QCOMPARE(asked.defaultButton, cMyDialogs::No);
        QCOMPARE(asked.parent, &w);
        QVERIFY2(asked.text.startsWith(c.question) && asked.text.endsWith("?"), qPrintable(asked.text));
    }
}

void tst_DeviceCommands::libraryChecks_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("answer"); // to the confirmation; none: the file dialog was cancelled
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines"); // sent after the port choice's status read
    const int yes = cMyDialogs::Yes;
    QTest::newRow("file dialog cancelled") << QString() << int(cMyDialogs::NoButton) << QString() << 0;
    QTest::newRow("answered No") << ":00000001FF" << int(cMyDialogs::No) << QString() << 0;
    QTest::newRow("a pipe") << "fifo" << yes << "This file is not a sound library." << 0;
    const QString junk =
        "This file is not a sound library: it is not made of Intel HEX records.\nThe sound library was not sent.";
    const QString empty = "The library file is empty: it holds no data.\nThe sound library was not sent.";
    QTest::newRow("no record at all") << QString(4000, 'x') << yes << junk << 0;
    QTest::newRow("words that are no records") << ":0400000001020304F2 hello world :00000001FF" << yes << junk << 0;
    QTest::newRow("empty") << QString() << yes << empty << 0;
    QTest::newRow("only the end record") << ":00000001FF" << yes << empty << 0;
    QFile settings(":/pliki/clear.tmo");
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QTest::newRow("a settings file") << QString::fromLatin1(settings.readAll()) << yes
                                     << "This file is a settings file, not a sound library: all its data lie in the "
                                        "settings block (addresses 0-1023).\nThe sound library was not sent."
                                     << 0;
    QTest::newRow("the status read under it fails")
        << "silent" << yes << "Tamira does not answer.\nThe sound library was not sent." << 1;
    QTest::newRow("one byte past a 1 MB memory")
        << ":020000040010EA :0400000001020304F2 :00000001FF" << yes
        << "The library does not fit into Tamira's memory: it reaches up to 1048580 B, and the memory has 1 MB "
           "(1048576 B).\nThe sound library was not sent."
        << 93;
    // The status is read again once the library is in.
    QTest::newRow("filling a 1 MB memory exactly")
        << ":02000004000FEB :04FFFC0001020304F7 :00000001FF" << yes << QString() << 93 + 4 + 3 + 93;
}

void tst_DeviceCommands::libraryChecks()
{
    QFETCH(QString, library);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(int, lines);
    const QString path = dir.filePath(QStringLiteral("library.tma"));
    QFile::remove(path);
    if (library == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(library == QLatin1String("silent") ? ":04FFFC0001020304F7 :00000001FF" : library.toLatin1());
    }
    // The status read of the port choice takes the first 93 lines.
    cMyEmulatorProcess emu({"--memory", "1", "--silent-after", library == QLatin1String("silent") ? "93" : "off"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    // Short where the device falls silent, as the row waits for it to pass; else loaded-machine long.
    w.link()->setReplyTimeout(library == QLatin1String("silent") ? 300 : 30000);
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);

    dialogs->expectOpenFile(answer == cMyDialogs::NoButton ? QString() : path);
    if (answer != cMyDialogs::NoButton)
        dialogs->expectMessage(cMyDialogs::Button(answer), QStringLiteral("Sound library update..."));
    if (!message.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    trigger(w, "actionLibraryUpdate");
    QCOMPARE(dialogs->asked().first().filter, QString("Sound library (*.tma);;Custom messages library (*.tmc)"));
    if (answer != cMyDialogs::NoButton) {
        QCOMPARE(dialogs->asked().at(1).text,
                 QString("You are about to the sound library upgrade.\nDo you want to continue?"));
        QCOMPARE(dialogs->asked().at(1).defaultButton, cMyDialogs::No);
    }
    if (message.isEmpty() && lines > 0) {
        QCOMPARE(visibleProgress(w)->labelText(), QString("Please don't disconnect your device during the process."));
        QVERIFY(ended(spy, 3));
    }
    QVERIFY(waitUntil([&] { return dialogs->clean() && !visibleProgress(w); }));
    if (!message.isEmpty())
        QCOMPARE(dialogs->asked().last().text, message);
    QCOMPARE(emu.receivedLines().size(), 93 + lines);
    // A library is no settings: the image and its modified flag stay as they were.
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
}

void tst_DeviceCommands::libraryCancelAsksAndTheStatusFollows()
{
    // A library that names its language and version, after twenty records of sound.
    QStringList library{":020000040000FA"};
    for (int i = 0; i < 20; ++i)
        library << cMyHexRecord(quint16(16 * i), Bytes(16, quint8(i))).toString();
    library << cMyHexRecord(0xFFE0, Bytes{'D', 'e', 'u', 't', 's', 'c', 'h', 0, 0, 0, 0, 0, 0, 0, 0, 0}).toString()
            << cMyHexRecord(0xFFFC, Bytes{3, 4, 5, 6}).toString() << ":00000001FF";
    const QString path = dir.filePath(QStringLiteral("library.tma"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(library.join('\n').toLatin1());
    file.close();
    // Held: the fifth library line of the first upload (past two status reads and four commands).
    cMyEmulatorProcess emu({"--hold", QString::number(93 + 93 + 4 + 5)});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    QSignalSpy spy(w.link(), &cMyTamira::transactionEnded);
    auto upload = [&] {
        dialogs->expectOpenFile(path);
        dialogs->expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
        trigger(w, "actionLibraryUpdate");
    };
    const QString question =
        "If you stop now, the sound library in Tamira stays incomplete until you upload it again.\n"
        "Do you want to stop the upload?";

    // Escape asks, and No goes on; so does closing the window, and a box closed without an
    // answer. The library goes in whole, and the status is read again.
    upload();
    QVERIFY(waitUntil([&] { return emu.stateFigure("held") == 1; }));
    dialogs->expectMessage(cMyDialogs::No, QStringLiteral("Sound library update..."));
    QTest::keyClick(visibleProgress(w), Qt::Key_Escape);
    QCOMPARE(dialogs->asked().last().text, question);
    QCOMPARE(dialogs->asked().last().defaultButton, cMyDialogs::No);
    dialogs->expectMessage(cMyDialogs::NoButton, QStringLiteral("Sound library update..."));
    visibleProgress(w)->close();
    QVERIFY(dialogs->clean() && visibleProgress(w));
    QCOMPARE(emu.release(), 1);
    QVERIFY(ended(spy, 3));
    QCOMPARE(w.findChild<QLabel *>("lVoiceLang")->text(), QString("Deutsch"));
    QCOMPARE(w.findChild<QLabel *>("lVoiceVersion")->text(), QString("3.4.5.6"));
    QVERIFY(waitUntil([&] { return w.statusBar()->currentMessage() == "Sound library sent to Tamira."; }));
    QVERIFY(!w.statusBar()->findChild<QLabel *>("lLibraryIncomplete"));

    // Yes: the upload stops, and the status bar keeps saying what that left behind.
    spy.clear();
    QCOMPARE(emu.control(QString("hold %1").arg(emu.stateFigure("lines") + 93 + 4 + 5)), QString("ok"));
    upload();
    QVERIFY(waitUntil([&] { return emu.stateFigure("held") == 1; }));
    dialogs->expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
    visibleProgress(w)->findChild<QPushButton *>()->click();
    QVERIFY(!visibleProgress(w));
    QVERIFY(waitUntil([&] { return spy.size() == 2; }));
    QCOMPARE(spy.last().first().value<cMyLinkFailure::Reason>(), cMyLinkFailure::Cancelled);
    auto *incomplete = w.statusBar()->findChild<QLabel *>("lLibraryIncomplete");
    QVERIFY(incomplete && !incomplete->isHidden());
    QCOMPARE(incomplete->text(), QString("The sound library in Tamira is incomplete until it is uploaded again."));
    w.statusBar()->showMessage("Something else");
    QVERIFY(!incomplete->isHidden());
    QVERIFY(emu.release() >= 0);
}

void tst_DeviceCommands::libraryFileShrinksDuringTheUpload_data()
{
    QTest::addColumn<int>("cut"); // bytes left: the address record and 1550 records, and some
    QTest::newRow("at a line end") << 0;
    QTest::newRow("inside a record") << 20;
}

void tst_DeviceCommands::libraryFileShrinksDuringTheUpload()
{
    QFETCH(int, cut);
    // More than the 64 KiB the reader takes at a time, so the upload reads the file again later.
    QByteArray text(":020000040000FA\n");
    for (int i = 0; i < 1600; ++i)
        text += cMyHexRecord(quint16(16 * i), Bytes(16, quint8(i))).toString().toLatin1() + '\n';
    text += ":00000001FF\n";
    const QString path = dir.filePath(QStringLiteral("library.tma"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    cMyEmulatorProcess emu({"--hold", QString::number(93 + 93 + 4 + 100)});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    dialogs->expectOpenFile(path);
    dialogs->expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
    dialogs->expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    trigger(w, "actionLibraryUpdate");
    QVERIFY(waitUntil([&] { return emu.stateFigure("held") == 1; }));
    // Cut down to its address record and 1550 records while the upload waits.
    QVERIFY(file.resize(16 + 44 * 1550 + cut));
    QCOMPARE(emu.release(), 1);
    QVERIFY(waitUntil([&] { return dialogs->clean() && !visibleProgress(w); }));
    QCOMPARE(dialogs->asked().last().text,
             QString("The library file changed while it was being sent: 1551 of 1602 lines were "
                     "sent.\nThe sound library in Tamira is incomplete; upload it again."));
    QCOMPARE(emu.receivedLines().size(), 93 + 93 + 4 + 1551);
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
    QVERIFY(!w.statusBar()->findChild<QLabel *>("lLibraryIncomplete")->isHidden());
}

void tst_DeviceCommands::readCompletesUnderAModalBox()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    MainWindow w;
    QVERIFY(attach(w, emu));
    cMyTamira &link = *w.link();
    QSignalSpy spy(&link, &cMyTamira::transactionEnded);
    QSignalSpy records(&link, &cMyTamira::newDataRead);

    // A receiver of the first progress report opens a real modal box, closed once the read has
    // ended (or after a while): the replies must go on arriving under it.
    bool endedUnderTheBox = false;
    connect(&link, &cMyTamira::writeProgress, this, [&](int, int, int value) {
        if (value != 1)
            return;
        QMessageBox box(QMessageBox::Information, QStringLiteral("Tamira"), QStringLiteral("Box"));
        QTimer poll;
        connect(&poll, &QTimer::timeout, &box, [&] {
            endedUnderTheBox = !spy.isEmpty();
            if (endedUnderTheBox)
                box.done(0);
        });
        poll.start(10);
        QTimer::singleShot(20000, &box, [&box] { box.done(0); });
        box.exec();
    });
    QStringList requests = cMyMemoryArea().toHexLines(0, 1024, 16);
    link.readSettings(EEPROM, requests);
    QVERIFY(ended(spy, 1));
    QVERIFY(waitUntil([&] { return endedUnderTheBox; }));
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
    PortDiscovery::setSource([path] {
        return QList<SerialPortEntry>{{path, true, 0x03EB, 0x2018}, {"/dev/ttyTamira9", true, 0x03EB, 0x2018}};
    });
    QVERIFY(waitUntil([&] { return dialogs->asked().size() == 1 && !visibleProgress(w); }));
    const QString text = dialogs->asked().last().text;
    QVERIFY2(text.startsWith(
                 "The list of ports changed (a device was plugged in or unplugged) and the transfer was stopped.\n"
                 "Tamira may now hold incomplete settings; write them again.\nBackup of the previous settings: "),
             qPrintable(text));
    // Once: nothing more is asked while the window goes on (the status read of the new choice).
    QVERIFY(emu.release() >= 0);
    QVERIFY(status.wait(10000));
    QCOMPARE(dialogs->asked().size(), 1);
}

TAMIRA_GUI_TEST_MAIN(tst_DeviceCommands)
#include "tst_devicecommands.moc"
