// The device link end to end: a real QSerialPort on the emulator's pseudo-terminal, with what
// went over the wire read back from the emulator's log. Transfers, the status read, the single
// commands, and the faults: split and cut replies, corrupt records, silence, hang-up, a second
// command during a transfer, cancels.

#include "cmyemulatorprocess.h"
#include "cmyhexrecord.h"
#include "cmyscripteddialogs.h"
#include "cmytamira.h"
#include "tamiraresources.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {

// The status read that every port choice starts takes this many lines.
constexpr int kStatusLines = 93;

QByteArray crlf(const QString &line)
{
    return line.toLatin1() + "\r\n";
}

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
        lines << crlf(l);
    return lines;
}

// The status read's lines, block by block as the device is asked.
QList<QByteArray> statusLines()
{
    struct Block { const char *area; quint16 first; int length, perRecord; };
    const Block blocks[] = {{"#EEPROM", 0x0000, 4, 4}, {"#EEPROM", 0x0010, 48, 16}, {"#EEPROM", 0x0200, 512, 16},
                            {"#FLASH", 0xFFE0, 16, 16}, {"#FLASH", 0xFFFC, 4, 4}, {"#OTP", 0x0000, 7, 7},
                            {"#RAM", 0x014A, 2, 2}, {"#RAM", 0x015E, 2, 2}, {"#RAM", 0x042C, 1, 1},
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

// One step of the wire log in the order it happened.
struct WireEvent
{
    char kind;     // 'R' received, 'S' sent, 'E' event
    qint64 line;   // for a write: the line it answers
    QByteArray bytes;   // for an event: its text
};

QList<WireEvent> wireEvents(cMyEmulatorProcess &emu)
{
    emu.log();   // a sync: everything sent so far is in the file
    QFile file(emu.logPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<WireEvent> events;
    for (const QByteArray &entry : file.readAll().split('\n')) {
        const QList<QByteArray> f = entry.split(' ');
        if (f.size() >= 3 && f.at(0) == "R")
            events.append({'R', 0, QByteArray::fromHex(f.at(2))});
        else if (f.size() >= 4 && f.at(0) == "S")
            events.append({'S', f.at(2).toLongLong(), QByteArray::fromHex(f.at(3))});
        else if (f.size() >= 3 && f.at(0) == "E")
            events.append({'E', 0, entry});
    }
    return events;
}

// For each write, the number of whole lines received before it.
QList<QPair<qint64, int>> linesInBeforeEachWrite(cMyEmulatorProcess &emu)
{
    QList<QPair<qint64, int>> out;
    int linesIn = 0;
    for (const WireEvent &e : wireEvents(emu)) {
        if (e.kind == 'R')
            linesIn += e.bytes.count('\n');
        else if (e.kind == 'S')
            out.append({e.line, linesIn});
    }
    return out;
}

// How often the host changed the port settings between the arrival of line `first` and the
// reply to line `last`.
int settingsChangesDuring(cMyEmulatorProcess &emu, int first, int last)
{
    int linesIn = 0;
    bool inside = false;
    int changes = 0;
    for (const WireEvent &e : wireEvents(emu)) {
        if (e.kind == 'R') {
            linesIn += e.bytes.count('\n');
            inside = inside || linesIn >= first;
        } else if (e.kind == 'S' && e.line == last) {
            break;
        } else if (e.kind == 'E' && inside && e.bytes.contains("port settings changed")) {
            ++changes;
        }
    }
    return changes;
}

// Starts the emulator and attaches the link to it; the status read of the port choice is over
// when this returns.
bool attach(cMyEmulatorProcess &emu, cMyTamira &link)
{
    if (!emu.start()) {
        qWarning("%s", qPrintable(emu.errorString()));
        return false;
    }
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    return status.wait(10000) && !link.isBusy();
}

QString arm(cMyEmulatorProcess &emu, const char *fault, int line, const char *rest = "")
{
    return emu.control(QStringLiteral("%1 %2%3").arg(QLatin1String(fault)).arg(line).arg(QLatin1String(rest)));
}

} // namespace

class tst_Link : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void portChoiceReadsTheStatus();
    void settingsWriteAndReadLineByLine();
    void singleCommands();
    void repliesAreTakenAsTheyArrive();
    void corruptRecordsAreSkipped();
    void silentDeviceTimesOut();
    void hangUpEndsTheTransaction();
    void secondCommandDuringATransfer();
    void cancelledReadDeliversNothing();
    void staleCancelBreaksNothing();
    void lateRepliesNeitherOverlapNorShift_data();
    void lateRepliesNeitherOverlapNorShift();
    void statusReadFollowsATransferStartedDuringItsWait();
};

void tst_Link::initTestCase()
{
    // Two debug lines per exchange would bury the results; singleCommands looks at them.
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
}

void tst_Link::portChoiceReadsTheStatus()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--flags", "255", "--max-depth", "1234", "--dive-time", "3725", "--serial", "4660",
                            "--hardware", "1.2.3.4", "--memory", "4", "--firmware", "1.0.5.0",
                            "--language", "ABCDEFGHIJKLMNOP", "--library", "2.1.0.7"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    cMyTamira link;
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);

    // The first choice waits a second without holding up the event loop.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    link.setPort(emu.portPath());
    QVERIFY(link.statusReadPending());
    QVERIFY(!link.isBusy());
    QVERIFY(status.wait(10000));
    QVERIFY2(clock.elapsed() >= 990, qPrintable(QString::number(clock.elapsed())));
    // A blocked event loop would deliver one tick at most; a busy machine may deliver far fewer
    // than fifty.
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    ticker.stop();

    QCOMPARE(status.size(), 1);
    QCOMPARE(status.first().first().toStringList(),
             (QStringList{"255", "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.0.5.0", "ABCDEFGHIJKLMNOP",
                          "2.1.0.7", "1.0.1.0", "", "", ""}));
    QCOMPARE(progress.size(), 0);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);

    const QList<QByteArray> lines = emu.receivedLines();
    QCOMPARE(lines, statusLines());
    QCOMPARE(lines.at(4), QByteArray(":0400000000000000FC\r\n"));
    QCOMPARE(lines.mid(69, 6), (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#RAM\r\n", "#READ\r\n",
                                                  ":02014A000000B3\r\n", ":00000001FF\r\n"}));
    // Each line went out only after the reply to the one before it.
    const auto order = linesInBeforeEachWrite(emu);
    QCOMPARE(order.size(), kStatusLines);
    for (const auto &w : order)
        QCOMPARE(w.second, int(w.first));

    // Later choices ask at once; a choice made during a transfer ends it quietly.
    cMyEmulatorProcess other;
    QVERIFY2(other.start(), qPrintable(other.errorString()));
    QStringList file = settingsLines(1);
    link.writeSettings(EEPROM, file);
    QVERIFY(link.isBusy());
    QVERIFY(progress.wait(5000));
    link.setPort(other.portPath());
    QCOMPARE(ended.size(), 2);
    QCOMPARE(ended.last().first().value<cMyTamira::EndReason>(), cMyTamira::Superseded);
    QVERIFY(link.isBusy());
    QCOMPARE(link.state(), cMyTamira::ReadStatus);
    QVERIFY(status.wait(5000));
    QCOMPARE(other.receivedLines().size(), kStatusLines);
    QVERIFY(dialogs.clean());

    // While the first wait runs, a newer choice replaces the older one.
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
    QVERIFY(dialogs.clean());
}

void tst_Link::settingsWriteAndReadLineByLine()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);

    QStringList file = settingsLines(7);
    const QStringList unchanged = file;
    link.writeSettings(EEPROM, file);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(file, unchanged);
    QCOMPARE(progress.size(), 69);
    for (int i = 0; i < 69; ++i)
        QCOMPARE(progress.at(i), (QVariantList{0, 69, i + 1}));
    QVERIFY(!link.isBusy());

    const QList<QByteArray> written = transferLines("#EEPROM", "#WRITE", file);
    QCOMPARE(written.size(), 69);
    QCOMPARE(emu.receivedLines().mid(kStatusLines), written);
    const auto order = linesInBeforeEachWrite(emu);
    QCOMPARE(order.size(), kStatusLines + 69);
    for (const auto &w : order)
        QCOMPARE(w.second, int(w.first));

    // Reading asks with the same lines and delivers every record before the last progress.
    QList<QPair<uint, QVector<quint8>>> records;
    QList<MemoryType> areas;
    bool allBeforeLastProgress = true;
    connect(&link, &cMyTamira::newDataRead, this, [&](MemoryType area, uint address, QVector<quint8> data) {
        areas.append(area);
        records.append({address, data});
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
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    QCOMPARE(progress.size(), 69);
    QCOMPARE(progress.last(), (QVariantList{0, 69, 69}));
    QVERIFY(allBeforeLastProgress);
    QCOMPARE(records.size(), 64);
    QCOMPARE(areas, QList<MemoryType>() << QVector<MemoryType>(64, EEPROM).toList());
    for (int i = 0; i < 64; ++i) {
        cMyHexRecord expected;
        QVERIFY(expected.fromString(file.at(i)));
        QCOMPARE(records.at(i).first, uint(i * 16));
        QCOMPARE(records.at(i).second, expected.data());
    }
    QCOMPARE(emu.receivedLines().mid(kStatusLines + 69), transferLines("#EEPROM", "#READ", requests));

    // Another area's line, and a value outside the areas sends none.
    QStringList one{cMyHexRecord(0xFFE0, QVector<quint8>(16, 0)).toString(), ":00000001FF"};
    link.readSettings(FLASH, one);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 10000);
    QCOMPARE(records.size(), 65);
    QCOMPARE(records.last().first, uint(0xFFE0));
    QCOMPARE(areas.last(), FLASH);
    link.writeSettings(MemoryType(9), one);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 4, 10000);
    QCOMPARE(emu.receivedLines().mid(kStatusLines + 69 + 69 + 6),
             (QList<QByteArray>{"#ROOT\r\n", "#HEX\r\n", "#WRITE\r\n", crlf(one.at(0)), ":00000001FF\r\n"}));
    QVERIFY(dialogs.clean());
}

void tst_Link::singleCommands()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--stay-on-boot", "--max-depth", "900"});
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    QSignalSpy status(&link, &cMyTamira::statusChanged);

    QLoggingCategory::setFilterRules(QString());
    QTest::ignoreMessage(QtDebugMsg, "Zapisane: \t#RESET\r\n");
    QTest::ignoreMessage(QtDebugMsg, "Odczytane:\t#RESET\r\n");
    link.reset(true);
    QCOMPARE(link.state(), cMyTamira::ResetCommand);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 5000);
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));

    link.reset(false);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 5000);
    link.boot();
    QCOMPARE(link.state(), cMyTamira::SingleCommand);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 5000);
    link.clearStats();
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 4, 5000);
    link.powerOff();
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 5, 5000);
    QVERIFY(!link.isBusy());
    for (const QList<QVariant> &e : ended)
        QCOMPARE(e.first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(status.size(), 0);

    QCOMPARE(emu.receivedLines().mid(kStatusLines),
             (QList<QByteArray>{"#RESET\r\n", "#RESET\r\n", "#BOOT\r\n", "#CLEAR\r\n", "#OFF\r\n"}));
    QVERIFY(emu.control("state").contains(QLatin1String("off=1")));
    // The clear reached the device: the statistics read back as zero.
    link.readStatus();
    QVERIFY(status.wait(5000));
    QCOMPARE(status.first().first().toStringList().mid(1, 2), (QStringList{"0.0 m", "0:00"}));
    QVERIFY(dialogs.clean());

    // A port that cannot be opened: the port's own text, and nothing starts.
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    link.setPort(QStringLiteral("/nonexistent/ttyTamira"));
    QVERIFY(!link.isBusy());
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().size(), 1);
    QCOMPARE(dialogs.asked().first().parent, nullptr);
    QCOMPARE(dialogs.asked().first().icon, cMyDialogs::Critical);
    QVERIFY(!dialogs.asked().first().text.isEmpty());
    // No port at all: every command is silently nothing.
    link.setPort(QString());
    link.readStatus();
    link.reset(true);
    QStringList file = settingsLines(0);
    link.writeSettings(EEPROM, file);
    QVERIFY(!link.isBusy());
    QCOMPARE(dialogs.asked().size(), 1);
    QCOMPARE(ended.size(), 6);
}

void tst_Link::repliesAreTakenAsTheyArrive()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--gap", "100"});
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QList<uint> addresses;
    connect(&link, &cMyTamira::newDataRead, this, [&](MemoryType, uint address, QVector<quint8>) { addresses << address; });
    QStringList requests = settingsLines(0);

    // A reply in two pieces is two replies: the next line goes out after the first piece.
    QCOMPARE(arm(emu, "split", kStatusLines + 3, ":4"), QString("ok"));
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
    QList<QPair<qint64, int>> split;
    for (const auto &w : linesInBeforeEachWrite(emu))
        if (w.first == kStatusLines + 3)
            split << w;
    QCOMPARE(split.size(), 2);
    QCOMPARE(split.at(0).second, kStatusLines + 3);
    QCOMPARE(split.at(1).second, kStatusLines + 4);
    // Neither piece is the area echo, so the records have no area and are not delivered.
    QCOMPARE(addresses.size(), 0);
    QCOMPARE(emu.receivedLines().size(), kStatusLines + 69);

    // A zero byte ends the reply: right after the echo it costs nothing, inside it spoils it.
    const int second = kStatusLines + 69;
    QCOMPARE(arm(emu, "nul", second + 3, ":9"), QString("ok"));
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    QCOMPARE(addresses.size(), 64);
    QCOMPARE(emu.log().replyTo(second + 3), QByteArray("#EEPROM\r\n\0", 10));

    addresses.clear();
    QCOMPARE(arm(emu, "nul", second + 69 + 3, ":4"), QString("ok"));
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 10000);
    QCOMPARE(addresses.size(), 0);
    for (const QList<QVariant> &e : ended)
        QCOMPARE(e.first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QVERIFY(dialogs.clean());
}

void tst_Link::corruptRecordsAreSkipped()
{
    cMyScriptedDialogs dialogs;
    // The first status read's language record (line 56) comes back with a bad checksum.
    cMyEmulatorProcess emu({"--bad-checksum", "56", "--language", "English", "--library", "2.1.0.7"});
    cMyTamira link;
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QVERIFY(attach(emu, link));
    QCOMPARE(emu.receivedLines().at(55), QByteArray(":10FFE0000000000000000000000000000000000011\r\n"));
    const QStringList list = status.first().first().toStringList();
    QCOMPARE(list.size(), 13);
    QCOMPARE(list.at(7), QString());
    QCOMPARE(list.at(8), QString("2.1.0.7"));

    // In a settings read the corrupt record alone is missing.
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QList<uint> addresses;
    connect(&link, &cMyTamira::newDataRead, this, [&](MemoryType, uint address, QVector<quint8>) { addresses << address; });
    QCOMPARE(arm(emu, "bad-checksum", kStatusLines + 4 + 17), QString("ok"));
    QStringList requests = settingsLines(0);
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
    QCOMPARE(addresses.size(), 63);
    QVERIFY(!addresses.contains(16 * 16));
    QCOMPARE(addresses.at(16), uint(17 * 16));
    QVERIFY(dialogs.clean());
}

void tst_Link::silentDeviceTimesOut()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QCOMPARE(link.replyTimeout(), 10000);
    QVERIFY(attach(emu, link));
    link.setReplyTimeout(300);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);

    QCOMPARE(emu.control(QStringLiteral("silent-after %1").arg(kStatusLines + 5)), QString("ok"));
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    QStringList file = settingsLines(3);
    link.writeSettings(EEPROM, file);
    QVERIFY(ended.wait(5000));
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::TimedOut);
    QVERIFY(!link.isBusy());
    QCOMPARE(progress.size(), 5);
    QCOMPARE(dialogs.asked().size(), 1);
    QCOMPARE(dialogs.asked().first().text, QString("Tamira does not answer."));
    QCOMPARE(dialogs.asked().first().icon, cMyDialogs::Critical);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    // The port was given back: once the device answers again, so does the link.
    QCOMPARE(emu.control(QStringLiteral("silent-after off")), QString("ok"));
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.readStatus();
    QVERIFY(status.wait(5000));
    QCOMPARE(ended.size(), 2);
    QCOMPARE(dialogs.asked().size(), 1);
}

void tst_Link::hangUpEndsTheTransaction()
{
    cMyScriptedDialogs dialogs;
    cMyTamira link;
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    {
        cMyEmulatorProcess emu({"--hang-up-after", QString::number(kStatusLines + 10)});
        QVERIFY(attach(emu, link));
        ended.clear();
        dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
        QStringList file = settingsLines(5);
        link.writeSettings(EEPROM, file);
        QVERIFY(ended.wait(5000));
        QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::PortLost);
        QVERIFY(!link.isBusy());
        QCOMPARE(progress.last(), (QVariantList{0, 69, 10}));
        QVERIFY(emu.waitForExit());
        QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
        QCOMPARE(dialogs.asked().size(), 1);
        // The port's own text alone ("Input/output error" and the like) would not tell what
        // happened.
        QVERIFY2(dialogs.asked().first().text.startsWith(QLatin1String("The connection to Tamira was lost.\n")),
                 qPrintable(dialogs.asked().first().text));
    }

    // The device is back on another port: the next commands work.
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    link.setPort(emu.portPath());
    QVERIFY(status.wait(5000));
    QStringList file = settingsLines(5);
    link.writeSettings(EEPROM, file);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 10000);
    QCOMPARE(ended.last().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(progress.last(), (QVariantList{0, 69, 69}));
    QCOMPARE(emu.receivedLines().mid(kStatusLines), transferLines("#EEPROM", "#WRITE", file));
    QCOMPARE(dialogs.asked().size(), 1);
}

void tst_Link::secondCommandDuringATransfer()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    connect(&link, &cMyTamira::writeProgress, this, [&](int, int, int value) {
        if (value == 10)
            link.readStatus();
        if (value == 20)
            link.powerOff();
    });

    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    QStringList file = settingsLines(9);
    link.writeSettings(EEPROM, file);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().first().text, QString("Device is already open"));
    QCOMPARE(progress.size(), 69);
    QCOMPARE(status.size(), 0);
    // The transfer went on untouched: the port was not even reconfigured under it.
    QCOMPARE(emu.receivedLines().mid(kStatusLines), transferLines("#EEPROM", "#WRITE", file));
    const cMyEmuLog log = emu.log();
    QCOMPARE(log.replies().mid(kStatusLines), transferLines("#EEPROM", "#WRITE", file));
    // The port was not even reconfigured under it.
    QCOMPARE(settingsChangesDuring(emu, kStatusLines + 1, kStatusLines + 69), 0);
}

void tst_Link::cancelledReadDeliversNothing()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QSignalSpy progress(&link, &cMyTamira::writeProgress);
    QSignalSpy data(&link, &cMyTamira::newDataRead);
    QStringList requests = settingsLines(0);

    // Cancelled at the 30th reply: the 31st reply ends it.
    auto cancelAt30 = connect(&link, &cMyTamira::writeProgress, this, [&](int, int, int value) {
        if (value == 30)
            link.breakCommunication();
    });
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
    disconnect(cancelAt30);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Cancelled);
    QCOMPARE(progress.size(), 30);
    QCOMPARE(data.size(), 0);
    QVERIFY(!link.isBusy());
    QList<QByteArray> expected = transferLines("#EEPROM", "#READ", requests).mid(0, 31);
    expected << "#ROOT\r\n";
    QTRY_COMPARE_WITH_TIMEOUT(emu.receivedLines().mid(kStatusLines), expected, 5000);

    // The next read goes through whole.
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    QCOMPARE(ended.last().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(data.size(), 64);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Link::staleCancelBreaksNothing()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy status(&link, &cMyTamira::statusChanged);
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);

    // A cancel with nothing running.
    link.breakCommunication();
    link.readStatus();
    QVERIFY(status.wait(5000));
    QCOMPARE(status.last().first().toStringList().size(), 13);

    // A cancel that comes as a write ends (the user pressed Cancel as the dialog closed).
    auto lateCancel = connect(&link, &cMyTamira::writeProgress, this, [&](int, int max, int value) {
        if (value == max)
            link.breakCommunication();
    });
    QStringList file = settingsLines(2);
    link.writeSettings(EEPROM, file);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    disconnect(lateCancel);
    link.reset(true);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 5000);
    link.readStatus();
    QVERIFY(status.wait(5000));
    for (const QList<QVariant> &e : ended)
        QCOMPARE(e.first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(emu.receivedLines().size(), kStatusLines * 3 + 69 + 1);
    QVERIFY(dialogs.clean());
}

void tst_Link::lateRepliesNeitherOverlapNorShift_data()
{
    QTest::addColumn<int>("graceMs");
    QTest::addColumn<bool>("timeOut");
    QTest::addColumn<bool>("rootSent");
    QTest::newRow("cancel, reply within the grace time: #ROOT after it") << 30000 << false << true;
    QTest::newRow("cancel, no reply within it: no #ROOT, the reply comes late") << 50 << false << false;
    QTest::newRow("time-out, the reply comes late") << 50 << true << false;
}

void tst_Link::lateRepliesNeitherOverlapNorShift()
{
    QFETCH(int, graceMs);
    QFETCH(bool, timeOut);
    QFETCH(bool, rootSent);
    cMyScriptedDialogs dialogs;
    // A device whose port keeps what it sent while the host had the port closed.
    cMyEmulatorProcess emu({"--keep-unread"});
    cMyTamira link;
    QVERIFY(attach(emu, link));
    QSignalSpy ended(&link, &cMyTamira::transactionEnded);
    QStringList device = settingsLines(40);
    link.writeSettings(EEPROM, device);
    QVERIFY(ended.wait(10000));
    link.setCancelGrace(graceMs);
    link.setReplyTimeout(timeOut ? 200 : 30000);

    // The reply to a read's tenth line is held back; the read is cancelled or times out.
    const int due = kStatusLines + 69 + 10;
    QCOMPARE(arm(emu, "hold", due), QString("ok"));
    QStringList requests = settingsLines(0);
    if (timeOut)
        dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(emu.stateFigure("lines"), due, 5000);
    if (!timeOut)
        link.breakCommunication();
    if (!rootSent)
        QVERIFY(ended.wait(5000));
    // The next read's first reply is held too, so a stale reply is all there is when it opens.
    const int next = rootSent ? due + 2 : due + 1;
    QCOMPARE(arm(emu, "hold", next), QString("ok"));
    QCOMPARE(emu.release(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 2, 10000);
    QCOMPARE(ended.last().first().value<cMyTamira::EndReason>(), timeOut ? cMyTamira::TimedOut : cMyTamira::Cancelled);
    const cMyEmuLog log = emu.log();
    QCOMPARE(log.receivedLines().mid(due), rootSent ? QList<QByteArray>{"#ROOT\r\n"} : QList<QByteArray>());
    // Never a line on its way while the reply to the one before was not yet sent.
    double replied = -1;
    for (const cMyEmuLog::Write &w : log.writes())
        replied = w.line == due ? w.seconds : replied;
    QVERIFY(replied >= 0);
    for (int line = due; line < log.receivedLines().size(); ++line)
        QVERIFY2(log.lineSeconds().at(line) >= replied, qPrintable(QString::number(line + 1)));
    if (!rootSent)
        QTRY_VERIFY_WITH_TIMEOUT(emu.stateFigure("unread") > 0, 5000);

    QStringList records;
    connect(&link, &cMyTamira::newDataRead, this, [&](MemoryType, uint address, QVector<quint8> data) {
        records << cMyHexRecord(quint16(address), data).toString();
    });
    // Without the end record a reader one reply behind would lose the last record.
    requests.removeLast();
    link.readSettings(EEPROM, requests);
    QTRY_COMPARE_WITH_TIMEOUT(emu.stateFigure("lines"), next, 5000);
    QCOMPARE(emu.release(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 10000);
    QCOMPARE(ended.last().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QCOMPARE(records, device.mid(0, 64));
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
    QTRY_VERIFY_WITH_TIMEOUT(!link.statusReadPending(), 5000);
    QVERIFY(link.statusReadQueued());
    QCOMPARE(emu.release(), 1);
    QVERIFY(status.wait(10000));
    QCOMPARE(ended.size(), 2);
    QCOMPARE(ended.first().first().value<cMyTamira::EndReason>(), cMyTamira::Completed);
    QList<QByteArray> expected = transferLines("#EEPROM", "#WRITE", file);
    expected << statusLines();
    QCOMPARE(emu.receivedLines(), expected);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

// The link's boxes are checked as the user sees them, in English.
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
