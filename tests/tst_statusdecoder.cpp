// The status read without a port: its request lines, how replies become records, and the
// thirteen-entry list with its depth, time, dotted and text forms.

#include "cmyhexrecord.h"
#include "cmyreplywalker.h"
#include "cmystatusdecoder.h"
#include "memorytype.h"

#include <QtTest>

namespace {

QString reply(quint16 address, const QVector<quint8> &bytes)
{
    return cMyHexRecord(address, bytes).toString() + QStringLiteral("\r\n");
}

QVector<quint8> latin1(const char *text, int size)
{
    QVector<quint8> out(size, 0);
    for (int i = 0; i < size && text[i]; ++i)
        out[i] = quint8(text[i]);
    return out;
}

// The replies of a complete status read from a device with the given values, in the order the
// device sends them.
QStringList deviceReplies(const QVector<quint8> &ram042c, quint16 depth, quint16 time)
{
    auto block = [](MemoryType area, const QStringList &records) {
        QStringList out{"#ROOT\r\n", "#HEX\r\n", areaLine(area) + "\r\n", "#READ\r\n"};
        return out + records + QStringList{":00000001FF\r\n"};
    };
    QVector<quint8> description = latin1("Tauchgang \xFC" "ber 20 m", 512);
    QStringList descriptionRecords;
    for (int i = 0; i < 32; ++i)
        descriptionRecords << reply(quint16(0x200 + 16 * i), description.mid(16 * i, 16));
    return block(EEPROM, {reply(0, {1, 0, 5, 0})})
        + block(EEPROM, {reply(0x10, latin1("Nemo", 16)), reply(0x20, latin1("ABCDEFGHIJKLMNOP", 16)),
                         reply(0x30, latin1("QRSTUVWXYZ012345", 16))})
        + block(EEPROM, descriptionRecords)
        + block(FLASH, {reply(0xFFE0, latin1("English", 16))})
        + block(FLASH, {reply(0xFFFC, {2, 1, 0, 7})})
        + block(OTP, {reply(0, {0x34, 0x12, 1, 2, 3, 4, 4})})
        + block(RAM, {reply(0x014A, {quint8(depth), quint8(depth >> 8)})})
        + block(RAM, {reply(0x015E, {quint8(time), quint8(time >> 8)})})
        + block(RAM, {reply(0x042C, ram042c)})
        + block(ROM, {reply(0x00FC, {1, 0, 5, 0})});
}

} // namespace

class tst_StatusDecoder : public QObject
{
    Q_OBJECT

private slots:
    void requestLinesOfTheTenBlocks();
    void depthAndTimeForms();
    void dottedAndTextForms();
    void completeStatus();
    void missingBytesStillGiveThirteenEntries();
    void serialNumber_data();
    void serialNumber();
    void repliesThatAreNoData();
};

void tst_StatusDecoder::requestLinesOfTheTenBlocks()
{
    const QStringList lines = cMyStatusDecoder::requestLines();
    QCOMPARE(lines.size(), 93);
    QCOMPARE(lines.mid(0, 6), (QStringList{"#ROOT", "#HEX", "#EEPROM", "#READ", ":0400000000000000FC", ":00000001FF"}));
    QCOMPARE(lines.at(6 + 4), QString(":1000100000000000000000000000000000000000E0"));
    QCOMPARE(lines.at(6 + 4 + 2), QString(":1000300000000000000000000000000000000000C0"));
    QCOMPARE(lines.at(14 + 4 + 31), QString(":1003F00000000000000000000000000000000000FD"));
    QCOMPARE(lines.mid(51, 6), (QStringList{"#ROOT", "#HEX", "#FLASH", "#READ", ":10FFE0000000000000000000000000000000000011", ":00000001FF"}));
    QCOMPARE(lines.at(61), QString(":04FFFC000000000001"));
    QCOMPARE(lines.mid(63, 6), (QStringList{"#ROOT", "#HEX", "#OTP", "#READ", ":0700000000000000000000F9", ":00000001FF"}));
    QCOMPARE(lines.mid(69, 6), (QStringList{"#ROOT", "#HEX", "#RAM", "#READ", ":02014A000000B3", ":00000001FF"}));
    QCOMPARE(lines.at(79), QString(":02015E0000009F"));
    QCOMPARE(lines.at(85), QString(":01042C0000CF"));
    QCOMPARE(lines.mid(87, 6), (QStringList{"#ROOT", "#HEX", "#ROM", "#READ", ":0400FC000000000000", ":00000001FF"}));
    // Every block asks with zero-filled records and closes with the end record.
    int records = 0;
    for (const QString &line : lines) {
        cMyHexRecord r;
        if (line.startsWith(':') && r.fromString(line) && r.type() == cMyHexRecord::Data) {
            ++records;
            QCOMPARE(r.data(), QVector<quint8>(r.data().size(), 0));
        }
    }
    QCOMPARE(records, 1 + 3 + 32 + 1 + 1 + 1 + 1 + 1 + 1 + 1);
    QCOMPARE(lines.count(":00000001FF"), 10);
}

void tst_StatusDecoder::depthAndTimeForms()
{
    QCOMPARE(cMyStatusDecoder::depthText(1234), QString("12.3 m"));
    QCOMPARE(cMyStatusDecoder::depthText(0), QString("0.0 m"));
    QCOMPARE(cMyStatusDecoder::depthText(5), QString("0.1 m"));
    QCOMPARE(cMyStatusDecoder::depthText(1299), QString("13.0 m"));
    QCOMPARE(cMyStatusDecoder::depthText(65535), QString("655.4 m"));

    QCOMPARE(cMyStatusDecoder::timeText(0), QString("0:00"));
    QCOMPARE(cMyStatusDecoder::timeText(5), QString("0:05"));
    QCOMPARE(cMyStatusDecoder::timeText(59), QString("0:59"));
    QCOMPARE(cMyStatusDecoder::timeText(65), QString("1:05"));
    QCOMPARE(cMyStatusDecoder::timeText(3599), QString("59:59"));
    QCOMPARE(cMyStatusDecoder::timeText(3600), QString("1:00:00"));
    QCOMPARE(cMyStatusDecoder::timeText(3725), QString("1:02:05"));
    QCOMPARE(cMyStatusDecoder::timeText(65535), QString("18:12:15"));
}

void tst_StatusDecoder::dottedAndTextForms()
{
    QCOMPARE(cMyStatusDecoder::dottedText({1, 0, 5, 0}), QString("1.0.5.0"));
    QCOMPARE(cMyStatusDecoder::dottedText({255, 10}), QString("255.10"));
    QCOMPARE(cMyStatusDecoder::dottedText({}), QString());

    QCOMPARE(cMyStatusDecoder::latin1Text(latin1("ABCDEFGHIJKLMNOP", 16)), QString("ABCDEFGHIJKLMNOP"));
    QCOMPARE(cMyStatusDecoder::latin1Text(QVector<quint8>(16, 0)), QString());
    QCOMPARE(cMyStatusDecoder::latin1Text({'A', 0, 'B'}), QString("A"));
    QCOMPARE(cMyStatusDecoder::latin1Text({0xFC, 0xDF, 0xB0}), QString::fromUtf8("üß°"));
}

void tst_StatusDecoder::completeStatus()
{
    cMyStatusDecoder decoder;
    decoder.addReplies(deviceReplies({255}, 1234, 3725));
    const QStringList expected{
        "255", "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.0.5.0", "English", "2.1.0.7",
        "1.0.5.0", "Nemo",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345",     // 32 bytes without a zero: all of them
        QString::fromUtf8("Tauchgang über 20 m")};
    QCOMPARE(decoder.statusList(), expected);

    decoder.clear();
    decoder.addReplies(deviceReplies({0}, 0, 5));
    const QStringList list = decoder.statusList();
    QCOMPARE(list.at(cMyStatusDecoder::StatusBits), QString("0"));
    QCOMPARE(list.at(cMyStatusDecoder::MaxDepth), QString("0.0 m"));
    QCOMPARE(list.at(cMyStatusDecoder::DiveTime), QString("0:05"));
}

void tst_StatusDecoder::missingBytesStillGiveThirteenEntries()
{
    cMyStatusDecoder empty;
    QCOMPARE(empty.statusList(), QStringList() << QString() << QString() << QString() << QString()
                                               << QString() << QString() << QString() << QString()
                                               << QString() << QString() << QString() << QString()
                                               << QString());

    // A record that failed its check (here: dropped) leaves only its own fields empty; the
    // fields after it keep their bytes.
    QStringList replies = deviceReplies({7}, 1234, 3725);
    const int language = replies.indexOf(reply(0xFFE0, latin1("English", 16)));
    const int author = replies.indexOf(reply(0x10, latin1("Nemo", 16)));
    QVERIFY(language > 0 && author > 0);
    replies[language].replace(40, 1, 'X');
    replies[author].replace(40, 1, 'X');
    // Half a word, and a short OTP record: the numbers they feed cannot be formed.
    replies[replies.indexOf(reply(0x014A, {0xD2, 0x04}))] = reply(0x014A, {0xD2});
    replies[replies.indexOf(reply(0, {0x34, 0x12, 1, 2, 3, 4, 4}))] = reply(0, {0x34, 0x12, 1, 2});
    cMyStatusDecoder decoder;
    decoder.addReplies(replies);
    QCOMPARE(decoder.statusList(), (QStringList{"7", "", "1:02:05", "4660", "1.2", "", "1.0.5.0", "", "2.1.0.7",
                                                "1.0.5.0", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345",
                                                QString::fromUtf8("Tauchgang über 20 m")}));

    // Only the RAM blocks came back.
    replies = deviceReplies({1}, 100, 60).mid(69, 18);
    QCOMPARE(replies.first(), QString("#ROOT\r\n"));
    decoder.clear();
    decoder.addReplies(replies);
    const QStringList list = decoder.statusList();
    QCOMPARE(list.size(), 13);
    QCOMPARE(list.mid(0, 4), (QStringList{"1", "1.0 m", "1:00", ""}));
    QCOMPARE(list.mid(4).join('|'), QString("||||||||"));
}

void tst_StatusDecoder::serialNumber_data()
{
    QTest::addColumn<QVector<quint8>>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two bytes") << QVector<quint8>{0x34, 0x12} << "4660";
    QTest::newRow("top bit set") << QVector<quint8>{0x00, 0x80} << "32768";
    QTest::newRow("one byte only") << QVector<quint8>{0x34} << ""; // half a number is none
}

void tst_StatusDecoder::serialNumber()
{
    QFETCH(QVector<quint8>, bytes);
    QFETCH(QString, expected);
    cMyStatusDecoder decoder;
    decoder.addRecord(OTP, 0x0000, bytes);
    QCOMPARE(decoder.statusList().at(cMyStatusDecoder::SerialNumber), expected);
}

void tst_StatusDecoder::repliesThatAreNoData()
{
    QList<QPair<int, quint16>> seen;
    auto collect = [&](const QStringList &replies) {
        seen.clear();
        cMyReplyWalker::walk(replies, [&](int area, const cMyHexRecord &r) { seen.append({area, r.address()}); });
        return seen;
    };
    const QString rec = reply(0x0010, {1, 2});
    // Before the first area echo nothing counts; an area echo must match exactly.
    QCOMPARE(collect({rec, "#eeprom\r\n", rec, "#EEPROM\n", rec, "#EEPROM\r\n ", rec}).size(), 0);
    QCOMPARE(collect({"#ROOT\r\n", "#RAM\r\n", rec, "#READ\r\n", "#ROM\r\n", rec}),
             (QList<QPair<int, quint16>>{{RAM, 0x10}, {ROM, 0x10}}));
    // The end record in any spelling, an address record, a bad checksum and anything after the
    // checksum: only the valid data records count.
    QCOMPARE(collect({"#FLASH\r\n", ":00000001FF\r\n", ":00000001FF", ":00000001ff\n", ":020000040001F9\r\n",
                      ":020010000102EC\r\n", rec.toLower(), ":020010000102EB garbage", "!BUSY\r\n"}),
             (QList<QPair<int, quint16>>{{FLASH, 0x10}, {FLASH, 0x10}}));
}

QTEST_GUILESS_MAIN(tst_StatusDecoder)
#include "tst_statusdecoder.moc"
