// The fourteen value lists as the program embeds them and the table model that reads them; the
// bound editors: number to bytes, the two combo boxes and the scaled spin box.

#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/rulegrid.h"
#include "model/cmymemoryarea.h"
#include "model/cmytablemodel.h"
#include "resources/tamiraresources.h"

#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using Bytes = QVector<quint8>;
Q_DECLARE_METATYPE(Bytes)

namespace {

using Rows = QList<QStringList>;

// The rows of a list as the lists are written out for people: value "text" (or "text" value)
// entries, in file order.
Rows pairs(const char *entries)
{
    Rows rows;
    static const QRegularExpression entry(QStringLiteral("(\\d+) \"([^\"]*)\"|\"([^\"]*)\" (\\d+)"));
    for (auto it = entry.globalMatch(QString::fromUtf8(entries)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        rows.append(m.captured(1).isEmpty() ? QStringList{m.captured(3), m.captured(4)}
                                            : QStringList{m.captured(2), m.captured(1)});
    }
    return rows;
}

const char *const kConditions =
    R"~(255 "anytime"; 0 "underwater"; 1 "on the surface"; 2 "at the beginning of dive"; 3 "at the end of dive";
    4 "during descent"; 5 "on the bottom"; 6 "during ascent"; 7 "at the switch on"; 8 "at the switch off";
    9 "at the beginning of charging"; 10 "during charging"; 11 "at the end of charging"; 16 "if stopwatch 0 is counting";
    17 "if timer 1 is counting"; 18 "if timer 2 is counting"; 19 "if timer 3 is counting"; 24 "if stopwatch 0 is stopped";
    25 "if timer 1 is stopped"; 26 "if timer 2 is stopped"; 27 "if timer 3 is stopped"; 33 "if timer 1 passed";
    34 "if timer 2 passed"; 35 "if timer 3 passed"; 254 "never")~";

// The measured values by group, with the group's factor, unit, minimum and maximum.
const QList<QPair<const char *, QStringList>> kMeasured{
    {R"~(0 "Absolute pressure", 1 "Absolute pressure min", 2 "Absolute pressure max", 3 "Absolute pressure avg",
        4 "Absolute pressure MIN", 5 "Absolute pressure MAX", 8 "Atmospheric pressure", 9 "Atmospheric pressure min",
        10 "Atmospheric pressure max", 11 "Atmospheric pressure avg", 12 "Atmospheric pressure MIN",
        13 "Atmospheric pressure MAX")~",
     {"1", "[mbar]", "0", "32767"}},
    {R"~(16 "Temperature", 17 "Temperature min", 18 "Temperature max", 19 "Temperature avg", 20 "Temperature MIN",
        21 "Temperature MAX")~",
     {"10",
      QString::fromLatin1("[\xB0"
                          "C]"),
      "-50", "100"}},
    {R"~(31 "Battery level")~", {"327.68", "[%]", "0", "100.00"}},
    {R"~(32 "Depth", 34 "Depth max", 35 "Depth avg", 37 "Depth MAX")~", {"100", "[m]", "0", "327.67"}},
    {R"~(40 "Dive time", 41 "Surface time", 42 "Descent time", 43 "Bottom time", 44 "Ascent time",
        45 "Dive time MAX", 46 "Dive time Total")~",
     {"1", "[s]", "0", "32767"}},
    {R"~(48 "Vertical speed", 49 "Ascent speed max", 50 "Descent speed max", 51 "Ascent speed avg",
        52 "Descent speed avg", 53 "Ascent speed MAX", 54 "Descent speed MAX")~",
     {"100", "[m/s]", "-327.68", "327.67"}},
    {R"~(56 "Stopwatch 0", 57 "Timer 1", 58 "Timer 2", 59 "Timer 3")~", {"1", "[s]", "0", "32767"}},
};

Rows measuredValues()
{
    Rows rows{{"Regardless of any value", "255", "1", "", "", ""}};
    for (const auto &group : kMeasured)
        for (const QStringList &name : pairs(group.first))
            rows.append(name + group.second);
    return rows;
}

Rows messages()
{
    Rows rows;
    for (const auto &group : kMeasured)
        rows += pairs(group.first);
    // The apostrophe stays out of the raw strings: moc takes it for a character literal there.
    return rows
           + pairs(
               R"~(192 "Battery charging started"; 193 "Battery charging interrupted"; 194 "Battery charging completed";
        209 "Swim faster"; 210 "Swim slower"; 212 "Relax yourself"; 213 "Prepare yourself"; 214 "Focus"; 215 "Attention";
        216 "Bottom"; 217 "Freefall"; 218 "Mouthfill"; 224 "Official top"; 226 "Breathe!"; 228 "Surface protocol";
        230 "Remove mask"; 231 "Remove goggles"; 232 "Remove noseclip"; 233 "Remove facial equipment"; 234 "Show OK";)~"
               "235 \"Say I'm OK\";"
               R"~(241 "Custom message 1"; 242 "Custom message 2"; 243 "Custom message 3"; 244 "Custom message 4";
        245 "Custom message 5"; 246 "Custom message 6"; 247 "Custom message 7"; 248 "Custom message 8"; 127 "Do nothing")~");
}

QByteArray fileBytes(const Rows &rows)
{
    QByteArray bytes;
    for (const QStringList &row : rows)
        bytes += row.join(QLatin1Char(';')).toLatin1() + "\r\n";
    return bytes;
}

} // namespace

class tst_Editors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initTamiraResources(); }
    void listsHoldExactlyTheirRows_data();
    void listsHoldExactlyTheirRows();
    void model_data();
    void model();
    void headersAndFlags();
    void numbersBecomeBytes();
    void comboBoxStoresItsRowValue();
    void measuredValueDrivesThreshold();
    void spinBoxFactorUnitRange();
    void ruleReadsInPlainWords_data();
    void ruleReadsInPlainWords();
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
    cMyTableModel model(QList<QStringList>{{"1 [Hz]", "150"}, {"2 [Hz]", "75"}, {"bad", "x"}, {"again", "75"}},
                        nullptr);
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
    // Two-byte codes are stored through the form by tst_settingsform (par2Cb).
}

void tst_Editors::measuredValueDrivesThreshold()
{
    cMyMemoryArea image;
    image.setData(0x14F, quint8(0));
    cMyTableModel model(QList<QStringList>{{"Regardless of any value", "255", "1", "", "", ""},
                                           {"Temperature", "16", "10",
                                            QString::fromLatin1("[\xB0"
                                                                "C]"),
                                            "-50", "100"},
                                           {"Depth", "32", "100", "[m]", "0", "327.67"}},
                        nullptr);
    cMyComboBoxW6 measured;
    cMyDoubleSpinBoxInt threshold;
    measured.setFilePosition(&image, 0x141, 0, 0);
    threshold.setFilePosition(&image, 0x143, 1, 1);
    connect(&measured, &cMyComboBoxW6::valueChanged, &image,
            qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
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
    threshold.setValue(5.0);
    QCOMPARE(image.readBytes(0x141, 4), (Bytes{32, 0, 0xF4, 0x01}));

    // Another measured value resets the threshold to 0, in the image too (the form's binding
    // test checks the unit and decimals each brings).
    measured.setCurrentIndex(1);
    QCOMPARE(threshold.value(), 0.0);
    QCOMPARE(image.readBytes(0x141, 4), (Bytes{16, 0, 0, 0}));

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

void tst_Editors::listsHoldExactlyTheirRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Rows>("rows");
    const Rows comparison = pairs(R"~(0 ">="; 1 "<=")~");
    QTest::newRow("msgCb1") << "msgCb1" << pairs(kConditions);
    QTest::newRow("timCb1") << "timCb1" << pairs(kConditions);
    QTest::newRow("msgCb2") << "msgCb2" << measuredValues();
    QTest::newRow("timCb2") << "timCb2" << measuredValues();
    QTest::newRow("msgCb3") << "msgCb3" << comparison;
    QTest::newRow("timCb3") << "timCb3" << comparison;
    QTest::newRow("msgCb4") << "msgCb4" << messages();
    QTest::newRow("msgCb5") << "msgCb5"
                            << pairs(
                                   R"~(0 "(value & point)"; 1 "(value & point & unit)"; 2 "(value)"; 3 "(value & unit)";
        4 "(caption & value & point)"; 5 "(caption & value & point & unit)"; 6 "(caption & value)"; 7 "(caption & value & unit)")~");
    QTest::newRow("msgCb6") << "msgCb6"
                            << pairs(R"~(0 "only once"; 1 "every period A"; 2 "every period B"; 3 "every period C";
        4 "every period D"; 5 "every distance E"; 6 "every distance F"; 7 "every distance G"; 8 "every distance H"; 255 "still")~");
    QTest::newRow("timCb4") << "timCb4" << pairs(R"~(127 "Do nothing"; 128 "Stopwatch 0 - START"; 129 "Timer 1 - START";
        130 "Timer 2 - START"; 131 "Timer 3 - START"; 136 "Stopwatch 0 - STOP"; 137 "Timer 1 - STOP"; 138 "Timer 2 - STOP";
        139 "Timer 3 - STOP"; 144 "Stopwatch 0 - Continue"; 145 "Timer 1 - Continue"; 146 "Timer 2 - Continue";
        147 "Timer 3 - Continue")~");
    QTest::newRow("parCb1")
        << "parCb1" << pairs(R"~("1 [Hz]" 150; "2 [Hz]" 75; "3 [Hz]" 50; "4 [Hz]" 37; "5 [Hz]" 30; "10 [Hz]" 15)~");
    QTest::newRow("parCb2") << "parCb2"
                            << pairs(R"~("5 [min]" 300; "10 [min]" 600; "30 [min]" 1800; "1 [h]" 3600; "2 [h]" 7200;
        "5 [h]" 18000; "12 [h]" 43200)~");
    QTest::newRow("parCb3") << "parCb3" << pairs(R"~("1 [s]" 5; "2 [s]" 6; "4 [s]" 7; "8 [s]" 8)~");
    QTest::newRow("parCb4") << "parCb4" << pairs(R"~("Constant" 0; "Min" 1; "Avg" 2; "Current" 3)~");
}

void tst_Editors::listsHoldExactlyTheirRows()
{
    QFETCH(QString, name);
    QFETCH(Rows, rows);
    const QString path = QStringLiteral(":/models/%1.csv").arg(name);

    // Byte for byte: CR LF after every line, Latin-1 with 0xB0 for the degree sign.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), fileBytes(rows));

    cMyTableModel model(path, nullptr);
    QCOMPARE(model.rowCount(), rows.size());
    QCOMPARE(model.columnCount(), rows.first().size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            QCOMPARE(model.data(model.index(r, c)).toString(), rows.at(r).at(c));
}

void tst_Editors::model_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Rows>("rows"); // none: there is no file
    QTest::newRow("short rows padded") << QByteArray("A;1\r\nB;2;3;[m];0;9\r\n;;\r\n")
                                       << Rows{{"A", "1", "", "", "", ""},
                                               {"B", "2", "3", "[m]", "0", "9"},
                                               {"", "", "", "", "", ""}};
    QTest::newRow("empty file: one empty field") << QByteArray() << Rows{{""}};
    QTest::newRow("missing file: nothing") << QByteArray() << Rows{};
}

void tst_Editors::model()
{
    QFETCH(QByteArray, file);
    QFETCH(Rows, rows);
    QTemporaryDir dir;
    QFile list(dir.filePath("list.csv"));
    QVERIFY(rows.isEmpty() || (list.open(QIODevice::WriteOnly) && list.write(file) == file.size()));
    list.close();
    cMyTableModel model(list.fileName(), nullptr);
    QCOMPARE(model.rowCount(), rows.size());
    QCOMPARE(model.columnCount(), rows.value(0).size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            QCOMPARE(model.data(model.index(r, c)), QVariant(rows.at(r).at(c)));
    QVERIFY(!model.data(model.index(rows.size(), 0)).isValid());
    QVERIFY(!model.data(model.index(0, 0), Qt::EditRole).isValid());
}

void tst_Editors::headersAndFlags()
{
    cMyTableModel model(QList<QStringList>{{"x", "1", "1", "[m]", "0", "9"}}, nullptr);
    QCOMPARE(model.field(0, 3), QString("[m]"));
    QCOMPARE(model.field(9, 0), QString());
    const QVariantList headers{"Nazwa", "Wartosc", "Faktor", "Jednostka", QVariant(), QVariant()};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(model.headerData(c, Qt::Horizontal), headers.at(c));
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::EditRole).isValid());
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags(Qt::ItemIsEnabled));
    QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsSelectable)
            && !model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
}

void tst_Editors::ruleReadsInPlainWords_data()
{
    // Codes: condition, measured value, comparison, timer action or message, format, repetition.
    QTest::addColumn<bool>("timer");
    QTest::addColumn<QVector<int>>("codes");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<double>("time");
    QTest::addColumn<QString>("reading");
    QTest::newRow("phrase over a threshold") << false << QVector<int>{4, 32, 0, 218, 0, 0} << 25.0 << 0.0
                                             << "during descent, when Depth >= 25.00 [m]: say \"Mouthfill\", only once";
    QTest::newRow("below a negative threshold")
        << false << QVector<int>{6, 48, 1, 210, 2, 1} << -1.2 << 0.0
        << "during ascent, when Vertical speed <= -1.20 [m/s]: say \"Swim slower\", every period A";
    QTest::newRow("a value in its format") << false << QVector<int>{5, 255, 0, 40, 3, 0} << 0.0 << 0.0
                                           << "on the bottom: say \"Dive time\" (value & unit), only once";
    QTest::newRow("custom message, still") << false << QVector<int>{33, 255, 0, 247, 5, 255} << 0.0 << 0.0
                                           << "if timer 1 passed: say \"Custom message 7\", still";
    QTest::newRow("message: do nothing") << false << QVector<int>{255, 16, 0, 127, 0, 6} << 12.5 << 0.0
                                         << QString::fromUtf8(
                                                "anytime, when Temperature >= 12.5 [\u00B0C]: Do nothing");
    QTest::newRow("unused message rule") << false << QVector<int>{254, 32, 0, 218, 0, 0} << 3.0 << 0.0
                                         << "never: this rule is unused";
    QTest::newRow("timer started with a time") << true << QVector<int>{2, 255, 0, 129} << 0.0 << 90.0
                                               << "at the beginning of dive: Timer 1 - START, passes after 90 [s]";
    QTest::newRow("stopwatch: no time") << true << QVector<int>{255, 255, 0, 128} << 0.0 << 90.0
                                        << "anytime: Stopwatch 0 - START";
    QTest::newRow("timer stopped over a threshold") << true << QVector<int>{4, 32, 0, 138} << 10.0 << 5.0
                                                    << "during descent, when Depth >= 10.00 [m]: Timer 2 - STOP";
    QTest::newRow("unused timer rule") << true << QVector<int>{254, 255, 0, 129} << 0.0 << 90.0
                                       << "never: this rule is unused";
}

void tst_Editors::ruleReadsInPlainWords()
{
    QFETCH(bool, timer);
    QFETCH(QVector<int>, codes);
    QFETCH(double, threshold);
    QFETCH(double, time);
    QFETCH(QString, reading);
    QTranslator english;
    QVERIFY(installEnglishCatalogue(english));

    // The grid's third rule, with its lists and its threshold bound to its measured value as the
    // settings form binds them.
    QWidget page;
    auto *grid = new QGridLayout(&page);
    const SettingsMap::RuleKind &kind = timer ? SettingsMap::timerRules() : SettingsMap::messageRules();
    RuleGrid::build(grid, kind);
    const RuleEditors rule = RuleGrid::rule(grid, kind, 2);
    connect(rule.measured, &cMyComboBoxW6::faktorChanged, rule.threshold, &cMyDoubleSpinBoxInt::mySetFaktor);
    connect(rule.measured, &cMyComboBoxW6::unitChanged, rule.threshold, &cMyDoubleSpinBoxInt::mySetUnit);
    connect(rule.measured, &cMyComboBoxW6::rangeChanged, rule.threshold, &cMyDoubleSpinBoxInt::mySetRange);
    const QList<QComboBox *> boxes{rule.condition, rule.measured, rule.comparison,
                                   rule.action,    rule.format,   rule.repetition};
    for (int i = 0; i < codes.size(); ++i) {
        boxes[i]->setModel(
            new cMyTableModel(QStringLiteral(":/models/%1Cb%2.csv").arg(timer ? "tim" : "msg").arg(i + 1), &page));
        auto *w6 = qobject_cast<cMyComboBoxW6 *>(boxes[i]);
        QVERIFY(w6 ? w6->selectValue(codes[i]) : qobject_cast<cMyComboBoxW2 *>(boxes[i])->selectValue(codes[i]));
    }
    rule.threshold->setValue(threshold);
    if (rule.time) {
        rule.time->mySetRange(0, 65535);
        rule.time->mySetUnit("[s]");
        rule.time->setValue(time);
    }
    auto *label = qobject_cast<QLabel *>(grid->itemAtPosition(RuleGrid::editorRow(2) + 1, 1)->widget());
    QVERIFY(label);
    QCOMPARE(label->text(), reading.replace('.', rule.threshold->locale().decimalPoint()));
}

QTEST_MAIN(tst_Editors)
#include "tst_editors.moc"
