// The port chooser over an injected port list: filtering, rebuilds, the remembered port and the
// boot-mode signal.

#include "cmyemulatorprocess.h"
#include "cmyportselect.h"
#include "portdiscovery.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QList<SerialPortEntry> ports;

SerialPortEntry port(const char *name, quint16 vid, quint16 pid)
{
    return SerialPortEntry{QString::fromLatin1(name), true, vid, pid};
}
SerialPortEntry tamira(const char *name) { return port(name, 0x03EB, 0x2018); }
SerialPortEntry bootloader(const char *name) { return port(name, 0x03EB, 0x2FF0); }

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
    void listsOnlyTamiras();
    void keepsTheChosenPortAcrossRebuilds();
    void lastDeviceGone();
    void bootModeOncePerAppearance();
    void environmentNamesTheEmulator();
    void emulatorComesAndGoes_data();
    void emulatorComesAndGoes();
};

void tst_PortSelect::listsOnlyTamiras()
{
    cMyPortSelect select;
    QVERIFY(!select.isEnabled());
    QCOMPARE(entries(select), QStringList{"Brak urządzeń"});

    ports = {port("ttyS0", 0, 0), port("ttyUSB0", 0x0403, 0x2018), port("ttyACM9", 0x03EB, 0x6124),
             tamira("ttyACM0"), tamira("cu.usbmodem1"), tamira("ttyACM1"),
             SerialPortEntry{"ttyACM5", false, 0x03EB, 0x2018}};
    QSignalSpy changed(&select, &QComboBox::currentTextChanged);
    poll(select);
    QCOMPARE(entries(select), (QStringList{"ttyACM0", "ttyACM1"}));
    QVERIFY(select.isEnabled());
    QCOMPARE(select.currentText(), QString("ttyACM0"));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().first().toString(), QString("ttyACM0"));

    // Same count again: nothing is touched, even though the names differ.
    changed.clear();
    ports = {tamira("ttyACM7"), tamira("ttyACM8")};
    poll(select);
    QCOMPARE(entries(select), (QStringList{"ttyACM0", "ttyACM1"}));
    QVERIFY(changed.isEmpty());
}

void tst_PortSelect::keepsTheChosenPortAcrossRebuilds()
{
    cMyPortSelect select;
    ports = {tamira("ttyACM0"), tamira("ttyACM1")};
    poll(select);
    QCOMPARE(select.currentText(), QString("ttyACM0"));
    select.setCurrentIndex(1);

    // A third device: the second one stays current, and the link hears of it last.
    ports.append(tamira("ttyACM2"));
    QSignalSpy changed(&select, &QComboBox::currentTextChanged);
    poll(select);
    QCOMPARE(entries(select), (QStringList{"ttyACM0", "ttyACM1", "ttyACM2"}));
    QCOMPARE(select.currentText(), QString("ttyACM1"));
    QCOMPARE(changed.last().first().toString(), QString("ttyACM1"));

    // The first one goes: still the second.
    ports.removeFirst();
    poll(select);
    QCOMPARE(select.currentText(), QString("ttyACM1"));

    // The chosen one goes: the first remaining port takes over.
    ports.removeFirst();
    poll(select);
    QCOMPARE(select.currentText(), QString("ttyACM2"));
}

void tst_PortSelect::lastDeviceGone()
{
    cMyPortSelect select;
    QSignalSpy changed(&select, &QComboBox::currentTextChanged);
    poll(select); // nothing attached at start: the no-port state at once
    QCOMPARE(entries(select), QStringList{QString()});
    QVERIFY(!select.isEnabled());
    QCOMPARE(changed.last().first().toString(), QString());

    ports = {tamira("ttyACM0")};
    poll(select);
    QCOMPARE(select.currentText(), QString("ttyACM0"));
    ports.clear();
    changed.clear();
    poll(select);
    QCOMPARE(entries(select), QStringList{QString()});
    QVERIFY(!select.isEnabled());
    QCOMPARE(changed.last().first().toString(), QString());
}

void tst_PortSelect::bootModeOncePerAppearance()
{
    cMyPortSelect select;
    QSignalSpy boot(&select, &cMyPortSelect::bootMode);
    ports = {bootloader("ttyACM0"), bootloader("ttyACM1")};
    poll(select);
    poll(select);
    poll(select);
    QCOMPARE(boot.count(), 1);
    QCOMPARE(select.count(), 1); // a bootloader port is never listed
    QCOMPARE(select.currentText(), QString());
    ports.clear();
    poll(select);
    ports = {tamira("ttyACM3"), bootloader("ttyACM0")};
    poll(select);
    QCOMPARE(boot.count(), 2);
    QCOMPARE(select.currentText(), QString("ttyACM3"));
}

void tst_PortSelect::environmentNamesTheEmulator()
{
    PortDiscovery::setSource({});
    QTemporaryDir dir; // the paths are offered while they exist
    const QString a = dir.filePath("a"), b = dir.filePath("b");
    QVERIFY(QFile(a).open(QIODevice::WriteOnly) && QFile(b).open(QIODevice::WriteOnly));
    qputenv("TAMIRA_PORT", (a + ":" + b).toLocal8Bit());
    const QList<SerialPortEntry> found = PortDiscovery::availablePorts();
    qunsetenv("TAMIRA_PORT");
    QVERIFY(found.size() >= 2);
    QCOMPARE(found.at(found.size() - 2).portName, a);
    QCOMPARE(found.last().portName, b);
    QCOMPARE(found.last().vendorId, quint16(0x03EB));
    QCOMPARE(found.last().productId, quint16(0x2018));
}

void tst_PortSelect::emulatorComesAndGoes_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("pty named") << false;
    QTest::newRow("link to the pty") << true;
}

void tst_PortSelect::emulatorComesAndGoes()
{
    // Heard of at once, not at the safety poll 10 s later: a path appearing, the emulator stopping.
    QFETCH(bool, throughLink);
    PortDiscovery::setSource({});
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QTemporaryDir dir;
    const QString path = throughLink ? dir.filePath("tamira") : emu.portPath();
    qputenv("TAMIRA_PORT", path.toLocal8Bit());
    cMyPortSelect select;
    QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{throughLink ? QString() : path}, 5000);
    if (throughLink) {
        QVERIFY(QFile::link(emu.portPath(), path));
        QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{path}, 5000);
    }
    QVERIFY(select.isEnabled());

    emu.stop(); // the pty goes (and a link to it dangles)
    QTRY_COMPARE_WITH_TIMEOUT(entries(select), QStringList{QString()}, 5000);
    QVERIFY(!select.isEnabled());
    qunsetenv("TAMIRA_PORT");
}

QTEST_MAIN(tst_PortSelect)
#include "tst_portselect.moc"
