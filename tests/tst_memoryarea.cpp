// The settings image: growth on write, bounded reads, the modified flag and the record lines of
// ranges other than the settings block (whose text tst_settingsfile checks).

#include "cmyhexrecord.h"
#include "cmymemoryarea.h"

#include <QtTest>

class tst_MemoryArea : public QObject
{
    Q_OBJECT

private slots:
    void growsOnWrite();
    void readsStopAtTheEnd();
    void modifiedFlag();
    void hexLinesOfOtherRanges();
};

void tst_MemoryArea::growsOnWrite()
{
    cMyMemoryArea image;
    QCOMPARE(image.pageCount(), 0);
    image.setData(1023, quint8(0));
    QCOMPARE(image.pageCount(), 1);
    QCOMPARE(image.pageSize(0), 1024);
    QCOMPARE(image.readBytes(0, 1024), QVector<quint8>(1024, 0));

    image.setData(0x00010005, quint8(0x5A));
    QCOMPARE(image.pageCount(), 2);
    QCOMPARE(image.pageSize(1), 6);
    QCOMPARE(image.readBytes(0x00010000, 100), (QVector<quint8>{0, 0, 0, 0, 0, 0x5A}));

    image.setData(0x3FE, QVector<quint8>{1, 2, 3});
    QCOMPARE(image.pageSize(0), 1025);
    QCOMPARE(image.readBytes(0x3FE, 3), (QVector<quint8>{1, 2, 3}));

    // A run crosses from one page into the next.
    image.setData(0x0001FFFF, QVector<quint8>{7, 8});
    quint8 b = 0;
    QVERIFY(image.getByte(0x0001FFFF, b) && b == 7);
    QVERIFY(image.getByte(0x00020000, b) && b == 8);

    // A write far away stays small: only the pages up to it, and one byte more than the offset.
    image.setData(0x0005FFFF, quint8(1));
    QCOMPARE(image.pageCount(), 6);
    QCOMPARE(image.pageSize(4), 0);
    QCOMPARE(image.pageSize(5), 0x10000);
}

void tst_MemoryArea::readsStopAtTheEnd()
{
    cMyMemoryArea image;
    quint8 b = 0x77;
    QVERIFY(!image.getByte(0, b));
    QCOMPARE(b, quint8(0x77));
    QVERIFY(image.readBytes(0, 16).isEmpty());

    for (int i = 0; i < 1024; ++i)
        image.setData(quint32(i), quint8(i));
    QCOMPARE(image.readBytes(0x3F0, 32).size(), 16);
    QCOMPARE(image.readBytes(0x3F0, 32).first(), quint8(0xF0));
    QVERIFY(image.readBytes(0x400, 1).isEmpty());
    QVERIFY(image.readBytes(0, 0).isEmpty());
    QVERIFY(!image.getByte(1024, b));
    QVERIFY(!image.getByte(0x00010000, b));
    QVERIFY(image.getByte(1023, b));
    QCOMPARE(b, quint8(0xFF));
}

void tst_MemoryArea::modifiedFlag()
{
    cMyMemoryArea image;
    QVERIFY(!image.isModified());
    image.setData(5, quint8(0));
    QVERIFY(image.isModified());
    image.setModified(false);
    image.setData(5, quint8(0)); // the same value still counts as a change
    QVERIFY(image.isModified());
    image.setModified(false);
    image.setData(5, QVector<quint8>());
    QVERIFY(!image.isModified());
    image.toHexLines(0, 6, 16);
    QVERIFY(!image.isModified());
}

void tst_MemoryArea::hexLinesOfOtherRanges()
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
    QCOMPARE(lines, (QStringList{":08FFF800000000000000000001", ":020000040001F9",
                                 ":080000000000000000000000F8", ":00000001FF"}));
    QCOMPARE(image.toHexLines(0, 0, 16), QStringList{":00000001FF"});
}

QTEST_APPLESS_MAIN(tst_MemoryArea)
#include "tst_memoryarea.moc"
