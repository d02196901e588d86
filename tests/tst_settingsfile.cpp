// Settings files: the exact text written, what the reader takes, and that a failed save
// leaves the old file alone.

#include "cmyhexrecord.h"
#include "cmymemoryarea.h"
#include "cmysettingsfile.h"
#include "tamiraresources.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <QtTest>

using Bytes = QVector<quint8>;

namespace {

QByteArray line(quint16 address, const Bytes &bytes)
{
    return cMyHexRecord(address, bytes).toString().toLatin1();
}

QString writeText(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
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
    void writesTheExactText();
    void templateRoundTrip();
    void readerRules();
    void readerStopsAtBadLines();
    void farAddressesStaySmall();
    void failedSaveKeepsTheOldFile();
};

void tst_SettingsFile::writesTheExactText()
{
    cMyMemoryArea image;
    fill(image, 0);
    const QString text = cMySettingsFile::text(image);
    const QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 65);
    QVERIFY(!text.endsWith('\n'));
    QCOMPARE(lines.last(), QString(":00000001FF"));
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(lines.at(i).size(), 43);
        QVERIFY(lines.at(i).startsWith(QString(":10%1").arg(16 * i, 4, 16, QLatin1Char('0')).toUpper() + "00" + QString(32, '0')));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("zeros.tmo");
    QVERIFY(cMySettingsFile::write(path, image));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), text.toLatin1());
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

    QTemporaryDir dir;
    const QString path = dir.filePath("blank.tmo");
    QVERIFY(cMySettingsFile::write(path, image));
    cMyMemoryArea again;
    fill(again, 0x55);
    QVERIFY(cMySettingsFile::read(path, again));
    QCOMPARE(image1k(again), blank);
    QCOMPARE(again.pageSize(0), 1024);

    QFile original(":/pliki/clear.tmo"), saved(path);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original.readAll());
}

void tst_SettingsFile::readerRules()
{
    QTemporaryDir dir;
    Bytes counting;
    for (int i = 1; i <= 16; ++i)
        counting.append(quint8(i));
    const QByteArray record80 = line(0x80, counting);
    const QByteArray zeros10 = line(0x10, Bytes(16, 0));

    // Lower case, mixed line ends, blank lines, several records on one line.
    cMyMemoryArea image;
    fill(image, 0xEE);
    image.setModified(false);
    QVERIFY(cMySettingsFile::read(writeText(dir, "a.tmo", "\r\n\n" + record80.toLower() + "\r\n\r\n" + zeros10 + "  \t:00000001FF\r\n" + line(0, Bytes(16, 0x11))), image));
    QVERIFY(image.isModified());
    Bytes expected(1024, 0xEE);
    for (int i = 0; i < 16; ++i) {
        expected[0x80 + i] = quint8(i + 1);
        expected[0x10 + i] = 0;
    }
    QCOMPARE(image1k(image), expected);

    // Only the record for 0x0080: bytes 0x80 to 0x8F change, nothing else.
    fill(image, 0xEE);
    QVERIFY(cMySettingsFile::read(writeText(dir, "b.tmo", record80), image));
    expected = Bytes(1024, 0xEE);
    for (int i = 0; i < 16; ++i)
        expected[0x80 + i] = quint8(i + 1);
    QCOMPARE(image1k(image), expected);

    // Records of other lengths, out of order, and a lower-case end record read past.
    fill(image, 0);
    QVERIFY(cMySettingsFile::read(writeText(dir, "c.tmo", line(0x3FE, {0xAA, 0xBB}) + "\n:00000001ff\n" + line(0, {7}) + "\n"), image));
    QCOMPARE(image.readBytes(0x3FE, 2), (Bytes{0xAA, 0xBB}));
    QCOMPARE(image.readBytes(0, 2), (Bytes{7, 0}));

    // An unreadable file changes nothing.
    fill(image, 3);
    image.setModified(false);
    QVERIFY(!cMySettingsFile::read(dir.filePath("missing.tmo"), image));
    QVERIFY(!cMySettingsFile::read(dir.path(), image)); // a folder
    QCOMPARE(image1k(image), Bytes(1024, 3));
    QVERIFY(!image.isModified());

    // An empty file and one with no end record.
    QVERIFY(cMySettingsFile::read(writeText(dir, "d.tmo", ""), image));
    QVERIFY(cMySettingsFile::read(writeText(dir, "e.tmo", zeros10), image));
    QCOMPARE(image.readBytes(0x10, 16), Bytes(16, 0));
    QCOMPARE(image.readBytes(0x20, 1), Bytes{3});
}

void tst_SettingsFile::readerStopsAtBadLines()
{
    QTemporaryDir dir;
    const QByteArray good0 = ":10000000" + QByteArray(32, '0') + "F0";
    const QByteArray good20 = ":10002000" + QByteArray(32, '0') + "D0";
    using R = cMySettingsFile::ReadResult;
    const QList<QPair<QByteArray, R::Stop>> bad = {
        {":10001000" + QByteArray(32, '0') + "E1", R::BadChecksum},  // checksum off by one
        {":10001000" + QByteArray(31, '0') + "G0E0", R::NotARecord}, // a bad digit
        {":1000100000", R::NotARecord},                              // cut short
        {"#EEPROM", R::NotARecord},                                  // not a record
        {QByteArray(5000, 'x'), R::NotARecord},                      // one huge word
        {":020000040001F9", R::AddressOutside},                      // moves on to another 64 KiB page
        {":020000021000EC", R::AddressOutside},                      // segment 0x1000
        {":00000006FA", R::UnsupportedType},
    };
    for (const auto &line : bad) {
        cMyMemoryArea image;
        fill(image, 0x77);
        // Address records for 0 and start addresses are read past; the bad line is the fourth.
        const R result = cMySettingsFile::read(writeText(dir, "bad.tmo", ":020000040000FA\n:020000020000FC " + good0
                                                             + "\n:04000005000000F007\n" + line.first + "\n" + good20 + "\n"), image);
        QCOMPARE(result.stop, line.second);
        QCOMPARE(result.line, 4);
        QCOMPARE(result.records, 1);
        Bytes expected(1024, 0x77);
        for (int i = 0; i < 16; ++i)
            expected[i] = 0;
        QCOMPARE(image1k(image), expected);
    }
}

void tst_SettingsFile::farAddressesStaySmall()
{
    QTemporaryDir dir;
    // A record at 0xFFF0 and a 255-byte one at 0x0390 that runs past the end of the block.
    const QByteArray text = line(0xFFF0, Bytes(16, 0x11)) + "\n" + line(0x0390, Bytes(255, 0x22)) + "\n";
    cMyMemoryArea image;
    fill(image, 0);
    QVERIFY(cMySettingsFile::read(writeText(dir, "far.tmo", text), image));
    QCOMPARE(image.pageSize(0), 1024);
    QCOMPARE(image.pageCount(), 1);
    QCOMPARE(image.readBytes(0x390, 112), Bytes(112, 0x22));
    QCOMPARE(image.readBytes(0x38F, 1), Bytes{0});
}

void tst_SettingsFile::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    cMyMemoryArea image;
    fill(image, 0x11);
    const QString path = dir.filePath("keep.tmo");
    QVERIFY(cMySettingsFile::write(path, image));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    // The disk fills up halfway through the new file (a file size limit stands in for it, and
    // holds for root too): the save fails and the old file is as it was.
    fill(image, 0x22);
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = cMySettingsFile::write(path, image);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!saved);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.tmo"});

    QVERIFY(!cMySettingsFile::write(dir.filePath("no/such/folder/x.tmo"), image));
}

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
