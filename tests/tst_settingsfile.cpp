// The settings image and its files: growth on write, bounded reads, the modified flag, record
// lines of any range; the exact text of a settings file (the blank template's) and what the
// reader takes. (Paths that cannot be read and saves that fail: tst_filecommands.)

#include "base/cmyhexrecord.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "resources/tamiraresources.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using Bytes = QVector<quint8>;
using Changes = QVector<QPair<int, Bytes>>; // address, bytes from there on
Q_DECLARE_METATYPE(Changes)

namespace {

QByteArray line(quint16 address, const Bytes &bytes)
{
    return cMyHexRecord(address, bytes).toString().toLatin1();
}

Bytes image1k(const cMyMemoryArea &image)
{
    return image.readBytes(0, 1024);
}

void fill(cMyMemoryArea &image, quint8 value)
{
    image.setData(0, Bytes(1024, value));
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTamiraResources(); }
    void image_data();
    void image();
    void modifiedFlag();
    void hexLinesOfOtherRanges();
    void templateRoundTrip();
    void reading_data();
    void reading();
};

void tst_SettingsFile::image_data()
{
    QTest::addColumn<Changes>("writes");
    QTest::addColumn<QVector<int>>("pages"); // their sizes afterwards
    QTest::addColumn<int>("readAt");
    QTest::addColumn<int>("length");
    QTest::addColumn<Bytes>("read");
    Bytes counting(1024);
    for (int i = 0; i < 1024; ++i)
        counting[i] = quint8(i);
    QTest::newRow("the settings block") << Changes{{1023, {0}}} << QVector<int>{1024} << 0 << 1024 << Bytes(1024, 0);
    QTest::newRow("a page of its own") << Changes{{1023, {0}}, {0x10005, {0x5A}}} << QVector<int>{1024, 6} << 0x10000
                                       << 100 << Bytes{0, 0, 0, 0, 0, 0x5A};
    QTest::newRow("a run lengthens the page")
        << Changes{{1023, {0}}, {0x3FE, {1, 2, 3}}} << QVector<int>{1025} << 0x3FE << 3 << Bytes{1, 2, 3};
    QTest::newRow("a run across pages") << Changes{{0x1FFFF, {7, 8}}} << QVector<int>{0, 0x10000, 1} << 0x1FFFF << 2
                                        << Bytes{7, 8};
    QTest::newRow("far away stays small")
        << Changes{{0x5FFFF, {1}}} << QVector<int>{0, 0, 0, 0, 0, 0x10000} << 0x5FFFF << 1 << Bytes{1};
    QTest::newRow("nothing written") << Changes{} << QVector<int>{} << 0 << 16 << Bytes{};
    QTest::newRow("an empty write") << Changes{{5, {}}} << QVector<int>{} << 0 << 16 << Bytes{};
    QTest::newRow("a read stops at the end")
        << Changes{{0, counting}} << QVector<int>{1024} << 0x3F0 << 32 << counting.mid(0x3F0);
    QTest::newRow("a read past the end") << Changes{{0, counting}} << QVector<int>{1024} << 0x400 << 1 << Bytes{};
    QTest::newRow("a read of nothing") << Changes{{0, counting}} << QVector<int>{1024} << 0 << 0 << Bytes{};
}

void tst_SettingsFile::image()
{
    QFETCH(Changes, writes);
    QFETCH(QVector<int>, pages);
    QFETCH(int, readAt);
    QFETCH(int, length);
    QFETCH(Bytes, read);
    cMyMemoryArea image;
    bool written = false;
    for (const auto &w : writes) {
        image.setData(quint32(w.first), w.second);
        written |= !w.second.isEmpty();
    }
    QVector<int> sizes;
    for (int p = 0; p < image.pageCount(); ++p)
        sizes << image.pageSize(p);
    QCOMPARE(sizes, pages);
    QCOMPARE(image.readBytes(quint32(readAt), quint16(length)), read);
    // A short read stopped at the first byte that is not there, which leaves what it is read into.
    quint8 b = 0x77;
    QVERIFY(read.size() == length || (!image.getByte(quint32(readAt + read.size()), b) && b == 0x77));
    QCOMPARE(image.isModified(), written);
}

void tst_SettingsFile::modifiedFlag()
{
    cMyMemoryArea image;
    QVERIFY(!image.isModified());
    image.setData(5, quint8(0));
    QVERIFY(image.isModified());
    image.setModified(false);
    image.setData(5, quint8(0)); // storing what is there is no change
    QVERIFY(!image.isModified());
    image.setData(6, quint8(0)); // a new byte is
    QVERIFY(image.isModified());
    image.setModified(false);
    image.setData(5, QVector<quint8>());
    QVERIFY(!image.isModified());
    image.toHexLines(0, 6, 16);
    QVERIFY(!image.isModified());
}

void tst_SettingsFile::hexLinesOfOtherRanges()
{
    cMyMemoryArea image;
    for (int i = 0; i < 40; ++i)
        image.setData(quint32(i), quint8(i + 1));

    // A length that is not a multiple of the record length ends with a shorter record.
    QStringList lines = image.toHexLines(0, 20, 16);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(1).startsWith(":04001000"));

    // Bytes the image does not hold are sent as zeros.
    lines = image.toHexLines(36, 8, 8);
    QCOMPARE(lines.size(), 2);
    cMyHexRecord r;
    QVERIFY(r.fromString(lines.first()));
    QCOMPARE(r.data(), (QVector<quint8>{37, 38, 39, 40, 0, 0, 0, 0}));

    // A range in or across a higher page starts with its extended linear address line.
    lines = image.toHexLines(0xFFF8, 16, 16);
    QCOMPARE(lines, (QStringList{":08FFF800000000000000000001", ":020000040001F9", ":080000000000000000000000F8",
                                 ":00000001FF"}));
    QCOMPARE(image.toHexLines(0, 0, 16), QStringList{":00000001FF"});
}

void tst_SettingsFile::templateRoundTrip()
{
    cMyMemoryArea image;
    fill(image, 0xAA);
    QVERIFY(cMySettingsFile::read(":/pliki/clear.tmo", image));
    const Bytes blank = image1k(image);
    QCOMPARE(blank.mid(0, 4), (Bytes{1, 0, 1, 0}));
    QCOMPARE(blank.mid(0x80, 5), (Bytes{0x96, 0xFB, 0x10, 0x0E, 0x06}));
    QCOMPARE(blank.mid(0x9E, 2), (Bytes{0x84, 0x7D}));
    QCOMPARE(blank.mid(0x1F8, 8), (Bytes{0xFE, 0xFF, 0, 0, 0, 0x7F, 0, 0}));
    QCOMPARE(blank.at(0x3FF), quint8(0));

    // Saved again, it is the same text byte for byte: 64 records of 16 bytes, the end record,
    // the system's line ends (CR LF on Windows, where files are written in text mode). (A bad
    // checksum and an address record in the middle of a file are read through the window by
    // tst_filecommands.)
    QTemporaryDir dir;
    const QString path = dir.filePath("blank.tmo");
    QVERIFY(cMySettingsFile::write(path, image));
    QFile original(":/pliki/clear.tmo"), saved(path);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    const QByteArray lineEnd = QSysInfo::productType() == "windows" ? "\r\n" : "\n";
    QCOMPARE(saved.readAll(), original.readAll().replace("\n", lineEnd));
}

void tst_SettingsFile::reading_data()
{
    using R = cMySettingsFile::ReadResult;
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("stop");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("bytes");       // of the settings block
    QTest::addColumn<Changes>("changes"); // to an image of 0xEE

    Bytes counting;
    for (int i = 1; i <= 16; ++i)
        counting.append(quint8(i));
    const QByteArray record80 = line(0x80, counting), zeros10 = line(0x10, Bytes(16, 0));
    QTest::newRow("lower case, blank lines, two on a line, up to the end record")
        << "\r\n\n" + record80.toLower() + "\r\n\r\n" + zeros10 + "  \t:00000001FF\r\n" + line(0, Bytes(16, 0x11))
        << int(R::Complete) << 2 << 32 << Changes{{0x80, counting}, {0x10, Bytes(16, 0)}};
    QTest::newRow("only the record for 0x0080") << record80 << int(R::Complete) << 1 << 16 << Changes{{0x80, counting}};
    QTest::newRow("other lengths, out of order, a lower-case end record read past")
        << line(0x3FE, {0xAA, 0xBB}) + "\n:00000001ff\n" + line(0, {7}) + "\n"
        << int(R::Complete) << 2 << 3 << Changes{{0x3FE, {0xAA, 0xBB}}, {0, {7}}};
    QTest::newRow("empty") << QByteArray() << int(R::Complete) << 0 << 0 << Changes{};
    QTest::newRow("no end record") << zeros10 << int(R::Complete) << 1 << 16 << Changes{{0x10, Bytes(16, 0)}};
    // A record at 0xFFF0 and a 255-byte one at 0x0390 that runs past the end of the block.
    QTest::newRow("nothing beyond the block") << line(0xFFF0, Bytes(16, 0x11)) + "\n" + line(0x0390, Bytes(255, 0x22))
                                              << int(R::Complete) << 2 << 112 << Changes{{0x390, Bytes(112, 0x22)}};
    QTest::newRow("records past the block, zero-length records") << line(0x400, Bytes(16, 0x11)) + "\n:00001000F0\n"
                                                                 << int(R::Complete) << 2 << 0 << Changes{};

    // Address records for 0 and start addresses are read past; the bad line is the fourth, and
    // only the first line's 16 bytes are stored.
    const QByteArray before =
        ":020000040000FA\n:020000020000FC :10000000" + QByteArray(32, '0') + "F0\n:04000005000000F007\n";
    const QByteArray after = "\n:10002000" + QByteArray(32, '0') + "D0\n";
    const QList<QPair<QByteArray, R::Stop>> bad = {
        {":10001000" + QByteArray(31, '0') + "G0E0", R::NotARecord}, // a bad digit
        {":1000100000", R::NotARecord},                              // cut short
        {"#EEPROM", R::NotARecord},
        {QByteArray(5000, 'x'), R::NotARecord}, // one huge word
        {":020000021000EC", R::AddressOutside}, // segment 0x1000
        {":00000006FA", R::UnsupportedType},
    };
    for (const auto &b : bad)
        QTest::addRow("stops at %s", b.first.left(20).constData())
            << before + b.first + after << int(b.second) << 1 << 16 << Changes{{0, Bytes(16, 0)}};
}

void tst_SettingsFile::reading()
{
    QFETCH(QByteArray, text);
    QFETCH(int, stop);
    QFETCH(int, records);
    QFETCH(int, bytes);
    QFETCH(Changes, changes);
    QBuffer file(&text);
    QVERIFY(file.open(QIODevice::ReadOnly));
    cMyMemoryArea image;
    fill(image, 0xEE);
    image.setModified(false);
    const cMySettingsFile::ReadResult result = cMySettingsFile::read(file, image);
    QCOMPARE(int(result.stop), stop);
    QCOMPARE(result.records, records);
    QCOMPARE(result.bytes, bytes);
    QCOMPARE(result.line, stop == cMySettingsFile::ReadResult::Complete ? 0 : 4);
    Bytes expected(1024, 0xEE);
    for (const auto &change : changes)
        std::copy(change.second.begin(), change.second.end(), expected.begin() + change.first);
    QCOMPARE(image1k(image), expected);
    QCOMPARE(image.isModified(), bytes > 0);
    QCOMPARE(image.pageCount(), 1);
    QCOMPARE(image.pageSize(0), 1024);
}

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
