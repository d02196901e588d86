// The document and its files through the real window: New, Open, Save, Save As, the command-line
// load, a restored backup, a dropped file, the settings read and closing; the question about
// unsaved changes and what each answer does; which paths are refused and why; a save that fails
// leaves the old file whole and names the reason.

#include "app/cmylanguagemenu.h"
#include "app/cmyrecovery.h"
#include "app/mainwindow.h"
#include "base/cmyremembered.h"
#include "device/cmytamira.h"
#include "dialogs/cmywidgetdialogs.h"
#include "jobs/cmybackupstore.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "resources/tamiraversion.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/permissionshonoured.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

#include <sys/stat.h>

using Bytes = QVector<quint8>;

class tst_FileCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void replaceTheDocument_data();
    void replaceTheDocument();
    void noQuestionWithoutAnEdit();
    void realDialogs();
    void templateFromWorkingFolder_data();
    void templateFromWorkingFolder();
    void commandLinePaths_data();
    void commandLinePaths();
    void filesFromOtherWriters_data();
    void filesFromOtherWriters();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void fileReplacedBeforeSave_data();
    void fileReplacedBeforeSave();
    void recoveryCopyOfAProgramThatEnded();
    void rememberedAtTheNextStart();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QScopedPointer<QTemporaryDir> dir;
    QString savedCwd;

    static void trigger(MainWindow &w, const char *action) { w.findChild<QAction *>(action)->trigger(); }
    static Bytes image(MainWindow &w) { return w.settingsImage()->readBytes(0, 1024); }
    static Bytes blank()
    {
        cMyMemoryArea a;
        cMySettingsFile::read(":/pliki/clear.tmo", a);
        return a.readBytes(0, 1024);
    }
    // The blank settings with `author`, saved as `path`.
    static Bytes writeWithAuthor(const QString &path, const QByteArray &author)
    {
        cMyMemoryArea a;
        cMySettingsFile::read(":/pliki/clear.tmo", a);
        a.setData(0x10, Bytes(author.begin(), author.end() + 1));
        return cMySettingsFile::write(path, a) ? a.readBytes(0, 1024) : Bytes();
    }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
    }
    // Drags `path` from a file manager onto `target` and drops it there, if taken.
    static bool dragAccepted(QWidget *target, const QString &path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        data.setText(QUrl::fromLocalFile(path).toString()); // as file managers do
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::sendPostedEvents(); // the drop is taken once the drag is over
        return true;
    }
    QString file(const QString &name) const { return dir->filePath(name); }
    static QString title(const QString &path)
    {
        return "TAMIRAdesk v" TAMIRA_VERSION " --- " + QFileInfo(path).canonicalFilePath() + "[*]";
    }
    void expectSaveQuestion(cMyDialogs::Button answer) { dialogs->expectMessage(answer, "Tamira"); }
};

void tst_FileCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true); // the backups' folder
}

void tst_FileCommands::init()
{
    dialogs.reset(new cMyScriptedDialogs);
    dir.reset(new QTemporaryDir);
    savedCwd = QDir::currentPath();
    QDir::setCurrent(dir->path()); // no clear.tmo here unless a test puts one
}

void tst_FileCommands::cleanup()
{
    QDir::setCurrent(savedCwd);
    QVERIFY2(dialogs->clean(), qPrintable(dialogs->report()));
    dialogs.reset();
}

void tst_FileCommands::replaceTheDocument_data()
{
    QTest::addColumn<QString>("command"); // what takes the place of the edited document
    QTest::addColumn<int>("answer");      // to "Do you want to save changes?"
    QTest::addColumn<QString>("saveAs");  // the name given when asked for one; "-": not asked
    QTest::addColumn<bool>("replaced");
    for (const char *command : {"New", "Open", "RestoreBackup", "drop", "ReadSettings", "Exit"}) {
        QTest::addRow("%s: No", command) << command << int(cMyDialogs::No) << "-" << true;
        QTest::addRow("%s: Cancel", command) << command << int(cMyDialogs::Cancel) << "-" << false;
        QTest::addRow("%s: box closed", command) << command << int(cMyDialogs::NoButton) << "-" << false;
        QTest::addRow("%s: Yes, saved", command) << command << int(cMyDialogs::Yes) << "saved.tmo" << true;
        QTest::addRow("%s: Yes, no name given", command) << command << int(cMyDialogs::Yes) << "" << false;
        QTest::addRow("%s: Yes, the save fails", command) << command << int(cMyDialogs::Yes) << "folder.tmo" << false;
    }
}

void tst_FileCommands::replaceTheDocument()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, replaced);
    // What each command brings: the blank template, a file, a backup, the device's settings.
    QString source = file("other.tmo");
    if (command == "RestoreBackup") {
        QDir().mkpath(cMyBackupStore::folder());
        source = cMyBackupStore::folder() + "/tamira-1-2020-01-01_00-00-00.tmo";
    }
    const Bytes brought = command == "New" ? blank() : writeWithAuthor(source, "Other");
    QScopedPointer<cMyEmulatorProcess> emu;
    MainWindow w;
    w.show();
    if (command == "ReadSettings") {
        emu.reset(new cMyEmulatorProcess({"--eeprom", source, "--baud", "0"}));
        QVERIFY2(emu->start(), qPrintable(emu->errorString()));
        QSignalSpy status(w.link(), &cMyTamira::statusChanged);
        w.link()->setFirstStatusDelay(0);
        emu->offerAsTamira();
        QVERIFY(status.wait(10000));
    }
    QDir(dir->path()).mkdir("folder.tmo");
    w.ensureSettingsForm();
    w.findChild<QLineEdit *>("leAuthor")->setText("Diver");
    const Bytes edited = image(w);
    QVERIFY(w.isWindowModified());

    // A backup is chosen and shown against the form first; its Restore asks.
    if (command == "RestoreBackup")
        dialogs->expectOpenFile(source);
    expectSaveQuestion(cMyDialogs::Button(answer));
    if (saveAs != "-")
        dialogs->expectSaveFile(saveAs.isEmpty() ? QString() : file(saveAs));
    if (saveAs == "folder.tmo")
        dialogs->expectMessage(cMyDialogs::Ok, "Error");
    if (replaced && command == "Open")
        dialogs->expectOpenFile(source);
    if (command == "drop")
        QVERIFY(dragAccepted(&w, source));
    else
        trigger(w, qPrintable("action" + command));
    if (command == "RestoreBackup")
        w.findChild<QPushButton *>("pbRestoreBackup")->click();

    const auto &q = dialogs->asked().at(command == "RestoreBackup" ? 1 : 0);
    const QMap<QString, QString> next{{"New", "before a new document is started"},
                                      {"Open", "before another file is opened"},
                                      {"RestoreBackup", "before a backup is loaded"},
                                      {"drop", "before other.tmo is opened"},
                                      {"ReadSettings", "before the settings are read from Tamira"},
                                      {"Exit", "before the window closes"}};
    QCOMPARE(q.text, "Do you want to save changes?\nThe changes to the new document are saved (Yes) or discarded "
                     "(No) "
                         + next.value(command) + ".");
    QCOMPARE(q.buttons, cMyDialogs::Yes | cMyDialogs::No | cMyDialogs::Cancel);
    QCOMPARE(q.defaultButton, cMyDialogs::Yes);
    QCOMPARE(q.parent, &w);
    if (command == "Exit") {
        QCOMPARE(w.isVisible(), !replaced);
    } else if (command == "ReadSettings" && replaced) {
        QVERIFY(waitUntil([&] { return image(w) == brought; }));
        QVERIFY(w.isWindowModified()); // the device's settings are in no file yet
    } else {
        QCOMPARE(image(w), replaced ? brought : edited);
        QCOMPARE(w.isWindowModified(), !replaced);
    }
    if (command == "ReadSettings" && !replaced)
        QVERIFY(!w.findChild<QProgressDialog *>()); // no read started
    const bool saved = saveAs == "saved.tmo";
    // What Save now writes to without asking: the file opened; no file after New or a backup;
    // the device's settings stay with the document's file.
    const QMap<QString, QString> current{
        {"Open", "other.tmo"}, {"drop", "other.tmo"}, {"ReadSettings", saved ? "saved.tmo" : ""}};
    if (command != "Exit")
        QCOMPARE(w.currentFile().fileName(), replaced ? current.value(command) : QString());
    QCOMPARE(QFileInfo::exists(file("saved.tmo")), saved);
    cMyMemoryArea back;
    QVERIFY(!saved || (cMySettingsFile::read(file("saved.tmo"), back) && back.readBytes(0, 1024) == edited));
}

void tst_FileCommands::noQuestionWithoutAnEdit()
{
    const Bytes trip = writeWithAuthor(file("trip.tmo"), "Trip");
    QDir().mkpath(cMyBackupStore::folder());
    const QString backup = cMyBackupStore::folder() + "/tamira-2-2020-01-01_00-00-00.tmo";
    writeWithAuthor(backup, "Backup");
    MainWindow w;
    w.ensureSettingsForm();
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION "[*]"));
    // Starting, New, Open, a dropped file and a restored backup are no edits: nothing is asked.
    trigger(w, "actionNew");
    dialogs->expectOpenFile(QString()); // cancelled: nothing changes
    trigger(w, "actionOpen");
    QCOMPARE(dialogs->asked().last().filter, QString("Setup file (*.tmo);;All files (*)"));
    dialogs->expectOpenFile(file("trip.tmo"));
    trigger(w, "actionOpen");
    QCOMPARE(image(w), trip);
    QCOMPARE(w.windowTitle(), title(file("trip.tmo")));
    QVERIFY(!dragAccepted(&w, file("notes.txt")));
    // Dropped on a field that takes text, the file still opens; its name is no text.
    QVERIFY(dragAccepted(w.findChild<QLineEdit *>("leAuthor"), file("trip.tmo")));
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Trip"));
    dialogs->expectOpenFile(backup);
    trigger(w, "actionRestoreBackup");
    w.findChild<QPushButton *>("pbRestoreBackup")->click();
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("Backup"));
    QVERIFY(w.currentFile().filePath().isEmpty()); // Save asks for a name, the backup stays
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.statusBar()->currentMessage(), "Loaded the backup " + QDir::toNativeSeparators(backup)
                                                  + ". Tamira stays unchanged until the settings are written to it.");
    QCOMPARE(dialogs->asked().size(), 3); // the three file dialogs, no question

    // An edit marks the title; a save clears the mark and says where it went.
    w.findChild<QLineEdit *>("leAuthor")->setText("Diver");
    QVERIFY(w.isWindowModified());
    dialogs->expectSaveFile(file("first.tmo"));
    trigger(w, "actionSave");
    QCOMPARE(dialogs->asked().last().title, QString("Save to file"));
    QCOMPARE(dialogs->asked().last().filter, QString("Setup file (*.tmo)"));
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.windowTitle(), title(file("first.tmo")));
    QCOMPARE(w.statusBar()->currentMessage(), "Saved to " + QDir::toNativeSeparators(file("first.tmo")) + ".");
    // Undone back to the saved document, the mark goes; a load takes the history with it.
    w.findChild<QLineEdit *>("leAuthor")->setText("Y");
    QCoreApplication::processEvents();
    trigger(w, "actionUndo");
    QVERIFY(!w.isWindowModified());
    trigger(w, "actionRedo");
    QVERIFY(w.isWindowModified());
    // Save on a saved document asks nothing; Save As asks, starting in its folder.
    w.findChild<QLineEdit *>("leAuthor")->setText("Z");
    trigger(w, "actionSave");
    cMyMemoryArea back;
    QVERIFY(cMySettingsFile::read(file("first.tmo"), back));
    QCOMPARE(back.readBytes(0x10, 2), (Bytes{'Z', 0}));
    dialogs->expectSaveFile(file("second.tmo"));
    trigger(w, "actionSaveAs");
    QCOMPARE(dialogs->asked().last().dir, dir->path());
    QCOMPARE(w.currentFile().fileName(), QString("second.tmo"));
    QVERIFY(w.findChild<QAction *>("actionUndo")->isEnabled());
    dialogs->expectOpenFile(file("trip.tmo"));
    trigger(w, "actionOpen");
    QVERIFY(!w.findChild<QAction *>("actionUndo")->isEnabled());
}

void tst_FileCommands::realDialogs()
{
    cMyWidgetDialogs real;
    // Escape on the question means Cancel.
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(real.message(nullptr, cMyDialogs::Question, "Tamira", "Do you want to save changes?",
                          cMyDialogs::Yes | cMyDialogs::No | cMyDialogs::Cancel, cMyDialogs::Yes),
             cMyDialogs::Cancel);

    // The save dialog adds ".tmo" to a name typed without it, and asks before replacing a file
    // of the name it made (answered No here, then the dialog is cancelled).
    QStringList asked;
    QTimer user;
    connect(&user, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked << box->text();
            box->button(QMessageBox::No)->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (!asked.isEmpty() && QFileInfo::exists(file("typed.tmo"))) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("typed");
            asked << QString();
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    user.start(20);
    QCOMPARE(real.saveFileName(nullptr, "Save to file", dir->path(), "Setup file (*.tmo)"), file("typed.tmo"));
    writeWithAuthor(file("typed.tmo"), "T");
    asked.clear();
    QCOMPARE(real.saveFileName(nullptr, "Save to file", dir->path(), "Setup file (*.tmo)"), QString());
    QCOMPARE(asked.size(), 2);
    QVERIFY2(asked.last().startsWith("typed.tmo already exists."), qPrintable(asked.last()));
}

void tst_FileCommands::templateFromWorkingFolder_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("own template") << false;
    QTest::newRow("damaged: the built-in one stands") << true;
}

void tst_FileCommands::templateFromWorkingFolder()
{
    QFETCH(bool, damaged);
    cMyMemoryArea own;
    cMySettingsFile::read(":/pliki/clear.tmo", own);
    own.setData(0xF0, Bytes{9, 9, 9, 9});
    QVERIFY(cMySettingsFile::write(file("clear.tmo"), own));
    if (damaged) {
        QFile f(file("clear.tmo"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not a settings file\n") > 0);
        dialogs->expectMessage(cMyDialogs::Ok, "Warning");
    }
    MainWindow w;
    QCOMPARE(image(w), damaged ? blank() : own.readBytes(0, 1024));
    QVERIFY(w.currentFile().filePath().isEmpty());
    QVERIFY(!w.isWindowModified());
}

void tst_FileCommands::commandLinePaths_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // in the warning; none: the name becomes the document's
    QTest::newRow("settings file") << "file"
                                   << "";
    QTest::newRow("name that does not exist: a new document") << "missing"
                                                              << "";
    QTest::newRow("folder") << "folder"
                            << "not a regular file but a folder";
    QTest::newRow("FIFO: no hang") << "fifo"
                                   << "not a regular file but a FIFO";
    QTest::newRow("device") << "/dev/zero"
                            << "not a regular file but a device";
    QTest::newRow("symbolic link loop") << "loop"
                                        << "too many symbolic links (a link loop?)";
    QTest::newRow("dangling link") << "dangling"
                                   << "the symbolic link points to a file that does not exist";
    QTest::newRow("no such folder") << "nofolder"
                                    << "/no/such does not exist";
    QTest::newRow("folder without search permission") << "locked"
                                                      << "permission denied";
}

void tst_FileCommands::commandLinePaths()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QString path = file(kind + ".tmo");
    Bytes expected = blank();
    if (kind == "file")
        expected = writeWithAuthor(path, "CL");
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(path));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
    else if (kind.startsWith('/'))
        path = kind;
    else if (kind == "loop" || kind == "dangling")
        QVERIFY(QFile::link(kind == "loop" ? path : file("gone.tmo"), path));
    else if (kind == "nofolder")
        path = file("no/such/x.tmo");
    if (kind == "locked") {
        QVERIFY(QDir().mkdir(path) && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        path += "/x.tmo";
    }
    MainWindow w;
    if (!reason.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, "Warning");
    {
        PermissionsHonoured asAUser;
        QVERIFY(asAUser.isSet());
        w.loadFromCommandLine(path);
    }
    QCOMPARE(image(w), expected);
    QVERIFY(!w.isWindowModified());
    if (!reason.isEmpty()) {
        const QString said = dialogs->asked().last().text;
        QVERIFY2(said.startsWith("No settings record could be read from the file " + QDir::toNativeSeparators(path))
                     && said.contains(reason),
                 qPrintable(said));
        QVERIFY(w.currentFile().filePath().isEmpty());
        QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION "[*]"));
        return;
    }
    QCOMPARE(w.currentFile().filePath(), path);
    w.ensureSettingsForm();
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString(kind == "file" ? "CL" : ""));
    // A new document gets its name in the title once Save (asking nothing) has made the file.
    QCOMPARE(w.windowTitle(), kind == "file" ? title(path) : QString("TAMIRAdesk v" TAMIRA_VERSION "[*]"));
    trigger(w, "actionSave");
    QCOMPARE(w.windowTitle(), title(path));
}

namespace {

// A 1 KiB block that no template looks like, and the same as srec_cat writes it.
Bytes otherImage()
{
    Bytes b(1024);
    for (int i = 0; i < b.size(); ++i)
        b[i] = quint8(i * 7 + 3);
    return b;
}
QByteArray srecCat(const Bytes &image)
{
    QProcess p;
    p.start(TAMIRA_SREC_CAT, {"-", "-binary", "-o", "-", "-intel"});
    p.write(reinterpret_cast<const char *>(image.constData()), image.size());
    p.closeWriteChannel();
    return p.waitForFinished(30000) ? p.readAllStandardOutput().toLower() : QByteArray();
}
QByteArray utf16(const QByteArray &text, bool bigEndian)
{
    QByteArray out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text)
        out.append(bigEndian ? '\0' : c).append(bigEndian ? c : '\0');
    return out;
}

} // namespace

void tst_FileCommands::filesFromOtherWriters_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("recordsRead"); // 32-byte records taken; -1: all, with no warning
    QTest::addColumn<QString>("problem");
    const QByteArray srec = srecCat(otherImage());
    QList<QByteArray> moved = srec.split('\n'), badSum = moved;
    moved.insert(11, ":020000040001f9");
    badSum[11][badSum[11].size() - 1] = badSum[11].endsWith('0') ? '1' : '0';
    const QString noByte = "its records hold no byte of the settings (addresses 0-1023)";
    QTest::newRow("srec_cat: address record, 32-byte records, lower case, LF") << srec << -1 << QString();
    QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBF" + srec << -1 << QString();
    QTest::newRow("UTF-16 LE") << utf16(srec, false) << -1 << QString();
    QTest::newRow("UTF-16 BE") << utf16(srec, true) << -1 << QString();
    QTest::newRow("address record in the middle")
        << moved.join('\n') << 10 << "line 12: an address record moves the data outside the settings block";
    QTest::newRow("bad checksum in the middle") << badSum.join('\n') << 10 << "line 12: wrong checksum";
    QTest::newRow("bad checksum in the middle, named at start") << badSum.join('\n') << 10 << "line 12: wrong checksum";
    QTest::newRow("binary file") << QByteArray(reinterpret_cast<const char *>(otherImage().constData()), 1024) << 0
                                 << "line 1: not an Intel HEX record";
    QTest::newRow("empty file") << QByteArray() << 0 << "the file holds no records";
    QTest::newRow("records past the block only")
        << QByteArray(":1004000000000000000000000000000000000000EC\n") << 0 << noByte;
    QTest::newRow("zero-length records") << QByteArray(":0000000000\n:00001000F0\n") << 0 << noByte;
}

void tst_FileCommands::filesFromOtherWriters()
{
    QFETCH(QByteArray, text);
    QFETCH(int, recordsRead);
    QFETCH(QString, problem);
    const QString path = file("other.tmo");
    QFile other(path);
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write(text) == text.size() && other.flush());
    MainWindow w;
    Bytes expected = image(w);
    std::copy_n(otherImage().constBegin(), recordsRead < 0 ? 1024 : 32 * recordsRead, expected.begin());

    const bool commandLine = QString(QTest::currentDataTag()).endsWith("named at start");
    if (!commandLine)
        dialogs->expectOpenFile(path);
    if (recordsRead >= 0)
        dialogs->expectMessage(cMyDialogs::Ok, "Warning");
    if (commandLine)
        w.loadFromCommandLine(path);
    else
        trigger(w, "actionOpen");
    QCOMPARE(image(w), expected);
    const QString warning = recordsRead < 0 ? QString() : dialogs->asked().last().text;
    QVERIFY2(
        recordsRead < 0
            || (warning.contains(QDir::toNativeSeparators(path)) && warning.contains(problem)
                && warning.contains(
                    recordsRead
                        ? QString(
                              "Records read: %1. The rest of the settings were left as they were.\nSave will ask for a file name")
                              .arg(recordsRead)
                        : QString("No settings record could be read"))),
        qPrintable(warning));

    // Only a file something was read from becomes the document, and only one read whole is
    // written back by Save without asking: the rest of a damaged one would be lost.
    QCOMPARE(w.windowTitle(), recordsRead ? title(path) : QString("TAMIRAdesk v" TAMIRA_VERSION "[*]"));
    QVERIFY(!w.isWindowModified());
    if (recordsRead >= 0)
        dialogs->expectSaveFile(QString());
    trigger(w, "actionSave");
    if (recordsRead > 0)
        QCOMPARE(dialogs->asked().last().dir, path); // offering that name asks before replacing it
    cMyMemoryArea back;
    QVERIFY(recordsRead < 0 ? cMySettingsFile::read(path, back) && back.readBytes(0, 1024) == expected
                            : contents(path) == text);
}

void tst_FileCommands::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("oldSize");       // of the file there before (0: none)
    QTest::addColumn<bool>("lockedFolder"); // takes no new file: the save writes in place
    QTest::addColumn<int>("limit");         // the file size limit, standing in for a full disk
    QTest::addColumn<QString>("reason");    // none: saved
    const QString tooLarge = "file too large (the file size limit was reached)";
    QTest::newRow("the disk fills up") << "a.tmo" << 2827 << false << 1000 << tooLarge;
    QTest::newRow("in place, growing past the limit") << "a.tmo" << 100 << true << 1000 << tooLarge;
    QTest::newRow("in place, cut short by the limit") << "a.tmo" << 3000 << true << 1000 << tooLarge;
    QTest::newRow("in place, shrinking") << "a.tmo" << 3000 << true << 0 << "";
    QTest::newRow("in place, growing") << "a.tmo" << 100 << true << 0 << "";
    QTest::newRow("a read-only file") << "readonly.tmo" << 2827 << false << 0 << "permission denied";
    QTest::newRow("a new file in a read-only folder") << "new.tmo" << 0 << true << 0 << "permission denied";
    QTest::newRow("a FIFO") << "fifo" << 0 << false << 0 << "not a regular file but a FIFO";
}

void tst_FileCommands::failedSaveKeepsTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(int, oldSize);
    QFETCH(bool, lockedFolder);
    QFETCH(int, limit);
    QFETCH(QString, reason);
    const QString folder = file("folder"), path = folder + "/" + name;
    QVERIFY(QDir().mkdir(folder));
    QByteArray old(oldSize, 'o');
    QFile f(path);
    QVERIFY(!oldSize || (f.open(QIODevice::WriteOnly) && f.write(old) == oldSize && f.flush()));
    if (name == "fifo")
        QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
    QFile::setPermissions(path, name == "readonly.tmo" ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    if (lockedFolder)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    MainWindow w;
    w.settingsImage()->setData(0x10, Bytes{'N', 'e', 'w', 0});
    dialogs->expectSaveFile(path);
    if (!reason.isEmpty())
        dialogs->expectMessage(cMyDialogs::Ok, "Error");
    {
        PermissionsHonoured asAUser;
        FileSizeLimit fullDisk(limit ? rlim_t(limit) : RLIM_INFINITY);
        QVERIFY(asAUser.isSet() && fullDisk.isSet());
        trigger(w, "actionSaveAs");
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden),
             name == "new.tmo" ? QStringList() : QStringList{name});
    if (reason.isEmpty()) {
        QCOMPARE(contents(path), cMySettingsFile::text(*w.settingsImage()).toLatin1());
        QVERIFY(!w.isWindowModified());
        return;
    }
    QCOMPARE(dialogs->asked().last().text,
             "The file " + QDir::toNativeSeparators(path) + " could not be saved:\n" + reason);
    QVERIFY(name == "fifo" || contents(path) == old || (!oldSize && !QFileInfo::exists(path)));
    QVERIFY(w.isWindowModified());
    QVERIFY(w.currentFile().filePath().isEmpty());
}

void tst_FileCommands::rememberedAtTheNextStart()
{
    // A first start: English, nothing recent, the dialogs in the home folder.
    cMyRemembered::forgetAll();
    const auto cleanUp = qScopeGuard([] {
        useEnglishCatalogue(true);
        cMyRemembered::forgetAll();
    });
    writeWithAuthor(file("one.tmo"), "One");
    writeWithAuthor(file("two.tmo"), "Two");
    QRect geometry;
    {
        MainWindow w;
        QVERIFY(w.findChild<QAction *>("actionEnglish")->isChecked());
        QVERIFY(!w.findChild<QAction *>("actionRecentFiles")->isEnabled());
        dialogs->expectOpenFile(file("one.tmo"));
        trigger(w, "actionOpen");
        QCOMPARE(dialogs->asked().last().dir, QDir::homePath());
        dialogs->expectSaveFile(file("two.tmo"));
        trigger(w, "actionSaveAs");
        w.findChild<QAction *>("actionPolski")->trigger();
        w.show();
        // A place and size the screen holds whole, so that the next start needs to fit nothing.
        const QRect area = w.screen()->availableGeometry();
        w.setGeometry(area.left() + (area.width() - w.minimumWidth()) / 2, area.top() + 30, w.minimumWidth(), 450);
        geometry = w.geometry();
        QVERIFY(w.close());
    }
    // The next start, in English as every start is until the remembered choice is taken.
    useEnglishCatalogue(true);
    cMyLanguageMenu::useRememberedLanguage();
    MainWindow w;
    QVERIFY(w.findChild<QAction *>("actionPolski")->isChecked());
    QCOMPARE(w.findChild<QAction *>("actionNew")->text(), QString("&Nowy..."));
    w.show();
    QCOMPARE(w.geometry(), geometry);
    auto *recent = w.findChild<QMenu *>("menuRecentFiles");
    QStringList entries;
    for (QAction *a : recent->actions())
        entries << a->text();
    QCOMPARE(entries, (QStringList{"&1 two.tmo", "&2 one.tmo", "", "&Wyczyść listę ostatnich plików"}));
    dialogs->expectOpenFile(QString());
    trigger(w, "actionOpen");
    QCOMPARE(dialogs->asked().last().dir, dir->path()); // where the last settings dialog took a file
    // A file gone since is taken off the list with a word; another opens as it is chosen.
    QFile::remove(file("two.tmo"));
    trigger(w, "actionRecentFile1");
    QVERIFY(waitUntil([&] { return recent->actions().size() == 3; }));
    QCOMPARE(w.statusBar()->currentMessage(), "Pliku " + QDir::toNativeSeparators(file("two.tmo"))
                                                  + " już nie ma; usunięto go z listy ostatnich plików.");
    trigger(w, "actionRecentFile1");
    QVERIFY(waitUntil([&] { return w.currentFile().fileName() == "one.tmo"; }));
    QCOMPARE(w.settingsImage()->readBytes(0x10, 4), (Bytes{'O', 'n', 'e', 0}));
    trigger(w, "actionClearRecentFiles");
    QVERIFY(waitUntil([&] { return !w.findChild<QAction *>("actionRecentFiles")->isEnabled(); }));
    // Without a remembered choice the program starts in English.
    cMyRemembered::forgetAll();
    useEnglishCatalogue(true);
    cMyLanguageMenu::useRememberedLanguage();
    QVERIFY(englishCatalogueInUse());
}

TAMIRA_GUI_TEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"

void tst_FileCommands::fileReplacedBeforeSave_data()
{
    QTest::addColumn<QString>("change"); // to the opened file before Save
    QTest::addColumn<int>("answer");     // to the question; -1: not asked
    QTest::newRow("rewritten in place") << "in place" << -1;
    QTest::newRow("removed") << "removed" << -1;
    QTest::newRow("another file, No") << "another" << int(cMyDialogs::No);
    QTest::newRow("another file, box closed") << "another" << int(cMyDialogs::NoButton);
    QTest::newRow("another file, Yes") << "another" << int(cMyDialogs::Yes);
    QTest::newRow("a link elsewhere, No") << "link" << int(cMyDialogs::No);
}

void tst_FileCommands::fileReplacedBeforeSave()
{
    QFETCH(QString, change);
    QFETCH(int, answer);
    const QString path = file("mine.tmo"), theirs = file("theirs.tmo");
    const Bytes mine = writeWithAuthor(path, "Mine"), other = writeWithAuthor(theirs, "Theirs");
    MainWindow w;
    w.loadFromCommandLine(path);
    QFile opened(path);
    if (change == "in place")
        QVERIFY(opened.open(QIODevice::ReadWrite) && opened.write(contents(path)) > 0 && opened.flush());
    else if (change == "removed")
        QVERIFY(opened.remove());
    // Made beside it and renamed over it, as editors save.
    else if (change == "another" ? QFile::copy(theirs, path + ".new") : QFile::link(theirs, path + ".new"))
        QCOMPARE(::rename(qPrintable(path + ".new"), qPrintable(path)), 0);
    if (answer >= 0)
        dialogs->expectMessage(cMyDialogs::Button(answer), "Tamira");
    trigger(w, "actionSave");
    QVERIFY2(dialogs->clean(), qPrintable(dialogs->report()));
    if (answer >= 0)
        QCOMPARE(dialogs->asked().last().text,
                 QString("The file %1 is no longer the one that was opened or last saved: another file or a link has "
                         "taken its place.\nSave the settings to %2, replacing what it holds?")
                     .arg(path, change == "link" ? theirs : path));
    cMyMemoryArea back;
    QVERIFY(cMySettingsFile::read(path, back));
    QCOMPARE(back.readBytes(0, 1024), answer == cMyDialogs::No || answer == cMyDialogs::NoButton ? other : mine);
}

void tst_FileCommands::recoveryCopyOfAProgramThatEnded()
{
    // The copies of stop signals and of the 30 s timer are the real program's (recovery_test.sh);
    // here: whose copy is offered, and what Yes opens.
    QDir(cMyRecovery::folder()).removeRecursively();
    const QString path = file("mine.tmo");
    writeWithAuthor(path, "Mine");
    auto *stopped = new MainWindow;
    stopped->loadFromCommandLine(path);
    stopped->settingsImage()->setData(0x10, Bytes{'E', 'd', 'i', 't', 0});
    stopped->keepRecoveryCopy();
    const Bytes edited = image(*stopped);
    MainWindow next;
    next.offerRecovery(); // the program with the copy still runs
    QVERIFY(dialogs->asked().isEmpty());
    delete stopped;
    dialogs->expectMessage(cMyDialogs::Yes, "TAMIRAdesk");
    next.offerRecovery();
    QVERIFY2(dialogs->clean(), qPrintable(dialogs->report()));
    QVERIFY(dialogs->asked().last().text.startsWith(
        QString("TAMIRAdesk was stopped with unsaved changes to %1 (").arg(path)));
    QCOMPARE(dialogs->asked().last().defaultButton, cMyDialogs::No);
    QCOMPARE(image(next), edited);
    QCOMPARE(next.windowTitle(), title(path));
    QVERIFY(next.isWindowModified());
    // The old copy gave way to the new program's own.
    QCOMPARE(QDir(cMyRecovery::folder()).entryList({"*.recovery"}).size(), 1);
}
