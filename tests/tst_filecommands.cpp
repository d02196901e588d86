// New, Open, Save, Save As and the command-line load: which question is asked, what each
// answer does, the current file and the title.

#include "app/mainwindow.h"
#include "app/tamiraversion.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using Bytes = QVector<quint8>;

class tst_FileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newAsksFirst_data();
    void newAsksFirst();
    void saveOnNewAsksForAName();
    void openAndCancel();
    void templateFromWorkingFolder_data();
    void templateFromWorkingFolder();
    void commandLineLoad();
    void filesFromOtherWriters_data();
    void filesFromOtherWriters();
    void saveInAFolderThatTakesNoNewFile();

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
    QString file(const char *name) const { return dir->filePath(name); }
    static QString title(const QString &path)
    {
        return "TAMIRAdesk v" TAMIRA_VERSION " --- " + QFileInfo(path).canonicalFilePath();
    }
    void expectSaveQuestion(cMyDialogs::Button answer) { dialogs->expectMessage(answer, "Tamira"); }
};

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

void tst_FileCommands::saveOnNewAsksForAName()
{
    MainWindow w;
    QVERIFY(dialogs->asked().isEmpty()); // the start asks nothing
    // Cancelled: nothing saved, nothing changes.
    dialogs->expectSaveFile(QString());
    trigger(w, "actionSave");
    QCOMPARE(dialogs->asked().last().title, QString("Save to file"));
    QCOMPARE(dialogs->asked().last().filter, QString("Setup file (*.tmo)"));
    QVERIFY(w.settingsImage()->isModified());
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));
    QVERIFY(QDir(dir->path()).entryList(QDir::Files).isEmpty());

    dialogs->expectSaveFile(file("first.tmo"));
    trigger(w, "actionSave");
    QVERIFY(!w.settingsImage()->isModified());
    QCOMPARE(w.windowTitle(), title(file("first.tmo")));
    cMyMemoryArea back;
    QVERIFY(cMySettingsFile::read(file("first.tmo"), back));
    QCOMPARE(back.readBytes(0, 1024), image(w));

    // Save on a saved document asks nothing; Save As asks, starting in its folder.
    w.settingsImage()->setData(0x10, Bytes{'Z', 0});
    trigger(w, "actionSave");
    QVERIFY(cMySettingsFile::read(file("first.tmo"), back));
    QCOMPARE(back.readBytes(0x10, 2), (Bytes{'Z', 0}));
    dialogs->expectSaveFile(file("second.tmo"));
    trigger(w, "actionSaveAs");
    QCOMPARE(dialogs->asked().last().dir, QFileInfo(file("first.tmo")).absolutePath());
    QCOMPARE(w.windowTitle(), title(file("second.tmo")));
    QCOMPARE(w.currentFile().fileName(), QString("second.tmo"));

    // Closing with unsaved changes asks nothing either.
    w.settingsImage()->setData(0x10, Bytes{'Y', 0});
    w.show();
    QVERIFY(w.close());
}

void tst_FileCommands::newAsksFirst_data()
{
    QTest::addColumn<bool>("opened");    // the document came from kept.tmo, else from New
    QTest::addColumn<int>("answer");     // to "Do you want to save changes?"
    QTest::addColumn<QString>("saveAs"); // the name given when asked; "-": not asked
    QTest::addColumn<QString>("kept");   // the author in kept.tmo afterwards
    QTest::newRow("No") << false << int(cMyDialogs::No) << "-" << "Old";
    QTest::newRow("box closed") << false << int(cMyDialogs::NoButton) << "-" << "Old";
    QTest::newRow("Yes, no name given: New goes on") << false << int(cMyDialogs::Yes) << "" << "Old";
    QTest::newRow("Yes, a name") << false << int(cMyDialogs::Yes) << "kept.tmo" << "Diver";
    QTest::newRow("Yes on an opened file: no name asked") << true << int(cMyDialogs::Yes) << "-" << "Diver";
    QTest::newRow("No on an opened file") << true << int(cMyDialogs::No) << "-" << "Old";
    QTest::newRow("Yes, the save fails: the edits stay") << false << int(cMyDialogs::Yes) << "folder.tmo" << "Old";
}

void tst_FileCommands::newAsksFirst()
{
    QFETCH(bool, opened);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(QString, kept);
    cMyMemoryArea old;
    cMySettingsFile::read(":/pliki/clear.tmo", old);
    old.setData(0x10, Bytes{'O', 'l', 'd', 0});
    QVERIFY(cMySettingsFile::write(file("kept.tmo"), old));
    QDir(dir->path()).mkdir("folder.tmo");
    MainWindow w;
    w.ensureSettingsForm();
    if (opened) {
        expectSaveQuestion(cMyDialogs::No);
        dialogs->expectOpenFile(file("kept.tmo"));
        trigger(w, "actionOpen");
    }
    w.findChild<QLineEdit *>("leAuthor")->setText("Diver");
    expectSaveQuestion(cMyDialogs::Button(answer));
    if (saveAs != "-")
        dialogs->expectSaveFile(saveAs.isEmpty() ? QString() : file(qPrintable(saveAs)));
    const bool fails = saveAs == "folder.tmo";
    if (fails)
        dialogs->expectMessage(cMyDialogs::Ok, "Error");
    trigger(w, "actionNew");

    const auto &q = dialogs->asked().at(opened ? 2 : 0);
    QCOMPARE(q.text, QString("Do you want to save changes?"));
    QCOMPARE(q.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
    QCOMPARE(q.parent, &w);
    if (fails) {
        // The save failed: said why, the edits and the document stay, no current file.
        const QString said = dialogs->asked().last().text, name = QDir::toNativeSeparators(file("folder.tmo"));
        QVERIFY2(said.startsWith("The file " + name + " could not be saved:\n") && said.size() > name.size() + 30, qPrintable(said));
        QCOMPARE(w.settingsImage()->readBytes(0x10, 6), (Bytes{'D', 'i', 'v', 'e', 'r', 0}));
        QVERIFY(w.settingsImage()->isModified());
        QVERIFY(w.currentFile().filePath().isEmpty());
    } else {
        QCOMPARE(image(w), blank());
    }
    QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text().isEmpty(), !fails);
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));
    cMyMemoryArea back;
    QVERIFY(cMySettingsFile::read(file("kept.tmo"), back));
    const QByteArray author = kept.toLatin1().append('\0');
    QCOMPARE(back.readBytes(0x10, quint16(author.size())), Bytes(author.begin(), author.end()));
}

void tst_FileCommands::openAndCancel()
{
    cMyMemoryArea other;
    cMySettingsFile::read(":/pliki/clear.tmo", other);
    other.setData(0x80, quint8(75)); // 2 Hz
    other.setData(0x20, Bytes{'T', 'r', 'i', 'p', 0});
    QVERIFY(cMySettingsFile::write(file("trip.tmo"), other));

    MainWindow w;
    w.ensureSettingsForm();
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);

    // Cancelled: image, current file and title stay; no question since nothing changed.
    dialogs->expectOpenFile(QString());
    trigger(w, "actionOpen");
    QCOMPARE(dialogs->asked().last().title, QString("Open file"));
    QCOMPARE(dialogs->asked().last().filter, QString("Setup file (*.tmo)"));
    QCOMPARE(image(w), before);
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));

    dialogs->expectOpenFile(file("trip.tmo"));
    trigger(w, "actionOpen");
    QCOMPARE(image(w), other.readBytes(0, 1024));
    QCOMPARE(w.windowTitle(), title(file("trip.tmo")));
    QCOMPARE(w.findChild<QComboBox *>("par1Cb")->currentText(), QString("2 [Hz]"));
    QCOMPARE(w.findChild<QLineEdit *>("leTitle")->text(), QString("Trip"));
    QVERIFY(w.settingsImage()->isModified()); // loading marks the document, so New asks

    // An unreadable file still becomes the current file; the image stays.
    expectSaveQuestion(cMyDialogs::No);
    dialogs->expectOpenFile(file("missing.tmo"));
    trigger(w, "actionOpen");
    QCOMPARE(image(w), other.readBytes(0, 1024));
    QCOMPARE(w.currentFile().fileName(), QString("missing.tmo"));
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));
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
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));
}

void tst_FileCommands::commandLineLoad()
{
    cMyMemoryArea own;
    cMySettingsFile::read(":/pliki/clear.tmo", own);
    own.setData(0x10, Bytes{'C', 'L', 0});
    QVERIFY(cMySettingsFile::write(file("cl.tmo"), own));
    {
        MainWindow w;
        w.loadFromCommandLine(file("cl.tmo"));
        QCOMPARE(image(w), own.readBytes(0, 1024));
        QCOMPARE(w.windowTitle(), title(file("cl.tmo")));
        w.ensureSettingsForm();
        QCOMPARE(w.findChild<QLineEdit *>("leAuthor")->text(), QString("CL"));
    }
    // A file that does not exist: the template stays, no path in the title, and Save writes
    // to that name without asking. (One that cannot be read is warned about as Open does.)
    MainWindow w;
    w.loadFromCommandLine(file("new-one.tmo"));
    QCOMPARE(image(w), blank());
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION));
    trigger(w, "actionSave");
    QVERIFY(QFileInfo::exists(file("new-one.tmo")));
    QCOMPARE(w.windowTitle(), title(file("new-one.tmo")));
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
    QTest::newRow("srec_cat: address record, 32-byte records, lower case, LF") << srec << -1 << QString();
    QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBF" + srec << -1 << QString();
    QTest::newRow("UTF-16 LE") << utf16(srec, false) << -1 << QString();
    QTest::newRow("UTF-16 BE") << utf16(srec, true) << -1 << QString();
    QTest::newRow("address record in the middle") << moved.join('\n') << 10 << "line 12: an address record moves the data outside the settings block";
    QTest::newRow("bad checksum in the middle") << badSum.join('\n') << 10 << "line 12: wrong checksum";
    QTest::newRow("binary file") << QByteArray(reinterpret_cast<const char *>(otherImage().constData()), 1024) << 0 << "line 1: not an Intel HEX record";
    QTest::newRow("empty file") << QByteArray() << 0 << "the file holds no records";
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
    w.settingsImage()->setModified(false);
    Bytes expected = image(w);
    std::copy_n(otherImage().constBegin(), recordsRead < 0 ? 1024 : 32 * recordsRead, expected.begin());

    dialogs->expectOpenFile(path);
    if (recordsRead >= 0)
        dialogs->expectMessage(cMyDialogs::Ok, "Warning");
    trigger(w, "actionOpen");
    QCOMPARE(image(w), expected);
    const QString warning = recordsRead < 0 ? QString() : dialogs->asked().last().text;
    QVERIFY2(recordsRead < 0 || (warning.contains(QDir::toNativeSeparators(path)) && warning.contains(problem)
                                 && warning.contains(recordsRead ? QString("Records read: %1. The rest of the settings were left as they were.").arg(recordsRead)
                                                                 : QString("No settings record could be read"))),
             qPrintable(warning));

    // Only a file something was read from becomes the document that Save writes back.
    const bool loaded = recordsRead != 0;
    QCOMPARE(w.windowTitle(), loaded ? title(path) : QString("TAMIRAdesk v" TAMIRA_VERSION));
    QCOMPARE(w.settingsImage()->isModified(), loaded);
    if (!loaded)
        dialogs->expectSaveFile(QString());
    trigger(w, "actionSave");
    cMyMemoryArea back;
    QFile saved(path);
    QVERIFY(loaded ? cMySettingsFile::read(path, back) && back.readBytes(0, 1024) == expected
                   : saved.open(QIODevice::ReadOnly) && saved.readAll() == text);
}

void tst_FileCommands::saveInAFolderThatTakesNoNewFile()
{
    const QString folder = file("locked"), path = folder + "/kept.tmo";
    QVERIFY(QDir().mkdir(folder));
    MainWindow w;
    dialogs->expectSaveFile(path);
    trigger(w, "actionSaveAs");
    w.settingsImage()->setData(0x10, Bytes{'L', 0});
    // A read-only folder; a test run as root gives up, on this thread, passing over permissions.
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2] = {}, reduced[2] = {};
    QCOMPARE(syscall(SYS_capget, &header, saved), 0L);
    std::copy(saved, saved + 2, reduced);
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    QCOMPARE(syscall(SYS_capset, &header, reduced), 0L);
    const bool locked = !QFile(folder + "/probe").open(QIODevice::WriteOnly);
    trigger(w, "actionSave");
    syscall(SYS_capset, &header, saved);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(locked);
    QVERIFY(!w.settingsImage()->isModified());
    cMyMemoryArea back;
    QVERIFY(cMySettingsFile::read(path, back));
    QCOMPARE(back.readBytes(0, 1024), image(w));
}

TAMIRA_GUI_TEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
