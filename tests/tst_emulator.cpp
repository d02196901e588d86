// The device emulator as the rest of the suite relies on it: the reply to each line (its device
// model with the dive model behind the simulation page, no pseudo-terminal), and the program on a
// pseudo-terminal that the host opens and closes per transaction, with its wire log. Its faults
// are driven end to end by tst_faultmatrix.

#include "base/cmyhexrecord.h"
#include "device/serialsettings.h"
#include "emulator/cmyemudevice.h"
#include "emulator/cmyemufaultplan.h"
#include "emulator/cmyemuoptions.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A read request as the desktop program sends it: a data record of `count` zero bytes.
QByteArray request(quint16 address, int count)
{
    return cMyHexRecord(address, QVector<quint8>(count, 0)).toString().toLatin1();
}

QByteArray record(quint16 address, const QVector<quint8> &bytes)
{
    return cMyHexRecord(address, bytes).toString().toLatin1();
}

QByteArray pressure(int mbar)
{
    return record(0x0100, {quint8(mbar & 0xFF), quint8(mbar >> 8)});
}

// Lines go out with "\r\n" unless they bring their own line end.
QByteArray send(cMyEmuDevice &device, const QByteArray &line)
{
    return device.handleLine(line.endsWith('\n') ? line : line + "\r\n").bytes;
}

// The samples of one dive, a second apart: 1 m/s down for 10 s, 10 s still, -0.3 m/s for 10 s,
// -1 m/s to the surface.
QByteArrayList dive()
{
    QByteArrayList lines;
    int depth = 0;
    for (const auto &leg : QVector<QPair<int, int>>{{0, 1}, {100, 10}, {0, 10}, {-30, 10}, {-100, 7}})
        for (int i = 0; i < leg.second; ++i)
            lines << pressure(1013 + (depth += leg.first));
    return lines;
}

// One line out, one arrival of bytes back (or nothing after the deadline).
QByteArray exchange(QSerialPort &port, const QByteArray &line)
{
    QSignalSpy ready(&port, &QSerialPort::readyRead);
    port.write(line);
    return ready.wait(5000) ? port.readAll() : QByteArray();
}

const QByteArray kError("#ERR\r\n");

} // namespace

class tst_Emulator : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void bootTakesThePortAway();
    void portReopenedPerTransaction();
    void killedHostLeavesThePortFree();
};

void tst_Emulator::replies_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArray>("reply"); // to the last line, "\r\n" added where it has no line end

    const QByteArrayList eepromWrite{"#ROOT", "#HEX", "#EEPROM", "#WRITE"};
    const QByteArrayList flashWrite{"#ROOT", "#HEX", "#FLASH", "#WRITE", ":020000040012E8", record(0x3456, {1, 2, 3})};
    const QByteArrayList ramRead{"#HEX", "#RAM", "#READ"};
    const QByteArrayList simWrite{"#SIMUL", "#RAM", "#WRITE"};
    const QStringList maxDepth{"--max-depth", "1234"};

    // The echoes of what the desktop programs send, and the reads and writes of their transfers,
    // are checked by every test of the link; these rows are the rest that the suite relies on.
    QTest::newRow("line end echoed as it came") << QStringList() << QByteArrayList{"#HEX\n"} << QByteArray("#HEX\n");
    QTest::newRow("end record in any state")
        << QStringList() << QByteArrayList{":00000001FF"} << QByteArray(":00000001FF");
    QTest::newRow("every area in simulation mode")
        << QStringList() << QByteArrayList{"#SIMUL", "#MDID", "#WRITE"} << QByteArray("#WRITE");
    QTest::newRow("area at root level") << QStringList() << QByteArrayList{"#EEPROM"} << kError;
    QTest::newRow("words are case-sensitive") << QStringList() << QByteArrayList{"#HEX", "#eeprom"} << kError;
    QTest::newRow("binary") << QStringList() << QByteArrayList{QByteArray("\x00\xff\x80:#", 5)} << kError;
    QTest::newRow("longer than a line can be") << QStringList() << QByteArrayList{QByteArray(5000, '#')} << kError;
    QTest::newRow("#RESET goes back to root") << QStringList() << QByteArrayList{"#HEX", "#RESET", "#EEPROM"} << kError;

    // The status values the options set are read back through the link by tst_link.
    QTest::newRow("#RESET keeps the statistics")
        << maxDepth << QByteArrayList{"#RESET"} + ramRead + QByteArrayList{request(0x014A, 2)}
        << record(0x014A, {0xD2, 0x04});

    QTest::newRow("read past the end: the length asked")
        << QStringList() << QByteArrayList{"#HEX", "#EEPROM", "#READ", request(0x03F8, 16)}
        << record(0x03F8, {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    QTest::newRow("write past the end") << QStringList()
                                        << eepromWrite + QByteArrayList{record(0x03F8, QVector<quint8>(16, 0x11))}
                                        << kError;
    QTest::newRow("write past the end stores nothing")
        << QStringList()
        << eepromWrite + QByteArrayList{record(0x03F8, QVector<quint8>(16, 0x11)), "#READ", request(0x03F8, 8)}
        << record(0x03F8, QVector<quint8>(8, 0));
    QTest::newRow("bad checksum") << QStringList()
                                  << eepromWrite + QByteArrayList{":10000000" + QByteArray(32, '0') + "F1"} << kError;
    QTest::newRow("FLASH above 64 KiB") << QStringList()
                                        << flashWrite + QByteArrayList{"#READ", ":020000040012E8", request(0x3456, 3)}
                                        << record(0x3456, {1, 2, 3});
    QTest::newRow("each command line starts at 0")
        << QStringList() << flashWrite + QByteArrayList{"#READ", request(0x3456, 3)}
        << record(0x3456, {0xFF, 0xFF, 0xFF});
    QTest::newRow("beyond 16 MiB of FLASH")
        << QStringList() << flashWrite + QByteArrayList{":020000040100F9", record(0, {1})} << kError;

    QTest::newRow("surface pressure") << QStringList() << QByteArrayList{"#SIMUL", "#RAM", "#READ", ":020110000000ED"}
                                      << record(0x0110, {0xF5, 0x03});
    QTest::newRow("depth from the pressure")
        << QStringList() << simWrite + QByteArrayList{pressure(1513), "#READ", request(0x0140, 2)}
        << record(0x0140, {0xF4, 0x01});
    QTest::newRow("depth from a surface pressure written")
        << QStringList()
        << simWrite + QByteArrayList{record(0x0110, {0xE8, 0x03}), pressure(1500), "#READ", request(0x0140, 2)}
        << record(0x0140, {0xF4, 0x01});
    QTest::newRow("no depth above the surface")
        << QStringList() << simWrite + QByteArrayList{pressure(900), "#READ", request(0x0140, 2)}
        << record(0x0140, {0, 0});
    QTest::newRow("the dive's deepest as max depth")
        << QStringList()
        << simWrite + QByteArrayList{pressure(1513), pressure(1013), "#HEX", "#RAM", "#READ", request(0x014A, 2)}
        << record(0x014A, {0xF4, 0x01});
    // The dive's phases follow the thresholds of the settings (0x088 dive start, 0x08A surfacing,
    // 0x090 ascent and 0x092 bottom start): descent, bottom and ascent times, in seconds.
    const QStringList second{"--sample-step", "1000"};
    const QByteArrayList phases = QByteArrayList{"#READ", request(0x0154, 6)};
    QTest::newRow("phases, blank template")
        << second << simWrite + dive() + phases << record(0x0154, {19, 0, 10, 0, 7, 0});
    QTest::newRow("dive time") << second << simWrite + dive() + QByteArrayList{"#READ", request(0x0150, 2)}
                               << record(0x0150, {36, 0});
    QTest::newRow("last speed") << second << simWrite + dive() + QByteArrayList{"#READ", request(0x0160, 2)}
                                << record(0x0160, {0x9C, 0xFF});
    QTest::newRow("phases, holding is the bottom")
        << second << eepromWrite + QByteArrayList{record(0x0092, {10, 0})} + simWrite + dive() + phases
        << record(0x0154, {9, 0, 20, 0, 7, 0});
    QTest::newRow("phases, slow rise is the ascent")
        << second << eepromWrite + QByteArrayList{record(0x0090, {0xEC, 0xFF})} + simWrite + dive() + phases
        << record(0x0154, {19, 0, 0, 0, 17, 0});
    QTest::newRow("phases, surfacing below the start")
        << second
        << eepromWrite + QByteArrayList{record(0x0088, {150}), record(0x008A, {250})} + simWrite + dive() + phases
        << record(0x0154, {18, 0, 10, 0, 6, 0});
    // Every simulation starts at the surface; the statistics stay until "#CLEAR".
    QTest::newRow("#ROOT: the next run's dive starts afresh")
        << QStringList()
        << simWrite + QByteArrayList{pressure(1513), "#ROOT"} + simWrite
               + QByteArrayList{pressure(1013), "#READ", request(0x0140, 6)}
        << record(0x0140, {0, 0, 0, 0, 0, 0});
    QTest::newRow("#ROOT: the pressure read is the surface")
        << QStringList()
        << simWrite + QByteArrayList{pressure(1513), "#ROOT", "#SIMUL", "#RAM", "#READ", request(0x0100, 2)}
        << record(0x0100, {0xF5, 0x03});
    QTest::newRow("#ROOT keeps the statistics")
        << QStringList()
        << simWrite + QByteArrayList{pressure(1513), "#ROOT"} + ramRead + QByteArrayList{request(0x014A, 2)}
        << record(0x014A, {0xF4, 0x01});
    QTest::newRow("pressure only stored outside simulation")
        << QStringList() << QByteArrayList{"#HEX", "#RAM", "#WRITE", pressure(1513), "#READ", request(0x0140, 2)}
        << record(0x0140, {0, 0});
}

void tst_Emulator::replies()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, reply);
    cMyEmuDevice device;
    cMyEmuFaultPlan faults;
    cMyEmuIoConfig io;
    QString error;
    QVERIFY2(cMyEmuOptions(device, faults, io).parseArguments(options, &error), qPrintable(error));
    QByteArray last;
    for (const QByteArray &line : lines)
        last = send(device, line);
    QCOMPARE(last, reply.endsWith('\n') ? reply : reply + "\r\n");
}

void tst_Emulator::bootTakesThePortAway()
{
    cMyEmuDevice d;
    const cMyEmuDevice::Reply boot = d.handleLine("#BOOT\r\n");
    QCOMPARE(boot.bytes, QByteArray("#BOOT\r\n"));
    QCOMPARE(boot.action, cMyEmuDevice::Action::HangUp);
    d.setStayOnBoot(true);
    QCOMPARE(d.handleLine("#BOOT\r\n").action, cMyEmuDevice::Action::None);
}

void tst_Emulator::portReopenedPerTransaction()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    // A host that sends a line and goes without reading the reply, as a cancelled transfer does;
    // its close restores the port settings, as QSerialPort's does.
    const int fd = ::open(QFile::encodeName(emu.portPath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios saved{};
    QVERIFY(::tcgetattr(fd, &saved) == 0);
    QCOMPARE(::write(fd, "#HEX\r\n", 6), ssize_t(6));
    // Each look at the log is a round trip through the emulator, so this waits without sleeping.
    QTRY_COMPARE_WITH_TIMEOUT(emu.log().replyTo(1), QByteArray("#HEX\r\n"), 5000);
    QVERIFY(::tcsetattr(fd, TCSANOW, &saved) == 0);
    ::close(fd);

    // The next host, opening the port as the desktop programs do for each transaction, gets the
    // replies to its own lines only (not the stale one), and the log holds exactly what went
    // each way.
    QSerialPort port;
    applyTamiraSerialSettings(port, emu.portPath());
    const QByteArrayList lines{"#ROOT\r\n", "#HEX\r\n", "#OTP\r\n", "#READ\r\n", request(0, 2) + "\r\n"};
    const QByteArrayList replies = lines.mid(0, 4) + QByteArrayList{record(0, {0xE9, 0x03}) + "\r\n"}; // serial 1001
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(exchange(port, lines.at(i)), replies.at(i));
    port.close();
    QCOMPARE(emu.receivedLines(), QByteArrayList{"#HEX\r\n"} + lines);
    QCOMPARE(emu.replies(), QByteArrayList{"#HEX\r\n"} + replies);
}

QTEST_GUILESS_MAIN(tst_Emulator)
#include "tst_emulator.moc"

void tst_Emulator::killedHostLeavesThePortFree()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    const QByteArray path = QFile::encodeName(emu.portPath());
    // Set by whoever holds the port alone; an opener that cannot get in sees it set too.
    const auto exclusive = [&path] {
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        int on = 1;
        if (fd >= 0 && ::ioctl(fd, TIOCGEXCL, &on) != 0)
            on = 1;
        if (fd >= 0)
            ::close(fd);
        return on != 0;
    };
    QVERIFY(!exclusive());
    // A host that takes the port for itself, as QSerialPort does, and is killed before it can
    // give it back.
    const pid_t host = ::fork();
    if (host == 0) {
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
        ::ioctl(fd, TIOCEXCL);
        for (;;)
            ::pause();
    }
    const auto guard = qScopeGuard([host] {
        ::kill(host, SIGKILL);
        ::waitpid(host, nullptr, 0);
    });
    QVERIFY(QTest::qWaitFor(exclusive, 10000));
    ::kill(host, SIGKILL);
    ::waitpid(host, nullptr, 0);
    QVERIFY(QTest::qWaitFor([&] { return !exclusive(); }, 10000));
}
