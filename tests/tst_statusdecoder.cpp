// The status read without a port: how replies become records, and the thirteen-entry list with
// its depth, time, dotted and text forms. Its request lines are checked on the wire by tst_link.

#include "base/cmyhexrecord.h"
#include "device/cmyreplywalker.h"
#include "device/cmystatusdecoder.h"
#include "device/memorytype.h"

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
    QVector<quint8> description = latin1("Tauchgang \xFC"
                                         "ber 20 m",
                                         512);
    QStringList descriptionRecords;
    for (int i = 0; i < 32; ++i)
        descriptionRecords << reply(quint16(0x200 + 16 * i), description.mid(16 * i, 16));
    return block(EEPROM, {reply(0, {1, 0, 5, 0})})
           + block(EEPROM, {reply(0x10, latin1("Nemo", 16)), reply(0x20, latin1("ABCDEFGHIJKLMNOP", 16)),
                            reply(0x30, latin1("QRSTUVWXYZ012345", 16))})
           + block(EEPROM, descriptionRecords) + block(FLASH, {reply(0xFFE0, latin1("English", 16))})
           + block(FLASH, {reply(0xFFFC, {2, 1, 0, 7})}) + block(OTP, {reply(0, {0x34, 0x12, 1, 2, 3, 4, 4})})
           + block(RAM, {reply(0x014A, {quint8(depth), quint8(depth >> 8)})})
           + block(RAM, {reply(0x015E, {quint8(time), quint8(time >> 8)})}) + block(RAM, {reply(0x042C, ram042c)})
           + block(ROM, {reply(0x00FC, {1, 0, 5, 0})});
}

} // namespace

using Bytes = QVector<quint8>;

class tst_StatusDecoder : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void aStatusRead();
    void repliesThatAreNoData();
};

void tst_StatusDecoder::entries_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("address");
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    using D = cMyStatusDecoder;
    QTest::newRow("flags") << int(RAM) << 0x042C << Bytes{255} << int(D::StatusBits) << "255";
    QTest::newRow("depth 0") << int(RAM) << 0x014A << Bytes{0, 0} << int(D::MaxDepth) << "0.0 m";
    QTest::newRow("depth 5 cm") << int(RAM) << 0x014A << Bytes{5, 0} << int(D::MaxDepth) << "0.1 m";
    QTest::newRow("depth 12.99 m") << int(RAM) << 0x014A << Bytes{0x13, 0x05} << int(D::MaxDepth) << "13.0 m";
    QTest::newRow("depth 655.35 m") << int(RAM) << 0x014A << Bytes{0xFF, 0xFF} << int(D::MaxDepth) << "655.4 m";
    QTest::newRow("half a depth") << int(RAM) << 0x014A << Bytes{0xD2} << int(D::MaxDepth) << "";
    QTest::newRow("time 0") << int(RAM) << 0x015E << Bytes{0, 0} << int(D::DiveTime) << "0:00";
    QTest::newRow("time 5 s") << int(RAM) << 0x015E << Bytes{5, 0} << int(D::DiveTime) << "0:05";
    QTest::newRow("time 59 s") << int(RAM) << 0x015E << Bytes{59, 0} << int(D::DiveTime) << "0:59";
    QTest::newRow("time 65 s") << int(RAM) << 0x015E << Bytes{65, 0} << int(D::DiveTime) << "1:05";
    QTest::newRow("time 3599 s") << int(RAM) << 0x015E << Bytes{0x0F, 0x0E} << int(D::DiveTime) << "59:59";
    QTest::newRow("time 3600 s") << int(RAM) << 0x015E << Bytes{0x10, 0x0E} << int(D::DiveTime) << "1:00:00";
    QTest::newRow("time 65535 s") << int(RAM) << 0x015E << Bytes{0xFF, 0xFF} << int(D::DiveTime) << "18:12:15";
    QTest::newRow("serial, top bit set") << int(OTP) << 0 << Bytes{0x00, 0x80} << int(D::SerialNumber) << "32768";
    QTest::newRow("half a serial") << int(OTP) << 0 << Bytes{0x34} << int(D::SerialNumber) << "";
    QTest::newRow("hardware") << int(OTP) << 0 << Bytes{0x34, 0x12, 255, 10, 3, 4, 8} << int(D::HardwareVersion)
                              << "255.10.3.4";
    QTest::newRow("hardware cut short") << int(OTP) << 0 << Bytes{0x34, 0x12, 1, 2} << int(D::HardwareVersion) << "1.2";
    QTest::newRow("memory") << int(OTP) << 0 << Bytes{0x34, 0x12, 1, 2, 3, 4, 8} << int(D::MemorySize) << "8";
    QTest::newRow("language") << int(FLASH) << 0xFFE0 << Bytes{'E', 'n', 'g', 0, 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}
                              << int(D::LibraryLanguage) << "Eng";
    QTest::newRow("language of 16") << int(FLASH) << 0xFFE0 << Bytes(16, 'L') << int(D::LibraryLanguage)
                                    << QString(16, 'L');
    QTest::newRow("settings version") << int(EEPROM) << 0 << Bytes{1, 0, 1, 0} << int(D::SettingsVersion) << "1.0.1.0";
    QTest::newRow("author, Latin-1") << int(EEPROM) << 0x10 << Bytes{0xFC, 0xDF, 0xB0, 0} << int(D::SettingsAuthor)
                                     << QString::fromUtf8("üß°");
    QTest::newRow("author empty, stale bytes behind")
        << int(EEPROM) << 0x10 << Bytes{0, 'A', 'B', 0} << int(D::SettingsAuthor) << "";
    QTest::newRow("description") << int(EEPROM) << 0x200 << Bytes{'a', '\n', 'b', 0} << int(D::SettingsDescription)
                                 << "a\nb";
}

void tst_StatusDecoder::entries()
{
    QFETCH(int, area);
    QFETCH(int, address);
    QFETCH(Bytes, bytes);
    QFETCH(int, entry);
    QFETCH(QString, text);
    cMyStatusDecoder decoder;
    decoder.addRecord(area, quint16(address), bytes);
    const QStringList list = decoder.statusList();
    QCOMPARE(list.size(), 13);
    QCOMPARE(list.at(entry), text);
}

void tst_StatusDecoder::aStatusRead()
{
    cMyStatusDecoder empty;
    QCOMPARE(empty.statusList().join('|'), QString(12, '|'));

    // The replies of a whole read in which two records failed their check: those leave only
    // their own fields empty, and the fields after them keep their bytes. A title of 32 bytes
    // without a zero is all of them.
    QStringList replies = deviceReplies({7}, 1234, 3725);
    const int language = replies.indexOf(reply(0xFFE0, latin1("English", 16)));
    const int author = replies.indexOf(reply(0x10, latin1("Nemo", 16)));
    QVERIFY(language > 0 && author > 0);
    replies[language].replace(40, 1, 'X');
    replies[author].replace(40, 1, 'X');
    cMyStatusDecoder decoder;
    decoder.addReplies(replies);
    QCOMPARE(decoder.statusList(),
             (QStringList{"7", "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.0.5.0", "", "2.1.0.7", "1.0.5.0", "",
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", QString::fromUtf8("Tauchgang über 20 m")}));
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
