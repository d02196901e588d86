// The service console's files: the hex file model behind its menu, saving through QSaveFile,
// and its command-line mode run as a process against the emulator, with the files it writes
// checked by another Intel HEX reader (srec_cat).

#include "cmyemulatorprocess.h"
#include "cmyhexfile.h"
#include "cmytextfile.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace servicetool;

namespace {

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

class tst_ServiceToolFiles : public QObject
{
    Q_OBJECT

private slots:
    void hexFile_data();
    void hexFile();
    void failedSaveKeepsTheOldFile();
    void commandLine_data();
    void commandLine();
};

void tst_ServiceToolFiles::hexFile_data()
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

void tst_ServiceToolFiles::hexFile()
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

void tst_ServiceToolFiles::failedSaveKeepsTheOldFile()
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

void tst_ServiceToolFiles::commandLine_data()
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
    QTest::newRow("read across 64 KiB") << QStringList() << QStringList{"--read", "flash", "0xFFF8", "16", "-o", "%out"} << 0
                                        << QByteArrayList{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#READ\r\n",
                                                          ":08FFF800000000000000000001\r\n", ":020000040001F9\r\n",
                                                          ":080000000000000000000000F8\r\n"}
                                        << QByteArray();
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

void tst_ServiceToolFiles::commandLine()
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

QTEST_GUILESS_MAIN(tst_ServiceToolFiles)
#include "tst_servicetoolfiles.moc"
