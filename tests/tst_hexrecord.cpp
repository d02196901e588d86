// The Intel HEX record codec: printing, parsing and every way a line can be bad.

#include "base/cmyhexrecord.h"

#include <QtTest>

class tst_HexRecord : public QObject
{
    Q_OBJECT

private slots:
    void validLines_data();
    void validLines();
    void rejectsBadLines_data();
    void rejectsBadLines();
    void roundTripsEveryLength();
    void wordAtBounds();
};

void tst_HexRecord::validLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("dataHex");

    // Canonical lines: parsed, and printed again from the fields, they come out as they are.
    QTest::newRow("end of file") << ":00000001FF" << 1 << 0 << "";
    QTest::newRow("sixteen zeros at 0x0010") << ":10001000" + QString(32, '0') + "E0" << 0 << 0x10 << QString(32, '0');
    QTest::newRow("first line of the blank image")
        << ":1000000001000100000000000000000000000000EE" << 0 << 0 << "01000100" + QString(24, '0');
    QTest::newRow("address high byte first")
        << ":1003F00000000000000000000000000000000000FD" << 0 << 0x3F0 << QString(32, '0');
    QTest::newRow("extended address") << ":020000040001F9" << 4 << 0 << "0001";
    QTest::newRow("one byte") << ":01042C0000CF" << 0 << 0x42C << "00";
    QTest::newRow("surface pressure") << ":02010000F50305" << 0 << 0x100 << "F503";
    // Lines that parse to the same fields and print back in upper case without their tail.
    QTest::newRow("trailing crlf") << ":02010000F50305\r\n" << 0 << 0x100 << "F503";
    QTest::newRow("lower case") << ":02abcd00f5038e" << 0 << 0xABCD << "F503";
    QTest::newRow("mixed case") << ":02AbCd00F5038E" << 0 << 0xABCD << "F503";
    QTest::newRow("text after checksum") << ":00000001FFgarbage" << 1 << 0 << "";
}

void tst_HexRecord::validLines()
{
    QFETCH(QString, line);
    QFETCH(int, type);
    QFETCH(int, address);
    QFETCH(QString, dataHex);

    cMyHexRecord r;
    QVERIFY(r.fromString(line));
    QCOMPARE(int(r.type()), type);
    QCOMPARE(int(r.address()), address);
    QByteArray bytes;
    for (quint8 b : r.data())
        bytes.append(char(b));
    QCOMPARE(QString::fromLatin1(bytes.toHex().toUpper()), dataHex);

    const QString canonical = line.left(11 + dataHex.size()).toUpper();
    QCOMPARE(r.toString(), canonical);
    const QVector<quint8> data(r.data());
    const cMyHexRecord built =
        type == 4 ? cMyHexRecord(quint16(data.at(0) << 8 | data.at(1)), nullptr)
                  : cMyHexRecord(type == 1 ? 0x1234 : quint16(address), data); // an end record ignores its address
    QCOMPARE(int(built.type()), type);
    QCOMPARE(built.toString(), canonical);
}

void tst_HexRecord::rejectsBadLines_data()
{
    QTest::addColumn<QString>("line");
    const QString zeros = ":10000000" + QString(32, '0');
    QTest::newRow("empty") << "";
    QTest::newRow("colon only") << ":";
    QTest::newRow("command echo") << "#ROOT\r\n";
    QTest::newRow("hash instead of colon") << "#00000001FF";
    QTest::newRow("no checksum") << ":00000001";
    QTest::newRow("half a checksum") << ":00000001F";
    QTest::newRow("count 16, eight bytes, no checksum") << ":10000000" + QString(16, '0');
    QTest::newRow("checksum off by one") << zeros + "F1";
    QTest::newRow("last digit changed") << zeros + "F8";
    QTest::newRow("bad count digit") << ":1G000000" + QString(32, '0') + "F0";
    QTest::newRow("bad address digit") << ":100X0000" + QString(32, '0') + "F0";
    QTest::newRow("bad type digit") << ":100000Z0" + QString(32, '0') + "F0";
    QTest::newRow("bad data digit") << ":10000000" + QString(31, '0') + "Q" + "F0";
    QTest::newRow("bad checksum digit") << zeros + "FZ";
    QTest::newRow("space inside") << ":02 010000F50305";
    QTest::newRow("sign in count") << ":+1042C0000CF";
    QTest::newRow("leading space") << " :00000001FF";
    QTest::newRow("0x in data") << ":020100000xF5FF";
    QTest::newRow("count FF, short line") << ":FF000000" + QString(20, '0');
}

void tst_HexRecord::rejectsBadLines()
{
    QFETCH(QString, line);
    cMyHexRecord r;
    QVERIFY(!r.fromString(line));
}

void tst_HexRecord::roundTripsEveryLength()
{
    for (int n = 1; n <= 255; ++n) {
        QVector<quint8> bytes(n);
        for (int i = 0; i < n; ++i)
            bytes[i] = quint8(i * 37 + n);
        const quint16 address = quint16(n * 257);
        const QString line = cMyHexRecord(address, bytes).toString();
        QCOMPARE(line.size(), 11 + 2 * n);
        cMyHexRecord back;
        QVERIFY2(back.fromString(line), qPrintable(line));
        QCOMPARE(back.address(), address);
        QCOMPARE(back.data(), bytes);
        QCOMPARE(back.checksum(), cMyHexRecord(address, bytes).checksum());
        // Cutting the line anywhere makes it invalid.
        QVERIFY(!cMyHexRecord().fromString(line.left(line.size() - 1)));
    }
}

void tst_HexRecord::wordAtBounds()
{
    QVector<quint8> bytes(16);
    for (int i = 0; i < 16; ++i)
        bytes[i] = quint8(i + 1);
    cMyHexRecord r(0, bytes);
    QCOMPARE(r.wordAt(0), quint16(0x0201));
    QCOMPARE(r.wordAt(14), quint16(15 + 256 * 16));
    QCOMPARE(r.wordAt(15), quint16(0));
    QCOMPARE(r.wordAt(255), quint16(0));
    QCOMPARE(cMyHexRecord().wordAt(0), quint16(0));
    QCOMPARE(cMyHexRecord(0, QVector<quint8>{7}).wordAt(0), quint16(0));
}

QTEST_APPLESS_MAIN(tst_HexRecord)
#include "tst_hexrecord.moc"
