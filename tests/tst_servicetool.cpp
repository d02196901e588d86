// The service console's window and link end to end: a real QSerialPort on the emulator's
// pseudo-terminal, with what went over the wire read back from the emulator's log; its port
// chooser over the shared port discovery; the debug log behind its pane; its files (the hex file
// model, saving through QSaveFile) and its command-line mode run as a process against the
// emulator, with the files it writes checked by another Intel HEX reader (srec_cat).

#include "cmydebuglog.h"
#include "cmyemulatorprocess.h"
#include "cmyhexfile.h"
#include "cmypanefiller.h"
#include "cmyportselect.h"
#include "cmyreadrequests.h"
#include "cmyscripteddialogs.h"
#include "cmytextfile.h"
#include "mainwindow.h"
#include "portdiscovery.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace servicetool;

namespace {

const QByteArray kZeros16 = ":1000000000000000000000000000000000000000F0";

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
    // The lines after the four command lines.
    QList<QByteArray> dataLines(const QByteArray &area, const QByteArray &direction)
    {
        QList<QByteArray> lines = emu.receivedLines();
        if (lines.mid(0, 4) != withLineEnds({"#ROOT", "#HEX", area, direction}))
            return {"command lines differ"};
        return lines.mid(4);
    }

    cMyEmulatorProcess emu;
    bool started = false;
    cMyScriptedDialogs dialogs;
    MainWindow window;
};



// A record line: its first fields, a run of one byte, then the checksum.
QString rec(const char *head, const char *byte, int n, const char *checksum)
{
    return QLatin1String(head) + QString(QLatin1String(byte)).repeated(n) + QLatin1String(checksum);
}

const QString k16x11 = rec(":10000000", "11", 16, "E0");

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return f.fileName();
}

} // namespace

class tst_ServiceTool : public QObject
{
    Q_OBJECT

private slots:
    void startAndPages();
    void get_data();
    void get();
    void requestCount_data();
    void requestCount();
    void send_data();
    void send();
    void command_data();
    void command();
    void portThatDoesNotOpen_data();
    void portThatDoesNotOpen();
    void portChooser();
    void debugPane();
    void readBackPane();
    void files();
    void hexFile_data();
    void hexFile();
    void failedSaveKeepsTheOldFile();
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
    for (const auto &box : {std::make_tuple("sbServiceAdderss", 0, 16777215, 0), std::make_tuple("sbServiceCount", 0, 8000000, 16),
                            std::make_tuple("sbServiceRecordLength", 1, 32, 16)}) {
        const QSpinBox *spin = window.findChild<QSpinBox *>(std::get<0>(box));
        QCOMPARE((QList<int>{spin->minimum(), spin->maximum(), spin->value()}),
                 (QList<int>{std::get<1>(box), std::get<2>(box), std::get<3>(box)}));
    }
    QCOMPARE(window.findChild<QTabWidget *>()->tabText(window.findChild<QTabWidget *>()->currentIndex()), QString("Parametry"));
    for (const auto &page : QList<QPair<const char *, int>>{{"pbQuickSelect", 0}, {"pbEdit", 1}, {"pbLogs", 2}, {"pbSimulation", 3}, {"pbService", 4}}) {
        window.findChild<QAbstractButton *>(page.first)->click();
        QCOMPARE(stack->currentIndex(), page.second);
    }
}

void tst_ServiceTool::get_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArrayList>("requests");

    QTest::newRow("RAM 0, 16, 16") << QStringList() << "RAM" << 0 << 16 << 16 << QByteArrayList{kZeros16};
    QTest::newRow("count 0") << QStringList() << "RAM" << 0 << 0 << 16 << QByteArrayList();
    for (const char *area : {"EEPROM", "ROM", "OTP", "MDID"})
        QTest::addRow("%s, count 0", area) << QStringList() << area << 0 << 0 << 16 << QByteArrayList();
    QTest::newRow("count 20") << QStringList() << "RAM" << 0 << 20 << 16
                              << QByteArrayList{kZeros16, ":0400100000000000EC"};
    QTest::newRow("split reply") << QStringList{"--split", "5"} << "RAM" << 0 << 16 << 16 << QByteArrayList{kZeros16};
    QTest::newRow("across 64 KiB") << QStringList() << "FLASH" << 0xFFF8 << 16 << 16
                                   << QByteArrayList{":08FFF800000000000000000001", ":020000040001F9",
                                                     ":080000000000000000000000F8"};
    QTest::newRow("cut by a boundary") << QStringList() << "FLASH" << 0xFFFF << 2 << 32
                                       << QByteArrayList{":01FFFF000001", ":020000040001F9", ":0100000000FF"};
    QTest::newRow("up to 64 KiB") << QStringList() << "FLASH" << 0xFFF0 << 16 << 16
                                  << QByteArrayList{":10FFF0000000000000000000000000000000000001", ":020000040001F9"};
    QTest::newRow("above 64 KiB") << QStringList() << "FLASH" << 0x10000 << 4 << 4
                                  << QByteArrayList{":020000040001F9", ":0400000000000000FC"};
}

void tst_ServiceTool::get()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QString, area);
    QFETCH(int, address);
    QFETCH(int, count);
    QFETCH(int, length);
    QFETCH(QByteArrayList, requests);

    Bench b(emulatorArgs);
    QVERIFY2(b.started, qPrintable(b.emu.errorString()));
    QSignalSpy progress(b.window.link(), &cMyServiceLink::progress);
    b.window.findChild<QSpinBox *>("sbServiceAdderss")->setValue(address);
    b.window.findChild<QSpinBox *>("sbServiceCount")->setValue(count);
    b.window.findChild<QSpinBox *>("sbServiceRecordLength")->setValue(length);
    b.click(qPrintable("rbService" + area.left(1) + area.mid(1).toLower()));
    QCOMPARE(b.run("pbServiceGet"), cMyServiceLink::Completed);
    QCOMPARE(b.dataLines("#" + area.toLatin1(), "#READ"), withLineEnds(requests));
    QCOMPARE(progress.last(), (QVariantList{4 + requests.size(), 4 + requests.size()}));
    // RAM reads as zeros, so the records read back are the requests themselves.
    if (area == "RAM")
        QCOMPARE(b.pane("pteHexFileGet")->toPlainText().toLatin1(), requests.isEmpty() ? "" : requests.join('\n') + '\n');
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

void tst_ServiceTool::send_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<bool>("timesOut");

    QTest::newRow("empty pane") << "" << QByteArrayList() << false;
    QTest::newRow("one record") << ":0400000001020304F2" << QByteArrayList{":0400000001020304F2"} << false;
    // The device answers the empty line with an error, which is no echo.
    QTest::newRow("ending in a line break") << ":0400000001020304F2\n"
                                            << QByteArrayList{":0400000001020304F2", ""} << true;
}

void tst_ServiceTool::send()
{
    QFETCH(QString, text);
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, timesOut);

    Bench b;
    QVERIFY2(b.started, qPrintable(b.emu.errorString()));
    b.pane("pteHexFile")->setPlainText(text);
    b.click("rbServiceRam");
    if (timesOut)
        b.dialogs.expectMessage(cMyDialogs::Ok, "TimeOut Portu szeregowego");
    QCOMPARE(b.run("pbServiceSend"), timesOut ? cMyServiceLink::TimedOut : cMyServiceLink::Completed);
    QCOMPARE(b.dataLines("#RAM", "#WRITE"), withLineEnds(lines));
    QVERIFY2(b.dialogs.clean(), qPrintable(b.dialogs.report()));
}

void tst_ServiceTool::command_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("timesOut");

    QTest::newRow("reset") << QStringList() << "pbServiceReset" << QByteArray("#RESET\r\n") << false;
    QTest::newRow("boot") << QStringList{"--stay-on-boot"} << "pbServiceBoot" << QByteArray("#BOOT\r\n") << false;
    QTest::newRow("root") << QStringList() << "pbServiceRoot" << QByteArray("#ROOT\r\n") << false;
    QTest::newRow("echo in two pieces") << QStringList{"--split", "1"} << "pbServiceReset" << QByteArray("#RESET\r\n") << false;
    QTest::newRow("echo that differs") << QStringList{"--wrong-echo", "1"} << "pbServiceReset" << QByteArray("#RESET\r\n") << true;
}

void tst_ServiceTool::command()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QString, button);
    QFETCH(QByteArray, line);
    QFETCH(bool, timesOut);

    Bench b(emulatorArgs);
    QVERIFY2(b.started, qPrintable(b.emu.errorString()));
    if (timesOut)
        b.dialogs.expectMessage(cMyDialogs::Ok, "TimeOut Portu szeregowego");
    // A reply that is no echo does not end the transaction: the time-out does.
    QCOMPARE(b.run(qPrintable(button)), timesOut ? cMyServiceLink::TimedOut : cMyServiceLink::Completed);
    QCOMPARE(b.emu.receivedLines(), QList<QByteArray>{line});
    QVERIFY2(b.dialogs.clean(), qPrintable(b.dialogs.report()));
    if (timesOut)
        QCOMPARE(b.dialogs.asked().first().text, QString("Timeout"));
}

void tst_ServiceTool::portThatDoesNotOpen_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("no device") << QString();
    QTest::newRow("gone") << "/dev/no-such-tamira";
}

void tst_ServiceTool::portThatDoesNotOpen()
{
    QFETCH(QString, port);
    cMyScriptedDialogs dialogs;
    MainWindow window;
    window.portChanged(!port.isEmpty(), port);
    dialogs.expectMessage(cMyDialogs::Ok, "Error");
    window.findChild<QAbstractButton *>("pbServiceReset")->click();
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QVERIFY(!dialogs.asked().first().text.isEmpty()); // the port's own error text
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
    const QTextBlock marker = pane.document()->findBlockByNumber(pane.document()->blockCount() - cMyDebugLog::kLinesPerBatch - 1);
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
    cMyScriptedDialogs dialogs;
    MainWindow window;
    dialogs.expectOpenFile(hex);
    dialogs.expectSaveFile(dir.filePath("out.hex"));
    dialogs.expectOpenFile(tmo);
    dialogs.expectSaveFile(dir.filePath("out.tmo"));

    window.findChild<QAbstractButton *>("pbServiceOpenFile")->click();
    QCOMPARE(window.findChild<QPlainTextEdit *>("pteHexFile")->toPlainText(), QString(":0400000001020304F2\n:00000001FF\n"));
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
    const QStringList filters{"Pliki hex (*.hex)", "Pliki hex (*.hex)", "Tamira - plik reguł (*.tmo)", "Tamira files (*.tmo)"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(dialogs.asked().at(i).title, titles.at(i));
        QCOMPARE(dialogs.asked().at(i).filter, filters.at(i));
        QCOMPARE(dialogs.asked().at(i).dir, QString("."));
        QCOMPARE(dialogs.asked().at(i).parent, &window);
    }
}

void tst_ServiceTool::hexFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("saved");

    QTest::newRow("nothing opened") << QStringList() << ":00000001FF\n";
    QTest::newRow("gap saved as zeros")
        << QStringList{k16x11 + "\n" + rec(":10002000", "22", 16, "B0") + "\n:00000001FF\n"}
        << k16x11 + "\n" + rec(":10001000", "00", 16, "E0") + "\n" + rec(":10002000", "22", 16, "B0") + "\n:00000001FF\n";
    QTest::newRow("two files merged") << QStringList{k16x11 + "\n", ":040008003333333328\n"}
                                      << rec(":10000000", "11", 8, "") + rec("", "33", 4, "") + rec("", "11", 4, "58") + "\n:00000001FF\n";
    QTest::newRow("20 bytes") << QStringList{rec(":14000000", "01", 20, "D8\n")}
                              << rec(":10000000", "01", 16, "E0\n") + rec(":04001000", "01", 4, "E8\n") + ":00000001FF\n";
    QTest::newRow("rejected line skipped") << QStringList{":0400000001020304F3\n:04000000010203\n"}
                                           << ":00000001FF\n";
    QTest::newRow("address record not stored") << QStringList{":020000040001F9\n"} << ":00000001FF\n";
}

void tst_ServiceTool::hexFile()
{
    QFETCH(QStringList, files);
    QFETCH(QString, saved);

    QTemporaryDir dir;
    cMyHexFile store;
    for (int i = 0; i < files.size(); ++i)
        QVERIFY(store.merge(writeFile(dir, QString("in%1.tmo").arg(i), files.at(i).toLatin1())));
    QVERIFY(store.save(dir.filePath("out.tmo")));
    QByteArray text;
    QVERIFY(cMyTextFile::read(dir.filePath("out.tmo"), &text));
    QCOMPARE(text, saved.toLatin1());
}

void tst_ServiceTool::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "keep.hex", "old contents\n");
    // The disk fills up halfway (a file size limit stands in for it, and holds for root too).
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = cMyTextFile::write(path, QByteArray(5000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!saved);
    QByteArray text;
    QVERIFY(cMyTextFile::read(path, &text));
    QCOMPARE(text, QByteArray("old contents\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.hex"});
}

void tst_ServiceTool::commandLine_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QStringList>("arguments"); // %port, %in and %out stand for the paths
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArrayList>("lines");  // received by the device
    QTest::addColumn<QByteArray>("output");

    const QByteArray zeros = ":1000000000000000000000000000000000000000F0\r\n";
    QTest::newRow("read") << QStringList() << QStringList{"--read", "RAM", "0", "20", "-o", "%out"} << 0
                          << QByteArrayList{"#ROOT\r\n", "#HEX\r\n", "#RAM\r\n", "#READ\r\n", zeros, ":0400100000000000EC\r\n"}
                          << zeros + ":0400100000000000EC\r\n:00000001FF\r\n";
    QTest::newRow("write") << QStringList() << QStringList{"--write", "RAM", "%in"} << 0
                           << QByteArrayList{"#ROOT\r\n", "#HEX\r\n", "#RAM\r\n", "#WRITE\r\n", ":0400000001020304F2\r\n"}
                           << QByteArray();
    QTest::newRow("time-out") << QStringList{"--silent-after", "0"} << QStringList{"--reset", "--timeout", "300"} << 1
                              << QByteArrayList{"#RESET\r\n"} << QByteArray();
    QTest::newRow("refused record") << QStringList() << QStringList{"--write", "ROM", "%in", "--timeout", "300"} << 1
                                    << QByteArrayList{"#ROOT\r\n", "#HEX\r\n", "#ROM\r\n", "#WRITE\r\n", ":0400000001020304F2\r\n"}
                                    << QByteArray();
    QTest::newRow("port does not open") << QStringList() << QStringList{"--port", "/dev/no-such-tamira", "--root"} << 3
                                        << QByteArrayList() << QByteArray();
    QTest::newRow("count missing") << QStringList() << QStringList{"--read", "RAM", "0"} << 2 << QByteArrayList() << QByteArray();
    QTest::newRow("unknown area") << QStringList() << QStringList{"--read", "SRAM", "0", "1"} << 2 << QByteArrayList() << QByteArray();
    QTest::newRow("two actions") << QStringList() << QStringList{"--reset", "--boot"} << 2 << QByteArrayList() << QByteArray();
}

void tst_ServiceTool::commandLine()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, output);

    cMyEmulatorProcess emu(emulatorArgs);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QTemporaryDir dir;
    const QString in = writeFile(dir, "in.hex", ":0400000001020304F2\n");
    const QString out = dir.filePath("out.hex");
    arguments.replaceInStrings("%in", in);
    arguments.replaceInStrings("%out", out);
    if (!arguments.contains("--port"))
        arguments << "--port" << emu.portPath();

    QProcess tool;
    tool.start(TAMIRA_SERVICETOOL, arguments);
    QVERIFY(tool.waitForFinished(30000));
    const QByteArray messages = tool.readAllStandardError();
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == status, messages.constData());
    QVERIFY2(messages.startsWith("servicetool: "), messages.constData()); // progress or why not
    QCOMPARE(emu.receivedLines(), lines);
    if (!output.isEmpty()) {
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), output);
    }
    if (arguments.contains("-o")) {
        QProcess reader;
        reader.start("srec_cat", {out, "-intel", "-o", dir.filePath("copy.hex"), "-intel"});
        QVERIFY(reader.waitForFinished(30000));
        QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
        QVERIFY2(reader.readAllStandardError().isEmpty(), "srec_cat warned");
    }
}

QTEST_MAIN(tst_ServiceTool)
#include "tst_servicetool.moc"
