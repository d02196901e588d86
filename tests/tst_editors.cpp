// The bound editors: number to bytes, the two combo boxes and the scaled spin box.

#include "cmycomboboxw2.h"
#include "cmycomboboxw6.h"
#include "cmydoublespinboxint.h"
#include "cmymemoryarea.h"
#include "cmytablemodel.h"

#include <QSignalSpy>
#include <QtTest>

using Bytes = QVector<quint8>;
Q_DECLARE_METATYPE(Bytes)

class tst_Editors : public QObject
{
    Q_OBJECT

private slots:
    void numbersBecomeBytes();
    void comboBoxStoresItsRowValue();
    void measuredValueDrivesThreshold();
    void spinBoxFactorUnitRange();
};

namespace {
struct Field : cMyFilePosition
{
    Field(int width, int isSigned) { setFilePosition(nullptr, 0x10, width, isSigned); }
};
} // namespace

void tst_Editors::numbersBecomeBytes()
{
    const Field s16(1, 1), s32two(1, 0), u8(0, 0), none(2, 0);
    QCOMPARE(s16.toBytes(-50), (Bytes{0xCE, 0xFF}));
    QCOMPARE(u8.toBytes(150), (Bytes{0x96}));
    QCOMPARE(s32two.toBytes(43200), (Bytes{0xC0, 0xA8}));
    // Half away from zero.
    QCOMPARE(s16.toBytes(2.5), (Bytes{3, 0}));
    QCOMPARE(s16.toBytes(-2.5), (Bytes{0xFD, 0xFF}));
    QCOMPARE(s16.toBytes(2.4), (Bytes{2, 0}));
    QCOMPARE(s16.toBytes(-2.4), (Bytes{0xFE, 0xFF}));
    QCOMPARE(s16.toBytes(12.34 * 100), (Bytes{0xD2, 0x04}));
    QCOMPARE(s16.toBytes(0.29 * 100), (Bytes{29, 0}));
    // 100.00 % battery is 32768: stored as the largest 16-bit value, never as -32768.
    QCOMPARE(s16.toBytes(100.00 * 327.68), (Bytes{0xFF, 0x7F}));
    QCOMPARE(s16.toBytes(-40000), (Bytes{0x00, 0x80}));
    QCOMPARE(s16.toBytes(-32768), (Bytes{0x00, 0x80}));
    QCOMPARE(s32two.toBytes(65535), (Bytes{0xFF, 0xFF}));
    QCOMPARE(u8.toBytes(-5), (Bytes{0xFB}));
    QVERIFY(none.toBytes(12).isEmpty());
}

void tst_Editors::comboBoxStoresItsRowValue()
{
    cMyMemoryArea image;
    image.setData(0x81, quint8(0));
    cMyTableModel model(QList<QStringList>{{"1 [Hz]", "150"}, {"2 [Hz]", "75"}, {"bad", "x"}, {"again", "75"}}, nullptr);
    cMyComboBoxW2 box;
    box.setFilePosition(&image, 0x80, 0, 0);
    connect(&box, &cMyComboBoxW2::valueChanged, &image, qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
    QSignalSpy spy(&box, &cMyComboBoxW2::valueChanged);
    box.setModel(&model);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).toUInt(), 0x80u);
    QCOMPARE(spy.last().at(1).value<Bytes>(), Bytes{150});

    box.setCurrentIndex(2); // a row without a number stores 0
    QCOMPARE(image.readBytes(0x80, 1), Bytes{0});
    box.setCurrentIndex(2); // the same row again: nothing
    QCOMPARE(spy.count(), 2);

    QVERIFY(box.selectValue(75));
    QCOMPARE(box.currentIndex(), 3); // the last match wins
    QCOMPARE(image.readBytes(0x80, 1), Bytes{75});
    QVERIFY(!box.selectValue(99)); // shown as unknown, storing nothing
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(image.readBytes(0x80, 2), (Bytes{75, 0})); // the neighbour was never touched

    // A two-byte code.
    cMyTableModel sleep(QList<QStringList>{{"5 [min]", "300"}, {"12 [h]", "43200"}}, nullptr);
    cMyComboBoxW2 word;
    word.setFilePosition(&image, 0x82, 1, 0);
    connect(&word, &cMyComboBoxW2::valueChanged, &image, qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
    word.setModel(&sleep);
    word.setCurrentIndex(1);
    QCOMPARE(image.readBytes(0x82, 2), (Bytes{0xC0, 0xA8}));
}

void tst_Editors::measuredValueDrivesThreshold()
{
    cMyMemoryArea image;
    image.setData(0x14F, quint8(0));
    cMyTableModel model(QList<QStringList>{{"Regardless of any value", "255", "1", "", "", ""},
                                           {"Temperature", "16", "10", QString::fromLatin1("[\xB0" "C]"), "-50", "100"},
                                           {"Depth", "32", "100", "[m]", "0", "327.67"}}, nullptr);
    cMyComboBoxW6 measured;
    cMyDoubleSpinBoxInt threshold;
    measured.setFilePosition(&image, 0x141, 0, 0);
    threshold.setFilePosition(&image, 0x143, 1, 1);
    connect(&measured, &cMyComboBoxW6::valueChanged, &image, qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
    connect(&threshold, qOverload<quint32, QVector<quint8>>(&cMyDoubleSpinBoxInt::valueChanged), &image,
            qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
    connect(&measured, &cMyComboBoxW6::faktorChanged, &threshold, &cMyDoubleSpinBoxInt::mySetFaktor);
    connect(&measured, &cMyComboBoxW6::unitChanged, &threshold, &cMyDoubleSpinBoxInt::mySetUnit);
    connect(&measured, &cMyComboBoxW6::rangeChanged, &threshold, &cMyDoubleSpinBoxInt::mySetRange);

    QSignalSpy order(&measured, &cMyComboBoxW6::rangeChanged);
    measured.setModel(&model);
    QCOMPARE(order.count(), 1);
    QVERIFY(!threshold.isEnabled()); // "Regardless of any value" has no range

    measured.setCurrentIndex(2);
    QVERIFY(threshold.isEnabled());
    QCOMPARE(threshold.suffix(), QString(" [m]"));
    QCOMPARE(threshold.decimals(), 2);
    threshold.setValue(5.0);
    QCOMPARE(image.readBytes(0x141, 4), (Bytes{32, 0, 0xF4, 0x01}));

    // Another measured value resets the threshold to 0 in its new unit, in the image too.
    measured.setCurrentIndex(1);
    QCOMPARE(threshold.value(), 0.0);
    QCOMPARE(threshold.suffix(), QString::fromLatin1(" [\xB0" "C]"));
    QCOMPARE(threshold.decimals(), 1);
    QCOMPARE(threshold.minimum(), -50.0);
    QCOMPARE(image.readBytes(0x141, 4), (Bytes{16, 0, 0, 0}));
    threshold.setValue(-12.3);
    QCOMPARE(image.readBytes(0x143, 2), (Bytes{0x85, 0xFF}));

    measured.setCurrentIndex(0);
    QVERIFY(!threshold.isEnabled());
    QCOMPARE(image.readBytes(0x141, 4), (Bytes{255, 0, 0, 0}));
}

void tst_Editors::spinBoxFactorUnitRange()
{
    cMyMemoryArea image;
    cMyDoubleSpinBoxInt spin;
    spin.setFilePosition(&image, 0xF8, 1, 0);
    QCOMPARE(spin.faktor(), 1.0);
    QSignalSpy stored(&spin, qOverload<quint32, QVector<quint8>>(&cMyDoubleSpinBoxInt::valueChanged));

    spin.mySetRange(0, 99.99);
    spin.mySetFaktor(100);
    QCOMPARE(spin.decimals(), 2);
    spin.setValue(12.34);
    QCOMPARE(stored.last().at(1).value<Bytes>(), (Bytes{0xD2, 0x04}));

    // An unknown factor keeps the decimals but still re-stores value × factor at once.
    stored.clear();
    spin.mySetFaktor(5);
    QCOMPARE(spin.decimals(), 2);
    QCOMPARE(stored.count(), 1);
    QCOMPARE(stored.last().at(1).value<Bytes>(), (Bytes{62, 0}));
    spin.mySetFaktor(327.68);
    QCOMPARE(spin.decimals(), 2);
    spin.mySetFaktor(10);
    QCOMPARE(spin.decimals(), 1);
    spin.mySetFaktor(1);
    QCOMPARE(spin.decimals(), 0);

    spin.mySetRange(0, 0);
    QVERIFY(!spin.isEnabled());
    spin.mySetRange(0, 32767);
    QVERIFY(spin.isEnabled());
    spin.setValue(300);
    stored.clear();
    spin.mySetRange(0, 100); // clamping stores the clamped value
    QCOMPARE(spin.value(), 100.0);
    QCOMPARE(stored.last().at(1).value<Bytes>(), (Bytes{100, 0}));

    spin.mySetUnit("[s]");
    QCOMPARE(spin.suffix(), QString(" [s]"));
    QCOMPARE(spin.value(), 0.0);
    QCOMPARE(stored.last().at(1).value<Bytes>(), (Bytes{0, 0}));
}

QTEST_MAIN(tst_Editors)
#include "tst_editors.moc"
