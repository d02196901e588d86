// servicetool's hex file model: the records of the files opened merged into one store, and saved
// as the bytes opened, gaps kept, in records another reader takes the same way.

#include "servicetool/cmyhexfile.h"
#include "tests/support/hexfiletext.h"

#include <QtTest>

using namespace servicetool;

namespace {
const QString k16x11 = rec(":10000000", "11", 16, "E0");
}

class tst_HexFile : public QObject
{
    Q_OBJECT

private slots:
    void hexFile_data();
    void hexFile();
};

void tst_HexFile::hexFile_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("saved");

    QTest::newRow("nothing opened") << QStringList() << ":00000001FF\n";
    // Only the bytes opened are saved: a gap stays a gap.
    QTest::newRow("gap kept") << QStringList{k16x11 + "\n" + rec(":10002000", "22", 16, "B0") + "\n:00000001FF\n"}
                              << k16x11 + "\n" + rec(":10002000", "22", 16, "B0") + "\n:00000001FF\n";
    QTest::newRow("two files merged") << QStringList{k16x11 + "\n", ":040008003333333328\n"}
                                      << rec(":10000000", "11", 8, "") + rec("", "33", 4, "") + rec("", "11", 4, "58")
                                             + "\n:00000001FF\n";
    QTest::newRow("20 bytes") << QStringList{rec(":14000000", "01", 20, "D8\n")}
                              << rec(":10000000", "01", 16, "E0\n") + rec(":04001000", "01", 4, "E8\n")
                                     + ":00000001FF\n";
    QTest::newRow("rejected line skipped") << QStringList{":0400000001020304F3\n:04000000010203\n"} << ":00000001FF\n";
    QTest::newRow("address record not stored") << QStringList{":020000040001F9\n"} << ":00000001FF\n";
    QTest::newRow("across 64 KiB")
        << QStringList{":08FFF8000102030405060708DD\n:020000040001F9\n:040000001122334452\n"}
        << ":08FFF8000102030405060708DD\n:020000040001F9\n:040000001122334452\n:00000001FF\n";
    QTest::newRow("blocks 0 and 2") << QStringList{":0100000011EE\n:020000040002F8\n:0100100022CD\n"}
                                    << ":0100000011EE\n:020000040002F8\n:0100100022CD\n:00000001FF\n";
}

void tst_HexFile::hexFile()
{
    QFETCH(QStringList, files);
    QFETCH(QString, saved);

    QTemporaryDir dir;
    cMyHexFile store;
    for (int i = 0; i < files.size(); ++i)
        QVERIFY(store.merge(writeFile(dir, QString("in%1.tmo").arg(i), files.at(i).toLatin1())));
    QVERIFY(store.save(dir.filePath("out.tmo")));
    // Saved in text mode: the system's line ends (CR LF on Windows).
    QFile out(dir.filePath("out.tmo"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray lineEnd = QSysInfo::productType() == "windows" ? "\r\n" : "\n";
    QCOMPARE(out.readAll(), saved.toLatin1().replace("\n", lineEnd));
    // Another reader finds the same bytes at the same addresses in the file opened and the one saved.
    if (files.size() == 1 && !srecDump(dir.filePath("in0.tmo")).startsWith("(refused)"))
        QCOMPARE(srecDump(dir.filePath("out.tmo")), srecDump(dir.filePath("in0.tmo")));
}

QTEST_GUILESS_MAIN(tst_HexFile)
#include "tst_hexfile.moc"
