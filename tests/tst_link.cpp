// The device link end to end: a real QSerialPort on the emulator's pseudo-terminal, with what
// went over the wire read back from the emulator's log. The exact lines of each transaction sent
// in lock-step, the port choice and its status read, a cancel left over. How the link copes with
// each fault on the line, and with a reply that comes after a cancel or a time-out, is the fault
// matrix's (tst_faultmatrix); a command while another runs is tst_devicecommands'.

#include "base/cmyhexrecord.h"
#include "device/cmylocalport.h"
#include "device/cmyreplyline.h"
#include "device/cmytamira.h"
#include "emulator/cmyemulocaldevice.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/waituntil.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// The status read that every port choice starts takes this many lines.
constexpr int kStatusLines = 93;

// 64 records of 16 bytes over the settings block and the end record, each record different.
QStringList settingsLines(quint8 seed)
{
    QStringList lines;
    for (int i = 0; i < 64; ++i) {
        QVector<quint8> bytes(16);
        for (int j = 0; j < 16; ++j)
            bytes[j] = quint8(seed + i * 16 + j);
        lines << cMyHexRecord(quint16(i * 16), bytes).toString();
    }
    lines << QStringLiteral(":00000001FF");
    return lines;
}

QList<QByteArray> transferLines(const char *area, const char *direction, const QStringList &file)
{
    QList<QByteArray> lines{"#ROOT\r\n", "#HEX\r\n", QByteArray(area) + "\r\n", QByteArray(direction) + "\r\n"};
    for (const QString &l : file)
        lines << l.toLatin1() + "\r\n";
    return lines;
}

// The status read's lines, block by block as the device is asked.
QList<QByteArray> statusLines()
{
    struct Block
    {
        const char *area;
        quint16 first;
        int length, perRecord;
    };
    const Block blocks[] = {{"#EEPROM", 0x0000, 4, 4},  {"#EEPROM", 0x0010, 48, 16}, {"#EEPROM", 0x0200, 512, 16},
                            {"#FLASH", 0xFFE0, 16, 16}, {"#FLASH", 0xFFFC, 4, 4},    {"#OTP", 0x0000, 7, 7},
                            {"#RAM", 0x014A, 2, 2},     {"#RAM", 0x015E, 2, 2},      {"#RAM", 0x042C, 1, 1},
                            {"#ROM", 0x00FC, 4, 4}};
    QList<QByteArray> lines;
    for (const Block &b : blocks) {
        QStringList requests;
        for (int offset = 0; offset < b.length; offset += b.perRecord)
            requests << cMyHexRecord(quint16(b.first + offset), QVector<quint8>(b.perRecord, 0)).toString();
        requests << QStringLiteral(":00000001FF");
        lines << transferLines(b.area, "#READ", requests);
    }
    return lines;
}

// True when every line from index `first` on reached the device only after the whole reply to
// the line before it had left: never two lines on their way.
bool inLockStep(const cMyEmuLog &log, int first)
{
    QMap<qint64, double> replied; // line number -> its reply's last write
    for (const cMyEmuLog::Write &w : log.writes())
        replied[w.line] = w.seconds;
    const QList<double> arrived = log.lineSeconds();
    for (int i = qMax(first, 1); i < arrived.size(); ++i)
        if (!replied.contains(i) || arrived.at(i) < replied.value(i))
            return false;
    return true;
}

// Starts the emulator and attaches the link to it, without the first choice's wait; the status
// read of the port choice is over when this returns.
bool attach(cMyEmulatorProcess &emu, cMyTamira &link)
{
    if (!emu.start()) {
        qWarning("%s", qPrintable(emu.errorString()));
        return false;
    }
    link.setFirstStatusDelay(0);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    return status.wait(10000) && !link.isBusy();
}

cMyLinkFailure::Reason reason(const QSignalSpy &ended, int i)
{
    return ended.at(i).first().value<cMyLinkFailure::Reason>();
}

} // namespace

class tst_Link : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void replyAnswersItsLine_data();
    void replyAnswersItsLine();
    void portChoiceReadsTheStatus();
    void settingsWriteAndReadLineByLine();
    void singleCommands();
    void statusReadFollowsATransferStartedDuringItsWait();
    void deviceInsideTheProgram();
};

void tst_Link::initTestCase()
{
    // Two debug lines per exchange would bury the results; singleCommands looks at them.
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
}

void tst_Link::replyAnswersItsLine_data()
{
    // The rule all three links apply to every reply: an exact echo, except for a data record of
    // a read, answered by the bytes at its address.
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("answers");
    const QByteArray record = ":0400000001020304F2\r\n", request = ":0400100000000000EC\r\n";
    const QByteArray upper = ":020000040001F9\r\n";
    QTest::newRow("command echoed") << QByteArray("#HEX\r\n") << QByteArray("#HEX\r\n") << false << true;
    QTest::newRow("command, another of its length")
        << QByteArray("#HEX\r\n") << QByteArray("#HEY\r\n") << false << false;
    QTest::newRow("write: record echoed") << record << record << false << true;
    QTest::newRow("write: other data") << record << QByteArray(":0400000001020305F1\r\n") << false << false;
    QTest::newRow("write: the bytes a read would give")
        << record << QByteArray(":0400000000000000FC\r\n") << false << false;
    QTest::newRow("read: the bytes asked for") << request << QByteArray(":0400100001020304E2\r\n") << true << true;
    QTest::newRow("read: another address") << request << QByteArray(":0400140005060708CE\r\n") << true << false;
    QTest::newRow("read: a byte more") << request << QByteArray(":050010000102030405DC\r\n") << true << false;
    QTest::newRow("read: a byte less") << request << QByteArray(":03001000010203E7\r\n") << true << false;
    QTest::newRow("read: an address record for two bytes at 0")
        << QByteArray(":020000000000FE\r\n") << upper << true << false;
    QTest::newRow("read: address record echoed") << upper << upper << true << true;
    QTest::newRow("read: another upper address") << upper << QByteArray(":020000040002F8\r\n") << true << false;
    QTest::newRow("read: end record echoed")
        << QByteArray(":00000001FF\r\n") << QByteArray(":00000001FF\r\n") << true << true;
    QTest::newRow("read: area word echoed") << QByteArray("#RAM\r\n") << QByteArray("#RAM\r\n") << true << true;
}

void tst_Link::replyAnswersItsLine()
{
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, reply);
    QFETCH(bool, read);
    QFETCH(bool, answers);
    QCOMPARE(cMyReplyLine::answers(sent, reply, read), answers);
}

void tst_Link::portChoiceReadsTheStatus()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--flags", "255", "--max-depth", "1234", "--dive-time", "3725", "--serial", "4660",
                            "--hardware", "1.2.3.4", "--memory", "4", "--firmware", "1.0.5.0", "--language",
                            "ABCDEFGHIJKLMNOP", "--library", "2.1.0.7"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    cMyTamira link;
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);

    // The first choice waits for the device on a timer: the call returns with nothing started.
    link.setPort(emu.portPath());
    QVERIFY(link.statusReadPending());
    QVERIFY(!link.isBusy());
    QVERIFY(status.wait(10000));
    QCOMPARE(status.first().first().toStringList(),
             (QStringList{"255", "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.0.5.0", "ABCDEFGHIJKLMNOP", "2.1.0.7",
                          "1.0.1.0", "", "", ""}));
    QCOMPARE(progress.size(), 0);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(reason(ended, 0), cMyLinkFailure::Completed);

    const cMyEmuLog log = emu.log();
    QCOMPARE(log.receivedLines(), statusLines());
    QCOMPARE(log.receivedLines().at(4), QByteArray(":0400000000000000FC\r\n"));
    QCOMPARE(log.receivedLines().mid(69, 6), (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#RAM\r\n", "#READ\r\n",
                                                                ":02014A000000B3\r\n", ":00000001FF\r\n"}));
    QVERIFY(inLockStep(log, 0));

    // Later choices ask at once; a choice made during a transfer ends it quietly.
    cMyEmulatorProcess other;
    QVERIFY2(other.start(), qPrintable(other.errorString()));
    QStringList file = settingsLines(1);
    link.writeSettings(EEPROM, file);
    QVERIFY(link.isBusy());
    QVERIFY(progress.wait(5000));
    link.setPort(other.portPath());
    QCOMPARE(ended.size(), 2);
    QCOMPARE(reason(ended, 1), cMyLinkFailure::Superseded);
    QVERIFY(link.isBusy());
    QCOMPARE(link.state(), cMyTamira::ReadStatus);
    QVERIFY(status.wait(5000));

    // While the first wait runs, a newer choice replaces the older.
    cMyTamira fresh;
    QSignalSpy freshStatus(&fresh, &cMyTamira::statusChanged);
    fresh.setPort(other.portPath());
    fresh.setPort(emu.portPath());
    QVERIFY(freshStatus.wait(10000));
    // Before it: what the superseded write had got out when its port was closed (one or two
    // lines, depending on how far the system had sent them).
    const QList<QByteArray> later = emu.receivedLines().mid(kStatusLines);
    QVERIFY(later.size() > kStatusLines && later.size() <= kStatusLines + 2);
    QCOMPARE(later.mid(later.size() - kStatusLines), statusLines());
    QCOMPARE(later.first(), QByteArray("#ROOT\r\n"));
    QCOMPARE(other.receivedLines().size(), kStatusLines);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    // A choice made while a simulation holds the port is read once the simulation gives it back.
    link.setPortLent(true);
    ended.clear();
    link.setPort(emu.portPath());
    QVERIFY(!link.isBusy() && ended.isEmpty());
    link.setPortLent(false);
    QVERIFY(status.wait(5000));
    QCOMPARE(reason(ended, 0), cMyLinkFailure::Completed);
}

void tst_Link::settingsWriteAndReadLineByLine()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);

    // The user presses Cancel as the write's dialog closes: too late to break anything.
    auto lateCancel = connect(&link, &cMyTamira::writeProgress, this, [&](int, int max, int value) {
        if (value == max)
            link.breakCommunication();
    });
    QStringList file = settingsLines(7);
    const QStringList unchanged = file;
    link.writeSettings(EEPROM, file);
    QVERIFY(ended.wait(10000));
    disconnect(lateCancel);
    QCOMPARE(reason(ended, 0), cMyLinkFailure::Completed);
    QCOMPARE(file, unchanged);
    QCOMPARE(progress.size(), 69);
    for (int i = 0; i < 69; ++i)
        QCOMPARE(progress.at(i), (QVariantList{0, 69, i + 1}));
    cMyEmuLog log = emu.log();
    QCOMPARE(log.receivedLines().mid(kStatusLines), transferLines("#EEPROM", "#WRITE", file));
    QVERIFY(inLockStep(log, kStatusLines));

    // Reading asks with the same lines and delivers every record before the last progress.
    QStringList records;
    QList<MemoryType> areas;
    bool allBeforeLastProgress = true;
    connect(&link, &cMyTamira::newDataRead, this, [&](MemoryType area, uint address, QVector<quint8> data) {
        areas.append(area);
        records.append(cMyHexRecord(quint16(address), data).toString());
    });
    connect(&link, &cMyTamira::writeProgress, this, [&](int, int max, int value) {
        if (value == max)
            allBeforeLastProgress = records.size() == 64;
        else if (!records.isEmpty())
            allBeforeLastProgress = false;
    });
    progress.clear();
    QStringList requests = settingsLines(0);
    link.readSettings(EEPROM, requests);
    QVERIFY(ended.wait(10000));
    QCOMPARE(progress.size(), 69);
    QCOMPARE(progress.last(), (QVariantList{0, 69, 69}));
    QVERIFY(allBeforeLastProgress);
    QCOMPARE(areas, QList<MemoryType>() << QVector<MemoryType>(64, EEPROM).toList());
    QCOMPARE(records, file.mid(0, 64));
    log = emu.log();
    QCOMPARE(log.receivedLines().mid(kStatusLines + 69), transferLines("#EEPROM", "#READ", requests));
    QVERIFY(inLockStep(log, kStatusLines + 69));

    // Another area's line; a value outside the areas sends none (and the device, with no area
    // chosen, refuses the direction).
    QStringList one{cMyHexRecord(0xFFE0, QVector<quint8>(16, 0)).toString(), ":00000001FF"};
    link.readSettings(FLASH, one);
    QVERIFY(ended.wait(10000));
    QCOMPARE(records.size(), 65);
    QVERIFY(records.last().startsWith(":10FFE000"));
    QCOMPARE(areas.last(), FLASH);
    QSignalSpy failed(&link, &cMyTamira::failed);
    link.writeSettings(MemoryType(9), one);
    QVERIFY(ended.wait(10000));
    QCOMPARE(reason(ended, 3), cMyLinkFailure::BadReply);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(0).value<cMyLinkFailure>().reason, cMyLinkFailure::BadReply);
    QCOMPARE(emu.receivedLines().mid(kStatusLines + 69 + 69 + 6),
             (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#WRITE\r\n"}));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Link::singleCommands()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--stay-on-boot"});
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    QSignalSpy status(&link, &cMyTamira::statusChanged);

    // A cancel left over from no transaction at all breaks nothing.
    link.breakCommunication();
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=true"));
    QTest::ignoreMessage(QtDebugMsg, "Zapisane: \t#RESET\r\n");
    QTest::ignoreMessage(QtDebugMsg, "Odczytane:\t#RESET\r\n");
    link.reset(true);
    QCOMPARE(link.state(), cMyTamira::ResetCommand);
    QVERIFY(ended.wait(5000));
    // Unless asked for, the lines stay off the terminal.
    QLoggingCategory::setFilterRules(QString());
    static int linkMessages = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &) {
            linkMessages += qstrcmp(context.category, "tamira.link") == 0;
        });
    link.reset(false);
    QVERIFY(ended.wait(5000));
    qInstallMessageHandler(previous);
    QCOMPARE(linkMessages, 0);
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    link.boot();
    QCOMPARE(link.state(), cMyTamira::SingleCommand);
    QVERIFY(ended.wait(5000));
    QCOMPARE(ended.size(), 3);
    for (int i = 0; i < ended.size(); ++i)
        QCOMPARE(reason(ended, i), cMyLinkFailure::Completed);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(status.size(), 0);
    QCOMPARE(emu.receivedLines().mid(kStatusLines), (QList<QByteArray>{"#RESET\r\n", "#RESET\r\n", "#BOOT\r\n"}));

    // A port that cannot be opened: the port's own text, and nothing starts. The link tells, and
    // shows nothing itself.
    QSignalSpy failed(&link, &cMyTamira::failed);
    link.setPort(QStringLiteral("/nonexistent/ttyTamira"));
    QVERIFY(!link.isBusy());
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(0).value<cMyLinkFailure>().reason, cMyLinkFailure::NotOpened);
    QCOMPARE(failed.first().at(0).value<cMyLinkFailure>().text, QString("No such file or directory"));
    // No port at all: every command is refused as such.
    link.setPort(QString());
    link.readStatus();
    link.reset(true);
    QStringList file = settingsLines(0);
    link.writeSettings(EEPROM, file);
    QVERIFY(!link.isBusy());
    QCOMPARE(failed.size(), 5);
    for (int i = 1; i < 5; ++i)
        QCOMPARE(failed.at(i).at(0).value<cMyLinkFailure>().reason, cMyLinkFailure::NoPort);
    QCOMPARE(ended.size(), 3);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Link::statusReadFollowsATransferStartedDuringItsWait()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--hold", "5"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    cMyTamira link;
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    link.setPort(emu.portPath());
    QVERIFY(link.statusReadPending());
    QStringList file = settingsLines(6);
    link.writeSettings(EEPROM, file);
    // The wait ends while the write's fifth reply is held back.
    QVERIFY(waitUntil([&] { return !link.statusReadPending(); }));
    QVERIFY(link.statusReadQueued());
    QCOMPARE(emu.release(), 1);
    QVERIFY(status.wait(10000));
    QCOMPARE(ended.size(), 2);
    QCOMPARE(reason(ended, 0), cMyLinkFailure::Completed);
    QCOMPARE(emu.receivedLines(), transferLines("#EEPROM", "#WRITE", file) + statusLines());
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

// The link's boxes are checked as the user sees them, in English.
void tst_Link::deviceInsideTheProgram()
{
    // Where the system has no pseudo-terminals (the demo device on Windows), the emulator's
    // device logic answers inside the program behind a claimed port name: the same lines in lock
    // step, on the same wire log.
    QTemporaryDir dir;
    const QString logPath = dir.filePath("wire.log");
    auto device = std::make_shared<cMyEmuLocalDevice>();
    QString error;
    QVERIFY2(device->configure({"--serial", "4660", "--baud", "115200", "--log", logPath}, &error), qPrintable(error));
    cMyLocalPort::claim("DEMO", device);
    cMyScriptedDialogs dialogs;
    cMyTamira link;
    link.setFirstStatusDelay(0);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    link.setPort("DEMO");
    QVERIFY(status.wait(10000));
    QCOMPARE(status.first().first().toStringList().at(3), QString("4660"));
    QStringList file = settingsLines(7);
    link.writeSettings(EEPROM, file);
    QVERIFY(waitUntil([&] { return ended.size() == 2; }));
    QCOMPARE(reason(ended, 1), cMyLinkFailure::Completed);

    // Like a serial port, the name opens once at a time; a name nobody claims does not open.
    cMyLocalPort first("DEMO"), second("DEMO"), unclaimed("COM99");
    QVERIFY(first.open(QIODevice::ReadWrite));
    QVERIFY(!second.open(QIODevice::ReadWrite));
    QVERIFY(!unclaimed.open(QIODevice::ReadWrite));
    first.close();
    QVERIFY(second.open(QIODevice::ReadWrite));
    second.close();
    cMyLocalPort::release("DEMO");
    QVERIFY(!first.open(QIODevice::ReadWrite));

    QFile logFile(logPath);
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    const cMyEmuLog log = cMyEmuLog::parse(logFile.readAll());
    QCOMPARE(log.receivedLines(), statusLines() + transferLines("#EEPROM", "#WRITE", file));
    QVERIFY(inLockStep(log, 0));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    initTamiraResources();
    QTranslator translator;
    if (!translator.load(QStringLiteral(":/language/english.qm")))
        qFatal("the English catalogue is missing from the resources");
    app.installTranslator(&translator);
    tst_Link tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_link.moc"
