// The port chooser over an injected port list (filtering, rebuilds, the remembered port, the
// boot-mode signal), and over the real discovery with the emulator named in TAMIRA_PORT.

#include "app/cmyportselect.h"
#include "device/portdiscovery.h"
#include "tests/support/cmyemulatorprocess.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QList<SerialPortEntry> ports;

SerialPortEntry port(const char *name, quint16 vid, quint16 pid)
{
    return SerialPortEntry{QString::fromLatin1(name), true, vid, pid};
}
SerialPortEntry tamira(const char *name)
{
    return port(name, 0x03EB, 0x2018);
}
SerialPortEntry bootloader(const char *name)
{
    return port(name, 0x03EB, 0x2FF0);
}

void poll(cMyPortSelect &select)
{
    QVERIFY(QMetaObject::invokeMethod(&select, "updatePorts"));
}

QStringList entries(const QComboBox &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}
} // namespace

// One poll of the chooser: the ports then present, the entry the user chose before it (-1: none),
// and what follows: the entries, the current one, whether the change was signalled (1: it was,
// last with the current text; 0: nothing was; -1: either), and the boot-mode signals so far.
struct Step
{
    QList<SerialPortEntry> ports;
    int choose;
    QStringList entries;
    QString current;
    int heard;
    int bootSignals;
};
Q_DECLARE_METATYPE(QVector<Step>)

class tst_PortSelect : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ports.clear();
        PortDiscovery::setSource([] { return ports; });
    }
    void cleanup() { PortDiscovery::setSource({}); }
    void polls_data();
    void polls();
    void emulatorComesAndGoes_data();
    void emulatorComesAndGoes();
};

void tst_PortSelect::polls_data()
{
    QTest::addColumn<QVector<Step>>("steps");
    const QStringList none{QString()}, two{"ttyACM0", "ttyACM1"};
    QTest::newRow("only Tamiras in normal operation") << QVector<Step>{
        {{port("ttyS0", 0, 0), port("ttyUSB0", 0x0403, 0x2018), port("ttyACM9", 0x03EB, 0x6124), tamira("ttyACM0"),
          tamira("cu.usbmodem1"), tamira("ttyACM1"), SerialPortEntry{"ttyACM5", false, 0x03EB, 0x2018}},
         -1,
         two,
         "ttyACM0",
         1,
         0},
        // Same count again: nothing is touched, even though the names differ.
        {{tamira("ttyACM7"), tamira("ttyACM8")}, -1, two, "ttyACM0", 0, 0}};
    QTest::newRow("the chosen port kept across rebuilds")
        << QVector<Step>{{{tamira("ttyACM0"), tamira("ttyACM1")}, -1, two, "ttyACM0", 1, 0},
                         {{tamira("ttyACM0"), tamira("ttyACM1"), tamira("ttyACM2")},
                          1,
                          {"ttyACM0", "ttyACM1", "ttyACM2"},
                          "ttyACM1",
                          1,
                          0},
                         {{tamira("ttyACM1"), tamira("ttyACM2")}, -1, {"ttyACM1", "ttyACM2"}, "ttyACM1", -1, 0},
                         // The chosen one goes: the first remaining port takes over.
                         {{tamira("ttyACM2")}, -1, {"ttyACM2"}, "ttyACM2", 1, 0}};
    QTest::newRow("nothing attached, then the last one gone") << QVector<Step>{
        {{}, -1, none, "", 1, 0}, {{tamira("ttyACM0")}, -1, {"ttyACM0"}, "ttyACM0", 1, 0}, {{}, -1, none, "", 1, 0}};
    QTest::newRow("boot mode once per appearance, its port never listed")
        << QVector<Step>{{{bootloader("ttyACM0"), bootloader("ttyACM1")}, -1, none, "", -1, 1},
                         {{bootloader("ttyACM0"), bootloader("ttyACM1")}, -1, none, "", -1, 1},
                         {{}, -1, none, "", -1, 1},
                         {{tamira("ttyACM3"), bootloader("ttyACM0")}, -1, {"ttyACM3"}, "ttyACM3", 1, 2}};
}

void tst_PortSelect::polls()
{
    QFETCH(QVector<Step>, steps);
    cMyPortSelect select;
    QVERIFY(!select.isEnabled());
    QCOMPARE(entries(select), QStringList{"Brak urządzeń"});
    QSignalSpy boot(&select, &cMyPortSelect::bootMode);
    for (const Step &step : steps) {
        if (step.choose >= 0)
            select.setCurrentIndex(step.choose);
        ports = step.ports;
        QSignalSpy changed(&select, &QComboBox::currentTextChanged);
        poll(select);
        QCOMPARE(entries(select), step.entries);
        QCOMPARE(select.currentText(), step.current);
        QCOMPARE(select.isEnabled(), !step.current.isEmpty());
        if (step.heard >= 0)
            QCOMPARE(changed.isEmpty() ? QString("(nothing)") : changed.last().first().toString(),
                     step.heard ? step.current : QString("(nothing)"));
        QCOMPARE(boot.count(), step.bootSignals);
    }
}

void tst_PortSelect::emulatorComesAndGoes_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("pty named") << false;
    QTest::newRow("link to the pty") << true;
}

void tst_PortSelect::emulatorComesAndGoes()
{
    // A path of TAMIRA_PORT (beside one that does not exist) appearing, and the emulator
    // stopping, reach the chooser without anyone asking it to look. How soon is the benchmarks'
    // business: the deadline here is longer than even the slow safety poll.
    QFETCH(bool, throughLink);
    PortDiscovery::setSource({});
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QTemporaryDir dir;
    const QString path = throughLink ? dir.filePath("tamira") : emu.portPath();
    qputenv("TAMIRA_PORT", (dir.filePath("absent") + ":" + path).toLocal8Bit());
    cMyPortSelect select;
    QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{throughLink ? QString() : path}, 30000);
    if (throughLink) {
        QVERIFY(QFile::link(emu.portPath(), path));
        QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{path}, 30000);
    }
    QVERIFY(select.isEnabled());

    emu.stop(); // the pty goes (and a link to it dangles)
    QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{QString()}, 30000);
    QVERIFY(!select.isEnabled());
    qunsetenv("TAMIRA_PORT");
}

QTEST_MAIN(tst_PortSelect)
#include "tst_portselect.moc"
