// Two settings images compared in the form's words, from hand-made images (one changed field of
// each kind against the blank template), what taking a value into the form writes, and the same
// rows for scripts (--compare), also from the program itself without a display.

#include "app/cmyfilecomparison.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingscomparison.h"
#include "model/cmysettingsfile.h"
#include "model/cmyvaluelists.h"
#include "resources/tamiraresources.h"
#include "tests/support/tamiratestapp.h"

#include <QProcess>
#include <QTemporaryDir>

using Bytes = QVector<quint8>;

namespace {

Bytes blank()
{
    cMyMemoryArea image;
    cMySettingsFile::read(":/pliki/clear.tmo", image);
    return image.readBytes(0, 1024);
}

// "0F8:D204;09E:307D": bytes written at addresses, in hexadecimal.
QVector<cMySettingsComparison::Write> writes(const QString &text)
{
    QVector<cMySettingsComparison::Write> out;
    for (const QString &part : text.split(';', Qt::SkipEmptyParts)) {
        const QByteArray bytes = QByteArray::fromHex(part.section(':', 1).toLatin1());
        out.append({part.section(':', 0, 0).toUInt(nullptr, 16), Bytes(bytes.begin(), bytes.end())});
    }
    return out;
}

Bytes changed(const QString &changes)
{
    Bytes image = blank();
    for (const auto &w : writes(changes))
        std::copy(w.bytes.begin(), w.bytes.end(), image.begin() + int(w.address));
    return image;
}

QString file(const QTemporaryDir &dir, const QString &name, const Bytes &bytes)
{
    cMyMemoryArea image;
    image.setData(0, bytes);
    cMySettingsFile::write(dir.filePath(name), image);
    return dir.filePath(name);
}

} // namespace

class tst_Comparison : public QObject
{
    Q_OBJECT

private slots:
    void rowsInTheFormsWords_data();
    void rowsInTheFormsWords();
    void copyWritesTheField_data();
    void copyWritesTheField();
    void commandLine_data();
    void commandLine();
    void commandLineNeedsNoDisplay();
};

void tst_Comparison::rowsInTheFormsWords_data()
{
    QTest::addColumn<QString>("changes"); // to the blank template, on the right side
    QTest::addColumn<bool>("polish");
    QTest::addColumn<QStringList>("rows"); // page|setting|left|right
    const QString p = "Parameters / Intervals|";
    QTest::newRow("scaled number") << "0F8:D204" << false << QStringList{p + "Distance E|0.00 [m]|12.34 [m]"};
    QTest::newRow("one decimal") << "09C:7D00" << false
                                 << QStringList{p + "11. Fixed temperature for water density|0.0 [°C]|12.5 [°C]"};
    QTest::newRow("signed number") << "090:9CFF" << false
                                   << QStringList{p + "7. Ascent start threshold|-50 [cm/s]|-100 [cm/s]"};
    QTest::newRow("value-list choice") << "080:4B" << false << QStringList{p + "2. Depth sampling rate|1 [Hz]|2 [Hz]"};
    QTest::newRow("two-byte choice") << "082:C0A8" << false
                                     << QStringList{p + "3. Time to sleep mode after surfacing|1 [h]|12 [h]"};
    QTest::newRow("code no list has") << "080:63" << false
                                      << QStringList{p + "2. Depth sampling rate|1 [Hz]|99 (unknown)"};
    QTest::newRow("text") << "010:44657600" << false << QStringList{p + "Author||Dev"};
    QTest::newRow("message rule") << "150:042000C409200300" << false
                                  << QStringList{"Messages|Message rule 3|never: this rule is unused|during descent, "
                                                 "when Depth >= 25.00 [m]: say \"Depth\" (value & unit), only once"};
    QTest::newRow("timer rule") << "108:00FF000000811E00" << false
                                << QStringList{p
                                               + "Timer rule 2|never: this rule is unused|underwater: Timer 1 - START, "
                                                 "passes after 30 [s]"};
    QTest::newRow("rule in Polish")
        << "150:042000C409200300" << true
        << QStringList{"Komunikaty|Reguła komunikatu 3|nigdy: reguła nieużywana|podczas zanurzania, gdy Głębokość >= "
                       "25.00 [m]: powiedz „Głębokość” (wartość & jednostka), tylko raz"};
    QTest::newRow("reserved bytes") << "3F0:01020304" << false
                                    << QStringList{"|Other bytes at 0x3F0-0x3F3|00 00 00 00|01 02 03 04"};
    QTest::newRow("one reserved byte") << "0C0:00" << false << QStringList{"|Other byte at 0x0C0|01|00"};
    // The blank title is empty, with "N 13319 v1.5" behind its zero byte.
    QTest::newRow("behind a text's end") << "021:00" << false << QStringList{"|Other byte at 0x021|4E|00"};
    QTest::newRow("version stamp") << "000:01000500" << false << QStringList{};
    QTest::newRow("latitude and its gravity")
        << "0DE:00;09E:307D" << false
        << QStringList{p + "13. Latitude|45 [°]|0 [°]",
                       p + "Gravity (from the altitude and the latitude)|9.8059 [m/s²]|9.7803 [m/s²]"};
    QTest::newRow("in the page's order") << "0F0:04;088:78;081:FA" << false
                                         << QStringList{p + "1. Volume|-5[dB]|-6[dB]",
                                                        p + "5. Dive start threshold|100 [cm]|120 [cm]",
                                                        p + "Period A|3 [s]|4 [s]"};
}

void tst_Comparison::rowsInTheFormsWords()
{
    QFETCH(QString, changes);
    QFETCH(bool, polish);
    QFETCH(QStringList, rows);
    useEnglishCatalogue(!polish);
    cMyValueLists lists;
    QStringList shown;
    for (const cMySettingsComparison::Row &r : cMySettingsComparison(&lists).compare(blank(), changed(changes)))
        shown << QStringList{r.page, r.setting, r.left, r.right}.join('|');
    useEnglishCatalogue(true);
    QCOMPARE(shown, rows);
}

void tst_Comparison::copyWritesTheField_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("written");
    QTest::newRow("a number") << "088:78"
                              << "088:78";
    // The right side's gravity word is stale; the form's own editor stores the one latitude 0
    // gives at altitude 0: 32048.
    QTest::newRow("latitude with its gravity") << "0DE:00"
                                               << "0DE:00;09E:307D";
    QTest::newRow("a whole rule") << "150:04"
                                  << "150:04FF0000007F0000";
    QTest::newRow("a whole text field") << "010:41"
                                        << "010:41000000000000000000000000000000";
    QTest::newRow("bytes of no field") << "3F0:01"
                                       << "";
}

void tst_Comparison::copyWritesTheField()
{
    QFETCH(QString, changes);
    QFETCH(QString, written);
    cMyValueLists lists;
    const Bytes right = changed(changes);
    const auto rows = cMySettingsComparison(&lists).compare(blank(), right);
    QCOMPARE(rows.size(), 1);
    const auto got = cMySettingsComparison::copy(rows.first(), blank(), right);
    const auto expected = writes(written);
    QCOMPARE(got.size(), expected.size());
    for (int i = 0; i < got.size(); ++i) {
        QCOMPARE(got.at(i).address, expected.at(i).address);
        QCOMPARE(got.at(i).bytes, expected.at(i).bytes);
    }
}

void tst_Comparison::commandLine_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("the same settings, another stamp")
        << "000:01000500" << int(cMyFileComparison::Same)
        << "Settings version stamp (not a difference): a.tmo 1.0.1.0, b.tmo 1.0.5.0\n"
           "a.tmo and b.tmo hold the same settings.\n";
    QTest::newRow("different settings") << "088:78;200:4C696E650A4F6E6509547769636500" << int(cMyFileComparison::Differ)
                                        << "Settings version stamp (not a difference): a.tmo 1.0.1.0, b.tmo 1.0.1.0\n"
                                           "Page\tSetting\ta.tmo\tb.tmo\n"
                                           "Parameters / Intervals\t5. Dive start threshold\t100 [cm]\t120 [cm]\n"
                                           "Parameters / Intervals\tDescription\t\tLine\\nOne\\tTwice\n";
}

void tst_Comparison::commandLine()
{
    QFETCH(QString, changes);
    QFETCH(int, status);
    QFETCH(QString, out);
    QTemporaryDir dir;
    file(dir, "a.tmo", blank());
    file(dir, "b.tmo", changed(changes));
    QDir::setCurrent(dir.path());
    QString printed, error;
    QCOMPARE(int(cMyFileComparison::run("a.tmo", "b.tmo", printed, error)), status);
    QCOMPARE(printed, out);
    QCOMPARE(error, QString());

    // A file that cannot be read whole is no comparison.
    QFile bad(dir.filePath("bad.tmo"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(":10000000zz\n") > 0);
    bad.close();
    printed.clear();
    QCOMPARE(cMyFileComparison::run("a.tmo", "bad.tmo", printed, error), cMyFileComparison::BadFile);
    QCOMPARE(error, "TAMIRAdesk: cannot compare the file bad.tmo (line 1: not an Intel HEX record)\n");
    QCOMPARE(printed, QString());
}

void tst_Comparison::commandLineNeedsNoDisplay()
{
    QTemporaryDir dir;
    const QString a = file(dir, "a.tmo", blank()), b = file(dir, "b.tmo", changed("088:78"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A window would need the X server, which is not there.
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("HOME", dir.path());
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAMIRA_BINARY_DIR "/bin/TAMIRAdesk"), {"--compare", a, b});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).split('\n').at(2),
             QString("Parameters / Intervals\t5. Dive start threshold\t100 [cm]\t120 [cm]"));
    QCOMPARE(program.readAllStandardError(), QByteArray());
}

TAMIRA_GUI_TEST_MAIN(tst_Comparison)
#include "tst_comparison.moc"
