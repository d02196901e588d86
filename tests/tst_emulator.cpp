// The device emulator: its device model without a pseudo-terminal (echoes, memory areas, status
// values, statistics, the dive model, the fault plan, line assembly and the wire log), and the
// program end to end through a real QSerialPort, as the desktop programs will use it.

#include "cmyemudevice.h"
#include "cmyemufaultplan.h"
#include "cmyemulatorprocess.h"
#include "serialsettings.h"
#include "cmyemulineassembler.h"
#include "cmyemulog.h"
#include "cmyemuoptions.h"
#include "cmyhexrecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray send(cMyEmuDevice &device, const QByteArray &content)
{
    return device.handleLine(content + "\r\n").bytes;
}

// A read request as the desktop program sends it: a data record of `count` zero bytes.
QByteArray request(quint16 address, int count)
{
    return cMyHexRecord(address, QVector<quint8>(count, 0)).toString().toLatin1();
}

QByteArray record(quint16 address, const QVector<quint8> &bytes)
{
    return cMyHexRecord(address, bytes).toString().toLatin1();
}

QVector<quint8> dataOf(const QByteArray &reply)
{
    cMyHexRecord r;
    if (!r.fromString(QString::fromLatin1(reply)))
        return {};
    return r.data();
}

// Enters a mode, an area and a direction, checking each echo.
void enter(cMyEmuDevice &device, const QByteArrayList &words)
{
    for (const QByteArray &w : words)
        QCOMPARE(send(device, w), w + "\r\n");
}

qint16 simWord(cMyEmuDevice &device, quint32 address)
{
    return qint16(device.memory(cMyEmuDevice::Ram).word(address));
}

void configureSerial(QSerialPort &port, const QString &path)
{
    applyTamiraSerialSettings(port, path);
}

// One line out, one arrival of bytes back (or nothing after the deadline).
QByteArray exchange(QSerialPort &port, const QByteArray &line, int timeoutMs = 5000)
{
    QSignalSpy ready(&port, &QSerialPort::readyRead);
    port.write(line);
    if (!ready.wait(timeoutMs))
        return QByteArray();
    return port.readAll();
}

} // namespace

class tst_Emulator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandsAreEchoedAndRejectedOutOfPlace();
    void eepromStartsAsTheBlankTemplate();
    void writesAreStoredOnlyWhereTheyFit();
    void flashHonoursExtendedLinearAddresses();
    void statusValuesComeFromTheSettings();
    void serviceCommandsActOnTheDevice();
    void simulationFollowsThePressure();
    void diveThresholdsComeFromTheSettings_data();
    void diveThresholdsComeFromTheSettings();
    void faultPlanShapesReplies();
    void linesAreAssembledAndBounded();

    void serialPortReopenedPerTransaction();
    void staleRepliesDoNotReachTheNextTransaction();
    void hangUpAndBootTakeThePortAway();
    void silenceAfterNLines();
    void baudRateDelayMatchesTheWireTime();
    void commandLineErrorsAndHelp();
};

void tst_Emulator::initTestCase()
{
    qRegisterMetaType<QSerialPort::SerialPortError>();
}

void tst_Emulator::commandsAreEchoedAndRejectedOutOfPlace()
{
    cMyEmuDevice d;
    // The echo repeats the line exactly, whatever its terminator.
    QCOMPARE(d.handleLine("#ROOT\r\n").bytes, QByteArray("#ROOT\r\n"));
    QCOMPARE(d.handleLine("#HEX\n").bytes, QByteArray("#HEX\n"));
    QCOMPARE(d.level(), cMyEmuDevice::Level::Hex);
    QCOMPARE(send(d, "#MDID"), QByteArray("#MDID\r\n"));
    QCOMPARE(d.area(), cMyEmuDevice::Mdid);
    QCOMPARE(send(d, "#READ"), QByteArray("#READ\r\n"));
    QCOMPARE(dataOf(send(d, request(0, 4))), (QVector<quint8>{0x1F, 0x27, 0x01, 0x00}));

    // Out of place or unknown: an error reply, never an echo that would pass for success.
    cMyEmuDevice fresh;
    QCOMPARE(send(fresh, "#EEPROM"), cMyEmuDevice::kErrorReply);        // area at root level
    QCOMPARE(send(fresh, "#HEX"), QByteArray("#HEX\r\n"));
    QCOMPARE(send(fresh, "#READ"), cMyEmuDevice::kErrorReply);          // no area yet
    QCOMPARE(send(fresh, request(0, 4)), cMyEmuDevice::kErrorReply);    // no transfer
    QCOMPARE(send(fresh, "#eeprom"), cMyEmuDevice::kErrorReply);        // words are case-sensitive
    QCOMPARE(send(fresh, "#NOSUCH"), cMyEmuDevice::kErrorReply);
    QCOMPARE(send(fresh, "hello"), cMyEmuDevice::kErrorReply);
    QCOMPARE(send(fresh, ""), cMyEmuDevice::kErrorReply);
    QCOMPARE(fresh.handleLine(QByteArray("\x00\xff\x80:#\r\n", 7)).bytes, cMyEmuDevice::kErrorReply);
    QCOMPARE(fresh.handleLine(QByteArray(5000, '#') + "\r\n").bytes, cMyEmuDevice::kErrorReply);
    QCOMPARE(fresh.handleLine("#ROOT\r\n", true).bytes, cMyEmuDevice::kErrorReply);
    // The end record and an extended address are echoed in any state.
    QCOMPARE(send(fresh, ":00000001FF"), QByteArray(":00000001FF\r\n"));
    QCOMPARE(send(fresh, ":020000040001F9"), QByteArray(":020000040001F9\r\n"));
    QCOMPARE(fresh.upperAddress(), quint16(1));
    // Every area word is accepted in simulation mode too.
    for (const char *w : {"#EEPROM", "#FLASH", "#OTP", "#RAM", "#ROM", "#MDID"}) {
        enter(fresh, {"#SIMUL", w, "#WRITE"});
        QCOMPARE(fresh.direction(), cMyEmuDevice::Direction::Write);
    }
}

void tst_Emulator::eepromStartsAsTheBlankTemplate()
{
    QFile file(QStringLiteral(TAMIRA_SOURCE_DIR "/resources/pliki/clear.tmo"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> expected = file.readAll().split('\n');
    for (QByteArray &l : expected)
        l = l.trimmed();
    expected.removeAll(QByteArray());
    QCOMPARE(expected.size(), 65);

    // A settings read as the desktop program sends it: 64 requests of 16 bytes.
    cMyEmuDevice d;
    enter(d, {"#ROOT", "#HEX", "#EEPROM", "#READ"});
    for (int i = 0; i < 64; ++i)
        QCOMPARE(send(d, request(quint16(i * 16), 16)), expected.at(i) + "\r\n");
    QCOMPARE(send(d, ":00000001FF"), QByteArray(":00000001FF\r\n"));

    // A file that does not load leaves the EEPROM as it was.
    QString why;
    QVERIFY(!d.loadEeprom(record(0x03F8, QVector<quint8>(16, 1)) + "\n", &why));
    QVERIFY(why.contains(QLatin1String("outside")));
    QVERIFY(!d.loadEeprom(":10000000FFFF\n", &why));
    QCOMPARE(d.memory(cMyEmuDevice::Eeprom).read(0, 4), (QVector<quint8>{1, 0, 1, 0}));
    QVERIFY(d.loadEeprom(record(0x0010, {'A', 'B'}) + "\n:00000001FF\n"));
    QCOMPARE(d.memory(cMyEmuDevice::Eeprom).read(0x0010, 3), (QVector<quint8>{'A', 'B', 0xFF}));
}

void tst_Emulator::writesAreStoredOnlyWhereTheyFit()
{
    cMyEmuDevice d;
    enter(d, {"#ROOT", "#HEX", "#EEPROM", "#WRITE"});
    const QByteArray rec = record(0x03F0, QVector<quint8>(16, 0xA5));
    QCOMPARE(send(d, rec.toLower()), rec.toLower() + "\r\n");   // echo keeps the host's spelling
    QCOMPARE(send(d, record(0x03F8, QVector<quint8>(16, 0x11))), cMyEmuDevice::kErrorReply);
    QCOMPARE(send(d, ":10000000" + QByteArray(32, '0') + "F1"), cMyEmuDevice::kErrorReply);  // checksum
    QCOMPARE(send(d, ":0200000200001C"), cMyEmuDevice::kErrorReply);  // segment records are not used
    enter(d, {"#READ"});
    QCOMPARE(dataOf(send(d, request(0x03F0, 16))), QVector<quint8>(16, 0xA5));
    // A read past the end still answers with the length asked for.
    QCOMPARE(dataOf(send(d, request(0x03F8, 16))).mid(8), QVector<quint8>(8, 0xFF));
    QCOMPARE(send(d, ":00001000F0"), QByteArray(":00001000F0\r\n"));  // zero-length request

    // ROM and MDID are read-only: a write is refused, not silently dropped.
    enter(d, {"#HEX", "#ROM", "#WRITE"});
    QCOMPARE(send(d, record(0x00FC, {9, 9, 9, 9})), cMyEmuDevice::kErrorReply);
    enter(d, {"#READ"});
    QCOMPARE(dataOf(send(d, request(0x00FC, 4))), (QVector<quint8>{1, 2, 0, 0}));
}

void tst_Emulator::flashHonoursExtendedLinearAddresses()
{
    cMyEmuDevice d;
    enter(d, {"#ROOT", "#HEX", "#FLASH", "#WRITE"});
    QCOMPARE(send(d, ":020000040012E8"), QByteArray(":020000040012E8\r\n"));
    QCOMPARE(send(d, record(0x3456, {1, 2, 3})), record(0x3456, {1, 2, 3}) + "\r\n");
    QCOMPARE(d.memory(cMyEmuDevice::Flash).read(0x123456, 3), (QVector<quint8>{1, 2, 3}));
    // Beyond the 16 MiB of FLASH.
    QCOMPARE(send(d, ":020000040100F9"), QByteArray(":020000040100F9\r\n"));
    QCOMPARE(send(d, record(0, {1})), cMyEmuDevice::kErrorReply);

    // Every command line starts again from the lowest 64 KiB.
    enter(d, {"#READ"});
    QCOMPARE(d.upperAddress(), quint16(0));
    QCOMPARE(dataOf(send(d, request(0x3456, 3))), QVector<quint8>(3, 0xFF));
    send(d, ":020000040012E8");
    QCOMPARE(send(d, request(0x3456, 3)), record(0x3456, {1, 2, 3}) + "\r\n");

    // A 4 MiB sound library in about 87,000 records, the way the desktop program uploads one.
    cMyEmuDevice big;
    enter(big, {"#ROOT", "#HEX", "#FLASH", "#WRITE"});
    QElapsedTimer timer;
    timer.start();
    const int recordLength = 48;
    int records = 0;
    for (quint32 a = 0; a < 4u * 1024 * 1024; a += recordLength) {
        if ((a & 0xFFFF) < recordLength && a >= 0x10000)
            send(big, cMyHexRecord(quint16(a >> 16), nullptr).toString().toLatin1());
        const int n = int(qMin<quint32>(recordLength, 0x10000 - (a & 0xFFFF)));
        QVector<quint8> bytes(n);
        for (int i = 0; i < n; ++i)
            bytes[i] = quint8((a + quint32(i)) * 7 >> 3);
        const QByteArray line = record(quint16(a & 0xFFFF), bytes);
        if (send(big, line) != line + "\r\n")
            QFAIL(qPrintable(QStringLiteral("record at 0x%1 not echoed").arg(a, 0, 16)));
        ++records;
        a -= quint32(recordLength - n);
    }
    qInfo("4 MiB in %d records took %lld ms", records, timer.elapsed());
    QVERIFY(records > 87000);
    const cMyEmuMemory &flash = big.memory(cMyEmuDevice::Flash);
    for (quint32 a : {0u, 0xFFFFu, 0x10000u, 0x2ABCDEu, 0x3FFFFFu})
        QCOMPARE(flash.byteAt(a), quint8(a * 7 >> 3));
    QCOMPARE(flash.byteAt(0x400000), quint8(0xFF));
    QCOMPARE(flash.pageCount(), 1024);  // 4 MiB in 4 KiB pages, nothing more
}

void tst_Emulator::statusValuesComeFromTheSettings()
{
    cMyEmuDevice d;
    cMyEmuFaultPlan faults;
    cMyEmuIoConfig io;
    cMyEmuOptions options(d, faults, io);
    QString error;
    QVERIFY2(options.parseArguments({"--flags", "255", "--max-depth", "1234", "--dive-time=3725", "--serial",
                                     "0x1234", "--hardware", "1.2.3.4", "--memory", "8", "--firmware", "1.0.5.0",
                                     "--language", "English", "--library", "2.1.0.0"},
                                    &error),
             qPrintable(error));

    // The status read's blocks 4 to 10, as the desktop program asks for them.
    enter(d, {"#ROOT", "#HEX", "#FLASH", "#READ"});
    QVector<quint8> language = dataOf(send(d, request(0xFFE0, 16)));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(language.constData()), 8), QByteArray("English\0", 8));
    QCOMPARE(language.mid(8), QVector<quint8>(8, 0));
    QCOMPARE(dataOf(send(d, request(0xFFFC, 4))), (QVector<quint8>{2, 1, 0, 0}));
    enter(d, {"#ROOT", "#HEX", "#OTP", "#READ"});
    QCOMPARE(send(d, ":0700000000000000000000F9"), record(0, {0x34, 0x12, 1, 2, 3, 4, 8}) + "\r\n");
    enter(d, {"#ROOT", "#HEX", "#RAM", "#READ"});
    QCOMPARE(send(d, ":02014A000000B3"), record(0x014A, {0xD2, 0x04}) + "\r\n");
    QCOMPARE(dataOf(send(d, request(0x015E, 2))), (QVector<quint8>{0x8D, 0x0E}));
    QCOMPARE(dataOf(send(d, request(0x042C, 1))), QVector<quint8>{255});
    enter(d, {"#ROOT", "#HEX", "#ROM", "#READ"});
    QCOMPARE(dataOf(send(d, request(0x00FC, 4))), (QVector<quint8>{1, 0, 5, 0}));

    // A language of exactly 16 characters has no terminator; control commands change values live.
    QCOMPARE(options.control(QStringLiteral("language Sixteen-chars-ok")), QStringLiteral("ok"));
    QCOMPARE(d.memory(cMyEmuDevice::Flash).read(0xFFE0, 16).last(), quint8('k'));
    QCOMPARE(options.control(QStringLiteral("serial 7")), QStringLiteral("ok"));
    QCOMPARE(d.memory(cMyEmuDevice::Otp).word(0), quint16(7));
}

void tst_Emulator::serviceCommandsActOnTheDevice()
{
    cMyEmuDevice d;
    d.setMaxDepth(1234);
    d.setDiveTime(3725);
    enter(d, {"#HEX", "#RAM"});
    QCOMPARE(send(d, "#RESET"), QByteArray("#RESET\r\n"));
    QCOMPARE(d.level(), cMyEmuDevice::Level::Root);
    QCOMPARE(d.area(), cMyEmuDevice::NoArea);
    QCOMPARE(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamMaxDepth), quint16(1234));  // no loss of data

    QCOMPARE(send(d, "#CLEAR"), QByteArray("#CLEAR\r\n"));
    QCOMPARE(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamMaxDepth), quint16(0));
    QCOMPARE(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamDiveTime), quint16(0));

    QVERIFY(!d.powerOffRequested());
    QCOMPARE(send(d, "#OFF"), QByteArray("#OFF\r\n"));
    QVERIFY(d.powerOffRequested());

    const cMyEmuDevice::Reply boot = d.handleLine("#BOOT\r\n");
    QCOMPARE(boot.bytes, QByteArray("#BOOT\r\n"));
    QCOMPARE(boot.action, cMyEmuDevice::Action::HangUp);
    cMyEmuDevice staying;
    staying.setStayOnBoot(true);
    QCOMPARE(staying.handleLine("#BOOT\r\n").action, cMyEmuDevice::Action::None);
    QVERIFY(staying.bootRequested());
}

void tst_Emulator::simulationFollowsThePressure()
{
    cMyEmuDevice d;
    qint64 now = 0;
    d.setClock([&now] { return now; });
    auto pressure = [&d](int mbar) {
        const QByteArray rec = record(0x0100, {quint8(mbar & 0xFF), quint8(mbar >> 8)});
        QCOMPARE(send(d, rec), rec + "\r\n");
    };

    // The surface pressure the simulation worker reads first.
    enter(d, {"#SIMUL", "#RAM", "#READ"});
    QCOMPARE(send(d, ":020110000000ED"), record(0x0110, {0xF5, 0x03}) + "\r\n");

    enter(d, {":00000001FF", "#SIMUL", "#RAM", "#WRITE"});
    pressure(1013);
    QCOMPARE(simWord(d, 0x0140), qint16(0));
    for (int i = 1; i <= 20; ++i) {  // 1 m/s down for 20 s, a sample every 500 ms
        now += 500;
        pressure(1013 + 50 * i);
    }
    QCOMPARE(simWord(d, 0x0140), qint16(1000));
    QCOMPARE(simWord(d, 0x0160), qint16(100));
    QCOMPARE(simWord(d, 0x0150), qint16(9));  // diving since 1 m, reached after 1 s of the 10
    for (int i = 1; i <= 10; ++i) {  // 2 m/s up for 4 s
        now += 500;
        pressure(2013 - 100 * i);
    }
    QCOMPARE(simWord(d, 0x0140), qint16(0));
    QCOMPARE(simWord(d, 0x0160), qint16(-200));
    QCOMPARE(simWord(d, 0x0144), qint16(1000));  // the dive's maximum outlives the ascent
    QCOMPARE(simWord(d, 0x0162), qint16(-200));
    QCOMPARE(simWord(d, 0x0164), qint16(100));

    // The worker reads the block back as eight 16-byte records.
    enter(d, {":00000001FF", "#SIMUL", "#RAM", "#READ"});
    const QVector<quint8> block4 = dataOf(send(d, request(0x0140, 16)));
    QCOMPARE(block4.size(), 16);
    QCOMPARE(block4.at(4) + 256 * block4.at(5), 1000);
    // The statistics the status shows follow the simulation.
    QCOMPARE(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamMaxDepth), quint16(1000));
    QVERIFY(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamDiveTime) >= 12);

    // A writable surface pressure; pressure below it is no negative depth.
    enter(d, {"#SIMUL", "#RAM", "#WRITE"});
    send(d, record(0x0110, {0xE8, 0x03}));  // 1000 mbar
    now += 500;
    pressure(1500);
    QCOMPARE(simWord(d, 0x0140), qint16(500));
    now += 500;
    pressure(900);
    QCOMPARE(simWord(d, 0x0140), qint16(0));

    // "#CLEAR" forgets the statistics of both the status and the simulation.
    QCOMPARE(send(d, "#CLEAR"), QByteArray("#CLEAR\r\n"));
    QCOMPARE(d.memory(cMyEmuDevice::Ram).word(cMyEmuDevice::kRamMaxDepth), quint16(0));
    QCOMPARE(simWord(d, 0x0144), qint16(0));
    QCOMPARE(simWord(d, 0x0172), qint16(0));

    // The pressure word drives the model only in simulation mode.
    enter(d, {"#ROOT", "#HEX", "#RAM", "#WRITE"});
    now += 500;
    pressure(3013);
    QCOMPARE(simWord(d, 0x0140), qint16(0));
}

void tst_Emulator::diveThresholdsComeFromTheSettings_data()
{
    // Settings bytes 0x088 (dive start, cm), 0x08A (surfacing, cm), 0x090 and 0x092 (ascent and
    // bottom start, cm/s, signed), then the phase times of one dive, in seconds.
    QTest::addColumn<int>("diveStart");
    QTest::addColumn<int>("surfacing");
    QTest::addColumn<int>("ascentStart");
    QTest::addColumn<int>("bottomStart");
    QTest::addColumn<QVector<int>>("descentBottomAscentDive");
    // The dive: 1 m/s down for 10 s, 10 s still, -0.3 m/s for 10 s, -1 m/s to the surface.
    QTest::newRow("blank template") << 100 << 50 << -50 << -10 << QVector<int>{19, 10, 7, 36};
    QTest::newRow("holding is the bottom") << 100 << 50 << -50 << 10 << QVector<int>{9, 20, 7, 36};
    QTest::newRow("slow rise is the ascent") << 100 << 50 << -20 << -10 << QVector<int>{19, 0, 17, 36};
    QTest::newRow("deeper start and end") << 255 << 250 << -50 << -10 << QVector<int>{17, 10, 5, 32};
    QTest::newRow("surfacing below the start") << 150 << 250 << -50 << -10 << QVector<int>{18, 10, 6, 34};
}

void tst_Emulator::diveThresholdsComeFromTheSettings()
{
    QFETCH(int, diveStart);
    QFETCH(int, surfacing);
    QFETCH(int, ascentStart);
    QFETCH(int, bottomStart);
    QFETCH(QVector<int>, descentBottomAscentDive);

    cMyEmuDevice d;
    qint64 now = 0;
    d.setClock([&now] { return now; });
    // The settings arrive as a settings write would bring them.
    enter(d, {"#ROOT", "#HEX", "#EEPROM", "#WRITE"});
    send(d, record(0x0088, {quint8(diveStart)}));
    send(d, record(0x008A, {quint8(surfacing)}));
    send(d, record(0x0090, {quint8(ascentStart & 0xFF), quint8(ascentStart >> 8),
                            quint8(bottomStart & 0xFF), quint8(bottomStart >> 8)}));
    enter(d, {":00000001FF", "#ROOT", "#SIMUL", "#RAM", "#WRITE"});

    int depth = 0;
    auto step = [&](int cmPerSecond, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            depth += cmPerSecond;
            now += 1000;
            const int mbar = 1013 + depth;
            send(d, record(0x0100, {quint8(mbar & 0xFF), quint8(mbar >> 8)}));
        }
    };
    step(0, 1);
    step(100, 10);
    step(0, 10);
    step(-30, 10);
    step(-100, 7);
    QCOMPARE(depth, 0);
    const QVector<int> times{simWord(d, 0x0154), simWord(d, 0x0156), simWord(d, 0x0158), simWord(d, 0x0150)};
    QCOMPARE(times, descentBottomAscentDive);
    QCOMPARE(simWord(d, 0x0144), qint16(1000));
}

void tst_Emulator::faultPlanShapesReplies()
{
    cMyEmuFaultPlan plan;
    const QByteArray echo("#ROOT\r\n");
    const QByteArray rec = record(0x014A, {0xD2, 0x04}) + "\r\n";
    QCOMPARE(plan.apply(1, echo).writes.size(), 1);
    QCOMPARE(plan.apply(1, echo).writes.first().bytes, echo);

    plan.addSplit(2);
    plan.addSplit(3, 1);
    plan.addNul(4, 3);
    plan.addBang(5, 2);
    plan.addBadChecksum(6);
    plan.addBadChecksum(7);
    plan.addWrongEcho(8);
    plan.setGapMs(20);
    plan.setHangUpAfter(9);
    plan.setSilentAfter(10);

    const auto split = plan.apply(2, echo).writes;
    QCOMPARE(split.size(), 2);
    QCOMPARE(split[0].bytes + split[1].bytes, echo);
    QCOMPARE(split[1].gapBeforeMs, 20);
    QCOMPARE(plan.apply(3, echo).writes.first().bytes, QByteArray("#"));
    QCOMPARE(plan.apply(4, echo).writes.first().bytes, QByteArray("#RO\0OT\r\n", 8));
    const auto bang = plan.apply(5, echo).writes;
    QCOMPARE(bang.size(), 3);
    QCOMPARE(bang[0].bytes, cMyEmuFaultPlan::kBangLine);
    QVERIFY(bang[1].bytes.startsWith('!'));
    QCOMPARE(bang[2].bytes, echo);
    QCOMPARE(bang[2].gapBeforeMs, 20);

    cMyHexRecord parsed;
    const QByteArray corrupt = plan.apply(6, rec).writes.first().bytes;
    QCOMPARE(corrupt.size(), rec.size());
    QVERIFY(!parsed.fromString(QString::fromLatin1(corrupt)));
    QVERIFY(corrupt.endsWith("\r\n"));
    const auto skipped = plan.apply(7, echo);
    QCOMPARE(skipped.writes.first().bytes, echo);
    QVERIFY(skipped.applied.join(' ').contains(QLatin1String("skipped")));

    const QByteArray wrong = plan.apply(8, echo).writes.first().bytes;
    QVERIFY(wrong != echo);
    QCOMPARE(wrong.size(), echo.size());
    QVERIFY(wrong.startsWith('#') && wrong.endsWith("\r\n"));

    QVERIFY(plan.apply(9, echo).hangUp);
    QVERIFY(plan.apply(10, echo).process);
    QVERIFY(!plan.isSilent(10));
    const auto silent = plan.apply(11, echo);
    QVERIFY(!silent.process);
    QVERIFY(silent.writes.isEmpty());
    plan.clear();
    QVERIFY(!plan.isSilent(11));
    QCOMPARE(plan.apply(2, echo).writes.size(), 1);
}

void tst_Emulator::linesAreAssembledAndBounded()
{
    cMyEmuLineAssembler a(16);
    QVERIFY(a.feed("#RO", 5).isEmpty());
    QVERIFY(a.hasPartialLine());
    const auto two = a.feed("OT\r\n#HEX\r\n:0", 9);
    QCOMPARE(two.size(), 2);
    QCOMPARE(two[0].bytes, QByteArray("#ROOT\r\n"));
    QCOMPARE(two[0].firstByteNs, qint64(5));  // the line began in the earlier read
    QCOMPARE(two[1].bytes, QByteArray("#HEX\r\n"));
    QCOMPARE(two[1].firstByteNs, qint64(9));
    QVERIFY(!two[1].overlong);

    // Garbage without a line end is kept only up to the bound, and still makes one line.
    for (int i = 0; i < 1000; ++i)
        QVERIFY(a.feed(QByteArray(1000, 'x'), 10).isEmpty());
    const auto longLine = a.feed(QByteArray("yy\n#ROOT\r\n"), 11);
    QCOMPARE(longLine.size(), 2);
    QVERIFY(longLine[0].overlong);
    QCOMPARE(longLine[0].bytes.size(), 16);
    QCOMPARE(longLine[1].bytes, QByteArray("#ROOT\r\n"));
    QVERIFY(!a.hasPartialLine());
}

void tst_Emulator::serialPortReopenedPerTransaction()
{
    QTemporaryDir dir;
    const QString eepromFile = dir.filePath(QStringLiteral("custom.tmo"));
    QFile f(eepromFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(record(0x0010, {'N', 'e', 'm', 'o'}) + "\r\n:00000001FF\r\n");
    f.close();

    cMyEmulatorProcess emu({"--eeprom", eepromFile, "--serial", "4660"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QVERIFY(QFile::exists(emu.portPath()));

    QSerialPort port;
    configureSerial(port, emu.portPath());
    const QList<QByteArray> first = {"#ROOT\r\n", "#HEX\r\n", "#EEPROM\r\n", "#READ\r\n", request(0x0010, 4) + "\r\n"};
    QList<QByteArray> got;
    for (int round = 0; round < 3; ++round) {
        // Like the desktop program: open, a few lines each after the previous reply, close.
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
        for (const QByteArray &line : first)
            got << exchange(port, line);
        port.close();
    }
    const QByteArray nemo = record(0x0010, {'N', 'e', 'm', 'o'}) + "\r\n";
    for (int round = 0; round < 3; ++round) {
        QCOMPARE(got.mid(round * 5, 4), first.mid(0, 4));
        QCOMPARE(got.at(round * 5 + 4), nemo);
    }

    // A control command changes the device between transactions.
    QCOMPARE(emu.control(QStringLiteral("serial 42")), QStringLiteral("ok"));
    QVERIFY(emu.control(QStringLiteral("no-such-thing")).startsWith(QLatin1String("error:")));
    QVERIFY(port.open(QIODevice::ReadWrite));
    for (const QByteArray line : {"#ROOT\r\n", "#HEX\r\n", "#OTP\r\n", "#READ\r\n"})
        QCOMPARE(exchange(port, line), line);
    QCOMPARE(exchange(port, request(0, 2) + "\r\n"), record(0, {42, 0}) + "\r\n");
    QCOMPARE(exchange(port, "#OFF\r\n"), QByteArray("#OFF\r\n"));
    port.close();
    const QString state = emu.control(QStringLiteral("state"));
    QVERIFY2(state.contains(QLatin1String("lines=21")) && state.contains(QLatin1String("off=1")), qPrintable(state));

    // The wire log holds exactly what went each way.
    const QList<QByteArray> lines = emu.receivedLines();
    const QList<QByteArray> replies = emu.replies();
    QCOMPARE(lines.size(), 21);
    QCOMPARE(lines.mid(0, 5), first);
    QCOMPARE(replies.mid(0, 15), got);
    QCOMPARE(replies.at(19), record(0, {42, 0}) + "\r\n");
}

void tst_Emulator::staleRepliesDoNotReachTheNextTransaction()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));

    // A host that sends a line and closes without reading the reply (as a cancelled transfer
    // does); closing restores the port settings, as QSerialPort does.
    const int fd = ::open(QFile::encodeName(emu.portPath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios saved{};
    QVERIFY(::tcgetattr(fd, &saved) == 0);
    QCOMPARE(::write(fd, "#ROOT\r\n", 7), ssize_t(7));
    // Each look at the log is a round trip through the emulator, so this waits without sleeping.
    QDeadlineTimer deadline(5000);
    while (emu.log().replyTo(1).isEmpty() && !deadline.hasExpired()) {
    }
    QCOMPARE(emu.log().replyTo(1), QByteArray("#ROOT\r\n"));
    QVERIFY(::tcsetattr(fd, TCSANOW, &saved) == 0);
    ::close(fd);

    QSerialPort port;
    configureSerial(port, emu.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(exchange(port, "#HEX\r\n"), QByteArray("#HEX\r\n"));
    port.close();
    QVERIFY(emu.log().events().join(QLatin1Char('\n')).contains(QLatin1String("port settings changed")));
}

void tst_Emulator::hangUpAndBootTakeThePortAway()
{
    {
        cMyEmulatorProcess emu({"--hang-up-after", "1"});
        QVERIFY2(emu.start(), qPrintable(emu.errorString()));
        QSerialPort port;
        configureSerial(port, emu.portPath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        QSignalSpy errors(&port, &QSerialPort::errorOccurred);
        // The reply to the last line still arrives before the port goes.
        QCOMPARE(exchange(port, "#ROOT\r\n"), QByteArray("#ROOT\r\n"));
        QVERIFY(errors.wait(5000));
        // Which one depends on how the read fails once the other side is gone.
        const auto error = errors.first().first().value<QSerialPort::SerialPortError>();
        QVERIFY2(error == QSerialPort::ResourceError || error == QSerialPort::ReadError, qPrintable(port.errorString()));
        QVERIFY(emu.waitForExit());
        QCOMPARE(emu.exitCode(), 0);
        QVERIFY(!QFile::exists(emu.portPath()) || !port.open(QIODevice::ReadWrite));
    }
    {
        cMyEmulatorProcess emu;
        QVERIFY2(emu.start(), qPrintable(emu.errorString()));
        QSerialPort port;
        configureSerial(port, emu.portPath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        QSignalSpy errors(&port, &QSerialPort::errorOccurred);
        QCOMPARE(exchange(port, "#BOOT\r\n"), QByteArray("#BOOT\r\n"));
        QVERIFY(errors.wait(5000));
        QVERIFY(emu.waitForExit());
    }
    {
        cMyEmulatorProcess emu({"--stay-on-boot"});
        QVERIFY2(emu.start(), qPrintable(emu.errorString()));
        QSerialPort port;
        configureSerial(port, emu.portPath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        QCOMPARE(exchange(port, "#BOOT\r\n"), QByteArray("#BOOT\r\n"));
        QCOMPARE(exchange(port, "#ROOT\r\n"), QByteArray("#ROOT\r\n"));
        QVERIFY(emu.isRunning());
    }
}

void tst_Emulator::silenceAfterNLines()
{
    cMyEmulatorProcess emu({"--silent-after", "1"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QSerialPort port;
    configureSerial(port, emu.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(exchange(port, "#HEX\r\n"), QByteArray("#HEX\r\n"));
    // Nothing comes back however long the host waits (a second stands for "long").
    QVERIFY(exchange(port, "#RAM\r\n", 1000).isEmpty());
    // A silent device does not act on what it hears either.
    QVERIFY(emu.control(QStringLiteral("state")).contains(QLatin1String("level=hex area=none")));
    QCOMPARE(emu.control(QStringLiteral("silent-after off")), QStringLiteral("ok"));
    QCOMPARE(exchange(port, "#RAM\r\n"), QByteArray("#RAM\r\n"));
    QCOMPARE(emu.receivedLines().size(), 3);
    QCOMPARE(emu.replies(), (QList<QByteArray>{"#HEX\r\n", QByteArray(), "#RAM\r\n"}));
}

void tst_Emulator::baudRateDelayMatchesTheWireTime()
{
    cMyEmulatorProcess emu({"--baud", "9600"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QSerialPort port;
    configureSerial(port, emu.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    QVERIFY(!exchange(port, "#ROOT\r\n").isEmpty());
    QVERIFY(!exchange(port, "#HEX\r\n").isEmpty());
    QVERIFY(!exchange(port, "#EEPROM\r\n").isEmpty());
    QVERIFY(!exchange(port, "#READ\r\n").isEmpty());

    // 20 exchanges of a 45-byte request and a 45-byte reply: 90 bytes of 10 bits each at 9600.
    const QByteArray line = request(0x0200, 16) + "\r\n";
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i)
        QCOMPARE(exchange(port, line).size(), line.size());
    const double elapsedMs = timer.nsecsElapsed() / 1e6;
    const double wireMs = 20 * (2 * line.size()) * 10.0 / 9600 * 1000;
    qInfo("20 exchanges: %.1f ms, wire time %.1f ms", elapsedMs, wireMs);
    QVERIFY2(elapsedMs >= wireMs * 0.99, qPrintable(QString::number(elapsedMs)));
    QVERIFY2(elapsedMs <= wireMs * 1.10, qPrintable(QString::number(elapsedMs)));

    // Each reply leaves the emulator one wire time after its line began to arrive.
    const cMyEmuLog log = emu.log();
    QCOMPARE(log.writes().size(), 24);
}

void tst_Emulator::commandLineErrorsAndHelp()
{
    QProcess help;
    help.start(cMyEmulatorProcess::defaultProgram(), {"--help"});
    QVERIFY(help.waitForFinished(5000));
    QCOMPARE(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    for (const char *option : {"--baud", "--split", "--hang-up-after", "--language", "--sample-step", "--log"})
        QVERIFY2(text.contains(option), option);

    cMyEmulatorProcess bad({"--flags", "nine"});
    QVERIFY(!bad.start(5000));
    QVERIFY(bad.waitForExit());
    QCOMPARE(bad.exitCode(), 2);
    QVERIFY(bad.errorString().contains(QLatin1String("--flags")));
}

QTEST_GUILESS_MAIN(tst_Emulator)
#include "tst_emulator.moc"
