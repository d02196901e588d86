// The service console's window and link end to end: a real QSerialPort on the emulator's
// pseudo-terminal, with what went over the wire read back from the emulator's log; its port
// chooser over the shared port discovery; the debug log behind its pane; its files (the hex file
// model, saving through QSaveFile) and its command-line mode run as a process against the
// emulator. Its transfers against every fault the emulator can inject are in tst_faultmatrix.

#include "base/cmyremembered.h"
#include "device/portdiscovery.h"
#include "resources/tamiraversion.h"
#include "servicetool/cmydebuglog.h"
#include "servicetool/cmyhexfile.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmyportselect.h"
#include "servicetool/cmyreadrequests.h"
#include "servicetool/cmytextfile.h"
#include "servicetool/mainwindow.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/cutoffwidgets.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/hexfiletext.h"
#include "tests/support/readonlyfolder.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using namespace servicetool;

namespace {

QList<QByteArray> withLineEnds(const QList<QByteArray> &lines)
{
    QList<QByteArray> out;
    for (const QByteArray &l : lines)
        out << l + "\r\n";
    return out;
}

// The emulator and the window on its port, with every dialog scripted.
struct Bench
{
    explicit Bench(const QStringList &emulatorArgs = QStringList()) : emu(emulatorArgs)
    {
        started = emu.start();
        window.portChanged(true, emu.portPath());
        window.link()->setReplyTimeout(500);
    }
    void click(const char *name) { window.findChild<QAbstractButton *>(QLatin1String(name))->click(); }
    QPlainTextEdit *pane(const char *name) { return window.findChild<QPlainTextEdit *>(QLatin1String(name)); }
    // Runs a transaction to its end.
    cMyServiceLink::Outcome run(const char *button)
    {
        QSignalSpy finished(window.link(), &cMyServiceLink::finished);
        click(button);
        if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, 20000))
            return cMyServiceLink::Abandoned;
        return finished.first().first().value<cMyServiceLink::Outcome>();
    }

    cMyEmulatorProcess emu;
    bool started = false;
    cMyScriptedDialogs dialogs;
    MainWindow window;
};

} // namespace

class tst_ServiceTool : public QObject
{
    Q_OBJECT

private slots:
    void startAndPages();
    void transaction_data();
    void transaction();
    void sendStaysInsideTheArea();
    void requestCount_data();
    void requestCount();
    void portThatDoesNotOpen_data();
    void portThatDoesNotOpen();
    void portChooser();
    void debugPane();
    void readBackPane();
    void files();
    void failedSaveKeepsTheOldFile();
    void fileFailures_data();
    void fileFailures();
    void commandLine_data();
    void commandLine();
};

void tst_ServiceTool::startAndPages()
{
    cMyScriptedDialogs dialogs;
    MainWindow window;
    auto *stack = window.findChild<QStackedWidget *>("stackedWidget");
    // At start: the service page, no area, so nothing to send or get.
    QCOMPARE(window.windowTitle(), QString("MainWindow"));
    QCOMPARE(stack->currentIndex(), 4);
    QVERIFY(!window.findChild<QAbstractButton *>("pbServiceSend")->isEnabled());
    QVERIFY(!window.findChild<QAbstractButton *>("pbServiceGet")->isEnabled());
    for (QRadioButton *area : window.findChildren<QRadioButton *>())
        QVERIFY(!area->isChecked());
    for (const auto &box :
         {std::make_tuple("sbServiceAdderss", 0, 16777215, 0), std::make_tuple("sbServiceCount", 0, 8000000, 16),
          std::make_tuple("sbServiceRecordLength", 1, 32, 16)}) {
        const QSpinBox *spin = window.findChild<QSpinBox *>(std::get<0>(box));
        QCOMPARE((QList<int>{spin->minimum(), spin->maximum(), spin->value()}),
                 (QList<int>{std::get<1>(box), std::get<2>(box), std::get<3>(box)}));
    }
    QCOMPARE(window.findChild<QTabWidget *>()->tabText(window.findChild<QTabWidget *>()->currentIndex()),
             QString("Parametry"));
    for (const auto &page : QList<QPair<const char *, int>>{
             {"pbQuickSelect", 0}, {"pbEdit", 1}, {"pbLogs", 2}, {"pbSimulation", 3}, {"pbService", 4}}) {
        auto *button = window.findChild<QAbstractButton *>(page.first);
        button->click();
        QCOMPARE(stack->currentIndex(), page.second);
        QCOMPARE(button->accessibleDescription(), "Otwiera stronę „" + button->text() + "”");
        // Every control a screen reader reaches has a name of its own.
        const QStringList problems = AccessibleNames::problems(&window);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        // Shown, nothing is cut off: the page buttons' texts included.
        window.show();
        QTRY_VERIFY2_WITH_TIMEOUT(cutOffWidgets(&window).isEmpty(), qPrintable(cutOffWidgets(&window).join("; ")),
                                  5000);
    }
    QCOMPARE(AccessibleNames::of(window.findChild<QWidget *>("sbServiceCount")), QString("Ilość:"));
}

void tst_ServiceTool::transaction_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("area");         // the radio button's area, none for a command
    QTest::addColumn<QList<int>>("range");     // address, count, record length of a read
    QTest::addColumn<QString>("pane");         // the records to send
    QTest::addColumn<QByteArrayList>("lines"); // received by the device
    QTest::addColumn<bool>("timesOut");

    // The lines of a transfer: its four command lines, then the records.
    auto transfer = [](const QString &area, const char *direction, const QByteArrayList &records) {
        return QByteArrayList{"#ROOT", "#HEX", "#" + area.toLatin1(), direction} + records;
    };
    auto read = [&](const char *name, const char *area, const QList<int> &range, const QByteArrayList &requests) {
        QTest::addRow("%s%s", area, name) << QStringList() << "pbServiceGet" << area << range << QString()
                                          << transfer(area, "#READ", requests) << false;
    };
    for (const char *area : {"RAM", "EEPROM", "ROM", "OTP", "MDID"})
        read(", count 0", area, {0, 0, 16}, {});
    read(" across 64 KiB", "FLASH", {0xFFF8, 16, 16},
         {":08FFF800000000000000000001", ":020000040001F9", ":080000000000000000000000F8"});
    read(" cut by a boundary", "FLASH", {0xFFFF, 2, 32}, {":01FFFF000001", ":020000040001F9", ":0100000000FF"});
    read(" up to 64 KiB", "FLASH", {0xFFF0, 16, 16},
         {":10FFF0000000000000000000000000000000000001", ":020000040001F9"});
    read(" above 64 KiB", "FLASH", {0x10000, 4, 4}, {":020000040001F9", ":0400000000000000FC"});
    QTest::newRow("empty pane") << QStringList() << "pbServiceSend"
                                << "RAM" << QList<int>() << "" << transfer("RAM", "#WRITE", {}) << false;
    // The device answers the empty line with an error, which is no echo.
    QTest::newRow("pane ending in a line break") << QStringList() << "pbServiceSend"
                                                 << "RAM" << QList<int>() << ":0400000001020304F2\n"
                                                 << transfer("RAM", "#WRITE", {":0400000001020304F2", ""}) << true;
    QTest::newRow("reset") << QStringList() << "pbServiceReset"
                           << "" << QList<int>() << "" << QByteArrayList{"#RESET"} << false;
    QTest::newRow("boot") << QStringList{"--stay-on-boot"} << "pbServiceBoot"
                          << "" << QList<int>() << "" << QByteArrayList{"#BOOT"} << false;
    QTest::newRow("root") << QStringList() << "pbServiceRoot"
                          << "" << QList<int>() << "" << QByteArrayList{"#ROOT"} << false;
}

void tst_ServiceTool::transaction()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QString, button);
    QFETCH(QString, area);
    QFETCH(QList<int>, range);
    QFETCH(QString, pane);
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, timesOut);

    Bench b(emulatorArgs);
    QVERIFY2(b.started, qPrintable(b.emu.errorString()));
    if (!timesOut) // 0.5 s only where the row waits for it to pass: a loaded machine may answer later
        b.window.link()->setReplyTimeout(30000);
    QSignalSpy progress(b.window.link(), &cMyServiceLink::progress);
    const char *spins[] = {"sbServiceAdderss", "sbServiceCount", "sbServiceRecordLength"};
    for (int i = 0; i < range.size(); ++i)
        b.window.findChild<QSpinBox *>(spins[i])->setValue(range.at(i));
    b.pane("pteHexFile")->setPlainText(pane);
    if (!area.isEmpty())
        b.click(qPrintable("rbService" + area.left(1) + area.mid(1).toLower()));
    if (timesOut)
        b.dialogs.expectMessage(cMyDialogs::Ok, "TimeOut Portu szeregowego");
    QCOMPARE(b.run(qPrintable(button)), timesOut ? cMyServiceLink::TimedOut : cMyServiceLink::Completed);
    if (timesOut)
        QCOMPARE(b.dialogs.asked().last().text, QString("Tamira nie odpowiedziała w ciągu 0.5 s."));
    QCOMPARE(b.emu.receivedLines(), withLineEnds(lines));
    QVERIFY2(b.dialogs.clean(), qPrintable(b.dialogs.report()));
    if (!range.isEmpty())
        QCOMPARE(progress.last(), (QVariantList{lines.size(), lines.size()}));
    // What fills the read-back pane is checked against every fault by tst_faultmatrix.
}

void tst_ServiceTool::sendStaysInsideTheArea()
{
    // Records past the 1 KiB EEPROM: refused whole before the port opens, naming the first one.
    Bench b;
    QVERIFY2(b.started, qPrintable(b.emu.errorString()));
    b.pane("pteHexFile")
        ->setPlainText(":1003F0000102030405060708090A0B0C0D0E0F1075\n"
                       ":100400000102030405060708090A0B0C0D0E0F1064\n");
    b.click("rbServiceEeprom");
    b.dialogs.expectMessage(cMyDialogs::Ok, "Błąd");
    b.click("pbServiceSend");
    QVERIFY2(b.dialogs.clean(), qPrintable(b.dialogs.report()));
    QCOMPARE(b.dialogs.asked().last().text,
             QString("Wiersz 2: adres 0x0400 leży poza obszarem EEPROM, który ma 1024 B.\nNic nie zostało wysłane."));
    QCOMPARE(b.emu.receivedLines(), QByteArrayList());
}

void tst_ServiceTool::requestCount_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("lines");

    // Counted without making them: they are made one at a time as they are sent.
    QTest::newRow("4 MiB in 32") << 0 << 4 * 1024 * 1024 << 32 << 131072 + 64;
    QTest::newRow("8,000,000 in 1") << 0 << 8000000 << 1 << 8000000 + 122;
}

void tst_ServiceTool::requestCount()
{
    QFETCH(int, address);
    QFETCH(int, count);
    QFETCH(int, length);
    QFETCH(int, lines);

    QCOMPARE(cMyReadRequests(quint32(address), quint32(count), length).size(), lines);
}

void tst_ServiceTool::portThatDoesNotOpen_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("text");
    QTest::newRow("no device") << QString() << "Nie wykryto Tamiry: nie ma portu do otwarcia.";
    QTest::newRow("gone") << "/dev/no-such-tamira"
                          << "Nie można otworzyć portu /dev/no-such-tamira.\n\nKomunikat systemu: ";
}

void tst_ServiceTool::portThatDoesNotOpen()
{
    QFETCH(QString, port);
    cMyScriptedDialogs dialogs;
    MainWindow window;
    window.portChanged(!port.isEmpty(), port);
    dialogs.expectMessage(cMyDialogs::Ok, "Błąd");
    window.findChild<QAbstractButton *>("pbServiceReset")->click();
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    // In Polish, as the rest of the window; the system's own text follows.
    QFETCH(QString, text);
    QVERIFY2(dialogs.asked().first().text.startsWith(text), qPrintable(dialogs.asked().first().text));
    QVERIFY(port.isEmpty() || dialogs.asked().first().text.size() > text.size());
    QVERIFY(!window.link()->isRunning());
}

void tst_ServiceTool::portChooser()
{
    const SerialPortEntry tamiraA{"/dev/ttyACM0", true, 0x03EB, 0x2018}, tamiraB{"/dev/ttyACM1", true, 0x03EB, 0x2018};
    const SerialPortEntry bootloader{"/dev/ttyACM2", true, 0x03EB, 0x2FF0}, other{"/dev/ttyS0", false, 0, 0};
    QList<SerialPortEntry> ports;
    PortDiscovery::setSource([&] { return ports; });
    cMyScriptedDialogs dialogs;
    MainWindow window;
    auto *chooser = window.findChild<cMyPortSelect *>();
    QSignalSpy reports(chooser, &cMyPortSelect::deviceConnected);
    auto step = [&](const QList<SerialPortEntry> &now) {
        ports = now;
        chooser->updatePorts();
    };

    QCOMPARE(chooser->currentText(), QString("Brak urządzeń"));
    QVERIFY(!chooser->isEnabled());
    step({other, tamiraA, bootloader, tamiraB});
    QCOMPARE(reports.takeLast(), (QVariantList{true, "/dev/ttyACM0"}));
    QCOMPARE(chooser->count(), 2);
    QVERIFY(chooser->isEnabled());
    step({other, tamiraA, bootloader, tamiraB});
    QVERIFY(reports.isEmpty()); // nothing changed, nothing rebuilt

    // Picked by hand: the commands go to the port shown.
    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Down);
    QCOMPARE(reports.takeLast(), (QVariantList{true, "/dev/ttyACM1"}));
    QCOMPARE(window.link()->portName(), QString("/dev/ttyACM1"));
    step({tamiraB});
    QCOMPARE(reports.takeLast(), (QVariantList{true, "/dev/ttyACM1"}));
    step({});
    QCOMPARE(reports.takeLast(), (QVariantList{false, QString()}));
    QCOMPARE(chooser->currentText(), QString("Brak urządzeń"));
    QCOMPARE(chooser->count(), 1);
    QVERIFY(!chooser->isEnabled());
    PortDiscovery::setSource({});
}

void tst_ServiceTool::debugPane()
{
    QPlainTextEdit pane;
    cMyDebugLog log(&pane);
    const int exchanges = 2000;
    for (int i = 0; i < exchanges; ++i) {
        log.append(i, ":0100000000FF\r\n", QByteArray(" reply  to\t") + QByteArray::number(i) + "\r\n");
        if (i % 50 == 49)
            log.flush();
    }
    // The pane keeps its last 5000 lines; the saved log has all three lines of every exchange.
    QCOMPARE(pane.document()->blockCount(), 5000);
    QCOMPARE(pane.document()->lastBlock().text(), QString("reply to 1999"));
    QCOMPARE(pane.document()->findBlockByNumber(0).text(), QString(":0100000000FF")); // exchange 333
    QTemporaryDir dir;
    QVERIFY(log.save(dir.filePath("log.txt")));
    QFile saved(dir.filePath("log.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly | QIODevice::Text));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    QCOMPARE(lines.size(), 3 * exchanges + 1);
    QCOMPARE(lines.mid(0, 3), (QList<QByteArray>{"0", ":0100000000FF", "reply to 0"}));

    // More at once than anyone could read: the pane shows the newest and says how many it left.
    for (int i = 0; i < 1000; ++i)
        log.append(exchanges + i, "#ROOT\r\n", "#ROOT\r\n");
    log.flush();
    const QTextBlock marker =
        pane.document()->findBlockByNumber(pane.document()->blockCount() - cMyDebugLog::kLinesPerBatch - 1);
    QVERIFY2(marker.text().contains(QString::number(3000 - cMyDebugLog::kLinesPerBatch)), qPrintable(marker.text()));
    QCOMPARE(pane.document()->lastBlock().text(), QString("#ROOT"));
}

void tst_ServiceTool::readBackPane()
{
    QPlainTextEdit pane;
    cMyPaneFiller filler(&pane);
    QSignalSpy filled(&filler, &cMyPaneFiller::filled);
    QByteArray records, shown;
    for (int i = 0; i < 2500; ++i) {
        records += ":0100000000FF\r\n";
        shown += ":0100000000FF\n";
    }
    filler.fill(records);
    // Filled a slice at a time: the window goes on meanwhile, the pane cannot be edited, and
    // what is saved is the whole text already.
    QVERIFY(filled.isEmpty());
    QVERIFY(pane.isReadOnly());
    QCOMPARE(filler.text().toLatin1(), shown);
    QVERIFY(filled.wait(10000));
    QCOMPARE(pane.toPlainText().toLatin1(), shown);
    QVERIFY(!pane.isReadOnly());
}

void tst_ServiceTool::files()
{
    QTemporaryDir dir;
    auto read = [&](const QString &name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    };
    const QString hex = writeFile(dir, "in.hex", ":0400000001020304F2\r\n:00000001FF\r\n");
    const QString tmo = writeFile(dir, "in.tmo", ":0400000001020304F2\n:00000001FF\n");
    cMyRemembered::forgetAll(); // a first start
    cMyScriptedDialogs dialogs;
    MainWindow window;
    dialogs.expectOpenFile(hex);
    dialogs.expectSaveFile(dir.filePath("out.hex"));
    dialogs.expectOpenFile(tmo);
    dialogs.expectSaveFile(dir.filePath("out.tmo"));

    window.findChild<QAbstractButton *>("pbServiceOpenFile")->click();
    QCOMPARE(window.findChild<QPlainTextEdit *>("pteHexFile")->toPlainText(),
             QString(":0400000001020304F2\n:00000001FF\n"));
    window.findChild<QPlainTextEdit *>("pteHexFileGet")->setPlainText(":0400000001020304F2\n");
    window.findChild<QAbstractButton *>("pbSaveFile")->click();
    QCOMPARE(read("out.hex"), QByteArray(":0400000001020304F2\n"));
    window.openFile();
    QCOMPARE(window.windowTitle(), "Tamira 1.0 Alpha - " + tmo);
    window.saveAsFile();
    QCOMPARE(read("out.tmo"), QByteArray(":0400000001020304F2\n:00000001FF\n"));
    QCOMPARE(window.windowTitle(), "Tamira 1.0 Alpha - " + tmo);

    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    const QStringList titles{"Otwórz plik", "Zapisz do pliku", "Otworz plik reguł", "Zapisz do pliku"};
    const QStringList filters{"Pliki hex (*.hex)", "Pliki hex (*.hex)", "Tamira - plik reguł (*.tmo)",
                              "Tamira files (*.tmo)"};
    // Each kind of file starts in the home folder, never the program's, then where it was last.
    const QStringList dirs{QDir::homePath(), dir.path(), QDir::homePath(), dir.path()};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(dialogs.asked().at(i).title, titles.at(i));
        QCOMPARE(dialogs.asked().at(i).filter, filters.at(i));
        QCOMPARE(dialogs.asked().at(i).dir, dirs.at(i));
        QCOMPARE(dialogs.asked().at(i).parent, &window);
    }
}

void tst_ServiceTool::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "keep.hex", "old contents\n");
    // The disk fills up halfway (a file size limit stands in for it, and holds for root too).
    bool saved;
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isSet());
        saved = cMyTextFile::write(path, QByteArray(5000, 'x'));
    }
    QVERIFY(!saved);
    QByteArray text;
    QVERIFY(cMyTextFile::read(path, &text));
    QCOMPARE(text, QByteArray("old contents\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.hex"});
}

void tst_ServiceTool::fileFailures_data()
{
    QTest::addColumn<QString>("command"); // a button, or the menu's openFile / saveAsFile
    QTest::addColumn<QString>(
        "target"); // "fifo", "past16MiB" (a file), "locked/new.hex" (in a read-only folder), "kept.hex" (on a disk that fills)
    QTest::addColumn<QString>("reason");

    QTest::newRow("FIFO into the pane") << "pbServiceOpenFile"
                                        << "fifo"
                                        << "to nie jest zwykły plik.";
    QTest::newRow("FIFO from the menu") << "openFile"
                                        << "fifo"
                                        << "to nie jest zwykły plik.";
    QTest::newRow("data past 16 MiB") << "openFile"
                                      << "past16MiB"
                                      << "wiersz 2 sięga poza 16 MiB pamięci urządzenia.";
    QTest::newRow("read-back into a read-only folder") << "pbSaveFile"
                                                       << "locked/new.hex"
                                                       << "";
    QTest::newRow("read-back onto a full disk") << "pbSaveFile"
                                                << "kept.hex"
                                                << "File too large";
    QTest::newRow("settings into a read-only folder") << "saveAsFile"
                                                      << "locked/new.tmo"
                                                      << "";
    QTest::newRow("settings onto a full disk") << "saveAsFile"
                                               << "kept.hex"
                                               << "File too large";
}

void tst_ServiceTool::fileFailures()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QCOMPARE(mkfifo(qPrintable(dir.filePath("fifo")), 0600), 0);
    QVERIFY(QDir(dir.path()).mkdir("locked"));
    writeFile(dir, "past16MiB", ":020000040100F9\n:0100000000FF\n");
    writeFile(dir, "kept.hex", "old contents\n");
    const QString path = dir.filePath(target);
    const QByteArray zeros255 = ":FF000000" + QByteArray(510, '0') + "01\n",
                     big = zeros255 + ":020000040001F9\n" + zeros255;
    cMyScriptedDialogs dialogs;
    MainWindow window;
    window.findChild<QPlainTextEdit *>("pteHexFileGet")->setPlainText(QString::fromLatin1(big));
    dialogs.expectOpenFile(writeFile(dir, "big.tmo", big));
    window.openFile(); // what the menu saves

    if (command.startsWith("pbServiceOpen") || command == "openFile")
        dialogs.expectOpenFile(path);
    else
        dialogs.expectSaveFile(path);
    dialogs.expectMessage(cMyDialogs::Ok, "Błąd");
    {
        const FileSizeLimit limit(1000);
        const ReadOnlyFolder locked(dir.filePath("locked"));
        if (command.startsWith("pb"))
            window.findChild<QAbstractButton *>(command)->click();
        else
            QMetaObject::invokeMethod(&window, qPrintable(command));
    }
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    const QString text = dialogs.asked().last().text;
    QVERIFY2(text.contains(path) && text.contains(reason), qPrintable(text));
    QVERIFY(!QFile::exists(dir.filePath("locked/new.hex")) && !QFile::exists(dir.filePath("locked/new.tmo")));
    QByteArray kept;
    QVERIFY(cMyTextFile::read(dir.filePath("kept.hex"), &kept));
    QCOMPARE(kept, QByteArray("old contents\n"));
    QCOMPARE(window.windowTitle(), "Tamira 1.0 Alpha - " + dir.filePath("big.tmo"));
}

void tst_ServiceTool::commandLine_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QStringList>("arguments"); // %in, %out, %fifo stand for paths in a fresh folder;
                                                // %held: the test holds the port open; %attached=N:
                                                // no --port, N Tamiras attached (the emulator's port)
    QTest::addColumn<QByteArray>("input");      // the file %in
    QTest::addColumn<QStringList>("stdinFrom"); // "%in", or a program whose output it is
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");      // part of what it says; empty: nothing on standard error
    QTest::addColumn<QByteArrayList>("lines"); // received by the device
    QTest::addColumn<QByteArray>("output");    // %out byte for byte; "(none)": not made
    QTest::addColumn<QString>("dump");         // how srec_cat reads %out

    const QByteArray k4 = ":0400000001020304F2\n", zeros4 = ":0400000000000000FC";
    auto transfer = [](const char *area, const char *direction, const QByteArrayList &records) {
        QByteArrayList lines{"#ROOT", "#HEX", QByteArray("#") + area, direction};
        for (const QByteArray &r : records)
            lines << r;
        for (QByteArray &l : lines)
            l += "\r\n";
        return lines;
    };
    auto row = [](const char *name, const QStringList &emulator, const QStringList &arguments, const QByteArray &input,
                  int status, const QString &message, const QByteArrayList &lines,
                  const QByteArray &output = QByteArray(), const QStringList &stdinFrom = QStringList(),
                  const QString &dump = QString()) {
        QTest::newRow(name) << emulator << arguments << input << stdinFrom << status << message << lines << output
                            << dump;
    };
    // Independent of the program's record printer: the blank template's 1 KiB replaced by 64 records.
    auto record = [](int address, const QByteArray &bytes) {
        QByteArray r = QByteArray::number(bytes.size(), 16).rightJustified(2, '0')
                       + QByteArray::number(address, 16).rightJustified(4, '0') + "00" + bytes.toHex();
        int sum = 0;
        for (char c : QByteArray::fromHex(r))
            sum += quint8(c);
        return ":" + (r + QByteArray::number((256 - sum % 256) % 256, 16).rightJustified(2, '0')).toUpper();
    };
    QByteArray eeprom, eepromRead;
    QByteArrayList eepromRequests;
    for (int i = 0; i < 64; ++i) {
        eeprom += record(16 * i, QByteArray(16, char(i))) + "\n";
        eepromRead += record(16 * i, QByteArray(16, char(i))) + "\r\n";
        eepromRequests << record(16 * i, QByteArray(16, 0));
    }

    const QByteArray zeros16 = ":1000000000000000000000000000000000000000F0\r\n";
    row("read", {}, {"--read", "RAM", "0", "20", "-o", "%out"}, k4, 0, "--read RAM: done, 6 lines answered",
        transfer("RAM", "#READ", {zeros16.trimmed(), ":0400100000000000EC"}),
        zeros16 + ":0400100000000000EC\r\n:00000001FF\r\n");
    row("read of the whole settings block", {"--eeprom", "%in"}, {"--read", "eeprom", "-o", "%out"}, eeprom, 0,
        "--read EEPROM: done, 68 lines", transfer("EEPROM", "#READ", eepromRequests), eepromRead + ":00000001FF\r\n");
    row("write, read back", {}, {"--write", "RAM", "%in"}, k4, 0, "--write RAM, read back: 4 bytes as in",
        transfer("RAM", "#WRITE", {k4.trimmed()}) + transfer("RAM", "#READ", {zeros4}));
    row("verify finds a difference", {}, {"--verify", "RAM", "%in"}, k4, 1,
        "first at 0x000000: the device holds 00, the file 01", transfer("RAM", "#READ", {zeros4}));
    row("corrupt store", {"--corrupt-store", "2"}, {"--write", "EEPROM", "%in"}, k4, 1,
        "first at 0x000002: the device holds fc, the file 03",
        transfer("EEPROM", "#WRITE", {k4.trimmed()}) + transfer("EEPROM", "#READ", {zeros4}));
    // Data above 64 KiB written, read back across the boundary, and read again into a file.
    const QByteArray high = ":08FFF8000102030405060708DD\n:020000040001F9\n:040000001122334452\n:00000001FF\n";
    row("data above 64 KiB", {}, {"--write", "FLASH", "%in", "--read", "FLASH", "0xFFF8", "16", "-o", "%out"}, high, 0,
        "--write FLASH, read back: 12 bytes as in",
        transfer("FLASH", "#WRITE", high.trimmed().split('\n'))
            + transfer("FLASH", "#READ", {":08FFF800000000000000000001", ":020000040001F9", ":0400000000000000FC"})
            + transfer("FLASH", "#READ",
                       {":08FFF800000000000000000001", ":020000040001F9", ":080000000000000000000000F8"}),
        ":08FFF8000102030405060708DD\r\n:020000040001F9\r\n:0800000011223344FFFFFFFF52\r\n:00000001FF\r\n", {},
        "0000FFF0:                         01 02 03 04 05 06 07 08  #        ........\n"
        "00010000: 11 22 33 44 FF FF FF FF                          #.\"3D....\n");
    // An address record is echoed exactly in a read too; a wrong one fails at once, nothing written.
    row("address record, wrong echo", {"--wrong-echo", "5"}, {"--read", "FLASH", "0x10000", "4", "-o", "%out"}, k4, 1,
        "line 5 of 6 (\":020000040001F9\") was refused; the reply was \":X20000040001F9\"",
        transfer("FLASH", "#READ", {":020000040001F9"}), "(none)");
    row("address record, bad checksum", {"--bad-checksum", "5"}, {"--read", "FLASH", "0x10000", "4", "-o", "%out"}, k4,
        1, "the reply was \":020000040001FA\"", transfer("FLASH", "#READ", {":020000040001F9"}), "(none)");
    // A refusal ends the transaction at once: the process would not end within the test's wait.
    row("#ERR", {}, {"--write", "ROM", "%in", "--timeout", "60000"}, k4, 1,
        "line 5 of 5 (\":0400000001020304F2\") was refused; the reply was \"#ERR\"",
        transfer("ROM", "#WRITE", {k4.trimmed()}));
    // Ten time-outs of busy lines, 20 ms apart: a time-out that a stall on a loaded machine never reaches.
    row("endless busy lines", {"--bang", "5:1000", "--gap", "20"},
        {"--read", "RAM", "0", "16", "--timeout", "1000", "-o", "%out"}, k4, 1,
        "the device stayed busy on line 5 of 5 (\":1000000000000000000000000000000000000000F0\") for 10000 ms",
        transfer("RAM", "#READ", {zeros16.trimmed()}), "(none)");
    row("time-out", {"--silent-after", "0"}, {"--reset", "--timeout", "300"}, k4, 1,
        "--reset: no matching reply to line 1 of 1 (\"#RESET\") within 300 ms", {"#RESET\r\n"});

    // Files to write are checked before the port opens.
    row("zero byte", {}, {"--write", "RAM", "%in"}, k4 + QByteArray(1, '\0') + k4, 4, "line 2: a zero byte", {});
    row("lone CR", {}, {"--write", "RAM", "%in"}, ":0400000001020304F2\r:0400040005060708DA\n", 4,
        "line 1: a carriage return inside the line", {});
    row("blank lines at the end", {}, {"--write", "RAM", "%in", "--no-verify"}, k4 + "\r\n \n", 0,
        "--write RAM: done, 5 lines", transfer("RAM", "#WRITE", {k4.trimmed()}));
    row("blank line between records", {}, {"--write", "RAM", "%in"}, k4 + "\n" + k4, 4,
        "line 2: a blank line between records", {});
    row("text after the checksum", {}, {"--write", "RAM", "%in"}, ":0400000001020304F2 ;\n", 4,
        "line 1: text after the checksum", {});
    row("hostile address record", {}, {"--write", "FLASH", "%in"}, ":02000004FFFFFC\n:0100000000FF\n", 4,
        "line 1: address 0xffff0000 is past the device's 16 MiB", {});
    row("standard input", {}, {"--write", "RAM", "-", "--no-verify"}, k4, 0, "--write RAM: done, 5 lines",
        transfer("RAM", "#WRITE", {k4.trimmed()}), QByteArray(), {"%in"});
    row("zeros on standard input", {}, {"--write", "RAM", "-"}, k4, 4, "line 1: a zero byte", {}, QByteArray(),
        {"cat", "/dev/zero"});
    row("endless records on standard input", {}, {"--write", "RAM", "-"}, k4, 4, "more than 16 MiB of data", {},
        QByteArray(), {"yes", ":FF000000" + QString(510, '0') + "01"});
    row("/dev/zero", {}, {"--write", "RAM", "/dev/zero"}, k4, 4, "/dev/zero is not a regular file", {});
    row("FIFO to write", {}, {"--write", "RAM", "%fifo"}, k4, 4, "is not a regular file", {});

    // Outputs that cannot be written are known before the read; special files are written to.
    row("FIFO nobody reads", {}, {"--read", "RAM", "0", "4", "-o", "%fifo"}, k4, 4, "no program reads from this FIFO",
        {});
    row("no such folder", {}, {"--read", "RAM", "0", "4", "-o", "%out/x.hex"}, k4, 4, "--read RAM: cannot write", {});
    row("/dev/null", {}, {"--read", "RAM", "0", "4", "-o", "/dev/null"}, k4, 0, "--read RAM: done",
        transfer("RAM", "#READ", {zeros4}));

    // Steps in order, stopping at the first failure.
    row("write, then reset", {}, {"--write", "EEPROM", "%in", "--no-verify", "--reset"}, k4, 0, "--reset: done",
        transfer("EEPROM", "#WRITE", {k4.trimmed()}) + QByteArrayList{"#RESET\r\n"});
    row("refused write, no reset", {}, {"--write", "ROM", "%in", "--reset"}, k4, 1, "#ERR",
        transfer("ROM", "#WRITE", {k4.trimmed()}));
    row("count missing", {}, {"--read", "FLASH", "0"}, k4, 2, "--read FLASH: COUNT is missing", {});
    row("unknown area", {}, {"--read", "SRAM", "0", "1"}, k4, 2, "unknown area \"SRAM\"", {});
    row("port does not open", {}, {"--port", "/dev/no-such-tamira", "--root"}, k4, 3, "cannot open /dev/no-such-tamira",
        {});
    row("no port named, no Tamira attached", {}, {"%attached=0", "--root"}, k4, 3,
        "no Tamira found; name its port with --port", {});
    row("no port named, the one Tamira attached", {}, {"%attached=1", "--root"}, k4, 0, "--root: done", {"#ROOT\r\n"});
    row("no port named, two Tamiras attached", {}, {"%attached=2", "--root"}, k4, 3, "several Tamiras found", {});
    // In English like the rest of the command line (the text comes from the device layer).
    row("port held by another program", {}, {"%held", "--root"}, k4, 3,
        "is in use by another program (servicetool or a second TAMIRAdesk, for example).\nClose that program", {});
    // Nothing goes out that could only fail part way: records past the 1 KiB EEPROM, no data at
    // all, arguments that contradict each other.
    QByteArray twoKiB;
    for (int i = 0; i < 128; ++i)
        twoKiB += record(16 * i, QByteArray(16, char(i))) + "\n";
    row("2 KiB into the EEPROM", {}, {"--write", "EEPROM", "%in"}, twoKiB, 4,
        "line 65: address 0x0400 is outside EEPROM (1024 bytes); nothing sent", {});
    row("no data record", {}, {"--write", "RAM", "%in"}, ":00000001FF\n", 4, "holds no data record; nothing sent", {});
    row("option given twice", {}, {"-p", "/dev/null", "--root"}, k4, 2, "--port given twice", {});
    row("two reads into one file", {},
        {"--read", "RAM", "0", "4", "-o", "%out", "--read", "ROM", "0", "4", "-o", "%out"}, k4, 2,
        "--read RAM and --read ROM both write to", {});
    row("negative count", {}, {"--read", "RAM", "0", "-1"}, k4, 2, "--read RAM: COUNT must not be negative", {});
    row("control characters in a name", {}, {"--write", "RAM", "%in\n\x1b[2J"}, k4, 4, "in.hex\\n\\x1b[2J: ", {});
    row("port gone mid-transfer", {"--hang-up-after", "3"}, {"--write", "RAM", "%in"}, k4, 1,
        "--write RAM: the device was unplugged or its port", transfer("RAM", "#WRITE", {}));
    // Stopped while the device holds back its reply to line 5: the status says by which signal.
    for (const int signal : {SIGTERM, SIGHUP})
        row(qPrintable(QString("signal %1 during a write").arg(signal)), {"--hold", "5"},
            {"--write", "RAM", "%in", QString("%SIG%1").arg(signal)}, k4, 128 + signal,
            "--write RAM: interrupted after line 4 of 5: the area may be part-written",
            transfer("RAM", "#WRITE", {k4.trimmed()}));
    row("SIGINT during a read", {"--hold", "5"}, {"--read", "RAM", "0", "4", "-o", "%out", "%SIG2"}, k4, 130,
        "--read RAM: interrupted after line 4 of 5\n", transfer("RAM", "#READ", {zeros4}), "(none)");
    row("version", {}, {"--version"}, k4, 0, "servicetool " TAMIRA_VERSION "\n", {});
    row("verbose", {}, {"--verbose", "--root"}, k4, 0, "servicetool: > #ROOT\nservicetool: < #ROOT\n", {"#ROOT\r\n"});
    row("quiet", {}, {"--quiet", "--root"}, k4, 0, "", {"#ROOT\r\n"});
}

void tst_ServiceTool::commandLine()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, stdinFrom);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, output);
    QFETCH(QString, dump);

    QTemporaryDir dir;
    const QString in = writeFile(dir, "in.hex", input), out = dir.filePath("out.hex"), fifo = dir.filePath("fifo");
    QCOMPARE(mkfifo(qPrintable(fifo), 0600), 0);
    for (QStringList *list : {&emulatorArgs, &arguments}) {
        list->replaceInStrings("%in", in);
        list->replaceInStrings("%out", out);
        list->replaceInStrings("%fifo", fifo);
    }
    cMyEmulatorProcess emu(emulatorArgs);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QStringList attached = arguments.filter(QRegularExpression("^%attached="));
    if (!attached.isEmpty()) {
        arguments.removeAll(attached.first());
        QStringList ports;
        for (int i = attached.first().section('=', 1).toInt(); i > 0; --i)
            ports << emu.portPath();
        environment.insert("TAMIRA_PORT", ports.join(':'));
    } else if (!arguments.contains("--port")) {
        arguments << "--port" << emu.portPath();
    }
    QSerialPort holder(emu.portPath());
    if (arguments.removeAll("%held"))
        QVERIFY(holder.open(QIODevice::ReadWrite));

    int stop = 0; // a signal to stop the tool with once the device holds a reply back
    for (const QString &a : arguments.filter(QRegularExpression("^%SIG")))
        stop = a.mid(4).toInt();
    arguments = arguments.filter(QRegularExpression("^(?!%SIG)"));

    QProcess tool, producer;
    if (stdinFrom == QStringList{"%in"})
        tool.setStandardInputFile(in);
    else if (!stdinFrom.isEmpty())
        producer.setStandardOutputProcess(&tool);
    if (!stdinFrom.isEmpty() && stdinFrom.first() != "%in")
        producer.start(stdinFrom.first(), stdinFrom.mid(1));
    tool.setProcessEnvironment(environment);
    tool.start(TAMIRA_SERVICETOOL, arguments);
    if (stop) {
        QVERIFY(QTest::qWaitFor([&] { return emu.stateFigure("held") == 1; }, 30000));
        ::kill(pid_t(tool.processId()), stop);
    }
    QVERIFY(tool.waitForFinished(30000));
    producer.kill(); // a source that never ends
    producer.waitForFinished();
    const QString said = QString::fromLatin1(tool.readAllStandardError() + tool.readAllStandardOutput());
    // As a shell reports it: 128 + the signal that ended the program.
    QCOMPARE(tool.exitStatus(), stop ? QProcess::CrashExit : QProcess::NormalExit);
    QVERIFY2(tool.exitCode() + (stop ? 128 : 0) == status, qPrintable(said));
    QVERIFY2(message.isEmpty() ? said.isEmpty() : said.contains(message), qPrintable(said));
    QCOMPARE(emu.receivedLines(), lines);
    QVERIFY(!QFileInfo("/dev/null").isFile());
    QFile written(out);
    if (output == "(none)")
        QVERIFY(!written.exists());
    else if (!output.isEmpty())
        QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll() == output);
    if (!dump.isEmpty())
        QCOMPARE(srecDump(out), dump);
}

QTEST_MAIN(tst_ServiceTool)
#include "tst_servicetool.moc"
