// The start-up bootloader check on in-memory USB buses: which devices are opened, what the user
// is asked, the exact bytes of the DFU request sent to each bootloader the user agrees to, and
// the window staying alive while the transfers run on the check's own thread.

#include "app/cmynodevicepanel.h"
#include "app/cmyportselect.h"
#include "app/mainwindow.h"
#include "bootcheck/cmybootcheck.h"
#include "bootcheck/cmyusbfallback.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyfakeusb.h"
#include "tests/support/cmyscripteddialogs.h"

#include <QApplication>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

using Call = cMyFakeUsb::Call;

namespace {

constexpr quint16 kAtmel = 0x03EB;
constexpr quint16 kBootloader = 0x2FF0;
constexpr quint16 kTamira = 0x2018;

const QString kPolishQuestion =
    QString::fromUtf8("Wykryto Tamirę w trybie aktualizacji firmware.\nCzy przywrócić ją do pracy?");

// Runs the check as the window does, on its own thread, and waits for its end.
bool run(cMyUsb &usb, QObject *dialogParent)
{
    cMyBootCheck check(usb, dialogParent);
    QSignalSpy finished(&check, &cMyBootCheck::finished);
    check.start();
    return finished.wait(10000);
}

QVector<Call::Kind> kinds(const cMyFakeUsb &usb)
{
    QVector<Call::Kind> out;
    for (const Call &c : usb.calls())
        out.append(c.kind);
    return out;
}

} // namespace

// One USB device on an in-memory bus.
struct Device
{
    int bus;
    quint16 vendor, product;
    bool openable;
};
Q_DECLARE_METATYPE(QVector<Device>)

class tst_BootCheck : public QObject
{
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
    void questionInEnglish();
    void transfersBesideTheWindow_data();
    void transfersBesideTheWindow();
    void abandonedCheckAsksNothing();
    void secondLayer_data();
    void secondLayer();
    void unreachableBootloader();
};

void tst_BootCheck::walk_data()
{
    QTest::addColumn<int>("buses");
    QTest::addColumn<QVector<Device>>("devices");
    QTest::addColumn<QVector<int>>("answers");
    QTest::addColumn<QString>("calls"); // after usb_init, usb_find_busses, usb_find_devices, usb_get_busses
    const Device boot0{0, kAtmel, kBootloader, true}, boot1{1, kAtmel, kBootloader, true},
        tamira{0, kAtmel, kTamira, true};
    const QString restart = "open %1, send %1, send %1, close %1";
    QTest::newRow("no buses") << 0 << QVector<Device>{} << QVector<int>{} << "";
    QTest::newRow("near misses") << 2
                                 << QVector<Device>{{0, 0x1234, kBootloader, true},
                                                    {0, kAtmel, 0x2FEF, true},
                                                    {1, kAtmel, 0x2FF1, true},
                                                    {1, 0x2FF0, kAtmel, true}}
                                 << QVector<int>{} << "";
    QTest::newRow("Yes, past a mouse") << 1 << QVector<Device>{{0, 0x046D, 0xC077, true}, boot0}
                                       << QVector<int>{cMyDialogs::Yes} << restart.arg(2);
    QTest::newRow("No ends the check") << 2 << QVector<Device>{boot0, boot1} << QVector<int>{cMyDialogs::No}
                                       << "open 1, close 1";
    QTest::newRow("box closed ends the check")
        << 2 << QVector<Device>{boot0, boot1} << QVector<int>{cMyDialogs::NoButton} << "open 1, close 1";
    QTest::newRow("one that does not open is skipped") << 1 << QVector<Device>{{0, kAtmel, kBootloader, false}, boot0}
                                                       << QVector<int>{cMyDialogs::Yes} << "open 1, " + restart.arg(2);
    QTest::newRow("Tamiras in normal operation untouched")
        << 1 << QVector<Device>{tamira, boot0, tamira} << QVector<int>{cMyDialogs::Yes} << restart.arg(2);
    // Added out of bus order: the walk follows the bus list, then each bus's device list.
    QTest::newRow("every bootloader in list order")
        << 3 << QVector<Device>{{2, kAtmel, kBootloader, true}, boot0, boot0}
        << QVector<int>{cMyDialogs::Yes, cMyDialogs::Yes, cMyDialogs::Yes}
        << restart.arg(2) + ", " + restart.arg(3) + ", " + restart.arg(1);
}

void tst_BootCheck::walk()
{
    QFETCH(int, buses);
    QFETCH(QVector<Device>, devices);
    QFETCH(QVector<int>, answers);
    QFETCH(QString, calls);
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    for (int i = 0; i < buses; ++i)
        usb.addBus();
    QVector<cMyUsbDevice *> added;
    for (const Device &d : devices)
        added << usb.addDevice(d.bus, d.vendor, d.product, d.openable);
    for (int answer : answers)
        dialogs.expectMessage(cMyDialogs::Button(answer)); // one more question fails
    QObject window;
    QVERIFY(run(usb, &window));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    for (const cMyScriptedDialogs::Asked &q : dialogs.asked()) {
        QCOMPARE(q.kind, cMyScriptedDialogs::MessageBox);
        QCOMPARE(q.icon, cMyDialogs::Warning);
        QCOMPARE(q.title, QStringLiteral("Tamira"));
        QCOMPARE(q.text, kPolishQuestion); // no catalogue installed: the source text
        QCOMPARE(q.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
        QCOMPARE(q.defaultButton, cMyDialogs::No);
        QCOMPARE(q.parent, &window);
    }
    const char *names[] = {"init", "busses", "devices", "list", "open", "send", "close"};
    QStringList made;
    int transfers = 0;
    for (const Call &c : usb.calls()) {
        made << QString::fromLatin1(names[c.kind])
                    + (c.device ? QString(" %1").arg(added.indexOf(c.device) + 1) : QString());
        if (c.kind != Call::ControlMsg)
            continue;
        // The start-application request, then the empty download that carries it out.
        const bool first = transfers++ % 2 == 0;
        QCOMPARE((QVector<int>{c.requestType, c.request, c.value, c.index, c.size, c.timeout}),
                 (QVector<int>{0x21, 1, first ? 0 : 1, 0, first ? 5 : 0, 20000}));
        QCOMPARE(c.data, first ? QByteArray::fromHex("0403010000") : QByteArray());
    }
    QCOMPARE(made.join(", "), QString("init, busses, devices, list") + (calls.isEmpty() ? "" : ", " + calls));
}

void tst_BootCheck::questionInEnglish()
{
    QTranslator catalogue;
    QVERIFY(installEnglishCatalogue(catalogue));
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addDevice(0, kAtmel, kBootloader);
    dialogs.expectMessage(cMyDialogs::No);
    QVERIFY(run(usb, nullptr));
    QCoreApplication::removeTranslator(&catalogue);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().first().text,
             QStringLiteral(
                 "Tamira is in DFU (firmware update) mode.\nDo you want to put it back to normal operating mode?"));
}

void tst_BootCheck::transfersBesideTheWindow_data()
{
    QTest::addColumn<int>("result");
    QTest::newRow("succeeded") << 5;
    QTest::newRow("failed (stall)") << -32;
    QTest::newRow("timed out") << -110;
}

void tst_BootCheck::transfersBesideTheWindow()
{
    QFETCH(int, result);
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.setTransferResult(usb.addDevice(0, kAtmel, kBootloader), result);
    usb.addDevice(0, kAtmel, kBootloader);
    usb.holdTransfers();
    cMyUsb::install(&usb);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Tamira"));
    dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Tamira"));
    QVERIFY(QMetaObject::invokeMethod(&w, "checkBootDevices"));
    QSignalSpy finished(w.findChild<cMyBootCheck *>(), &cMyBootCheck::finished);

    // The first transfer hangs as a silent bootloader's would, for up to 20 s: the window goes on.
    QTRY_COMPARE_WITH_TIMEOUT(usb.transfersWaiting(), 1, 10000);
    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    usb.releaseTransfers();
    QVERIFY(finished.wait(10000));
    cMyUsb::install(nullptr);
    // Nothing is reported and nothing stops: the second transfer and the next device follow.
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().first().parent, &w);
    const QVector<Call::Kind> perDevice{Call::Open, Call::ControlMsg, Call::ControlMsg, Call::Close};
    QCOMPARE(kinds(usb).mid(4), perDevice + perDevice);
}

void tst_BootCheck::abandonedCheckAsksNothing()
{
    // The window goes before the question could be asked: No for the user, the device left alone.
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addDevice(0, kAtmel, kBootloader);
    usb.addDevice(0, kAtmel, kBootloader);
    cMyBootCheck(usb, nullptr).start();
    QTRY_COMPARE_WITH_TIMEOUT(usb.closes(), 1, 10000);
    QCOMPARE(kinds(usb).mid(4), (QVector<Call::Kind>{Call::Open, Call::Close}));
    QVERIFY(dialogs.asked().isEmpty());
}

void tst_BootCheck::secondLayer_data()
{
    // Bootloaders as the first layer lists them (each opens or not), devices of the second layer
    // (product, opens or not); then the questions asked, the transfers through each layer and
    // the bootloaders that neither layer opened.
    QTest::addColumn<QVector<bool>>("first");
    QTest::addColumn<QVector<QPair<int, bool>>>("second");
    QTest::addColumn<QVector<int>>("expected"); // questions, sent by first, sent by second, unopened
    using Second = QVector<QPair<int, bool>>;
    QTest::newRow("the first opens it") << QVector<bool>{true} << Second{{kBootloader, true}}
                                        << QVector<int>{1, 2, 0, 0};
    QTest::newRow("the second opens what the first cannot")
        << QVector<bool>{false} << Second{{kBootloader, true}} << QVector<int>{1, 0, 2, 0};
    QTest::newRow("neither opens it") << QVector<bool>{false} << Second{{kBootloader, false}}
                                      << QVector<int>{0, 0, 0, 1};
    QTest::newRow("no second layer (no libusb0.dll)") << QVector<bool>{false} << Second{} << QVector<int>{0, 0, 0, 1};
    QTest::newRow("one stand-in for one bootloader")
        << QVector<bool>{false, false} << Second{{kBootloader, true}} << QVector<int>{1, 0, 2, 1};
    QTest::newRow("a Tamira is no stand-in")
        << QVector<bool>{false} << Second{{kTamira, true}} << QVector<int>{0, 0, 0, 1};
}

void tst_BootCheck::secondLayer()
{
    QFETCH(QVector<bool>, first);
    using Second = QVector<QPair<int, bool>>;
    QFETCH(Second, second);
    QFETCH(QVector<int>, expected);
    cMyFakeUsb one, two;
    one.addBus();
    two.addBus();
    for (bool opens : first)
        one.addDevice(0, kAtmel, kBootloader, opens);
    for (const auto &device : second)
        two.addDevice(0, kAtmel, quint16(device.first), device.second);
    cMyUsbFallback usb(one, two);
    cMyScriptedDialogs dialogs;
    for (int i = 0; i < expected[0]; ++i)
        dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Tamira"));
    cMyBootCheck check(usb, nullptr);
    QSignalSpy finished(&check, &cMyBootCheck::finished);
    check.start();
    QVERIFY(finished.wait(10000));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    const auto sent = [](const cMyFakeUsb &layer) { return int(kinds(layer).count(Call::ControlMsg)); };
    QCOMPARE((QVector<int>{int(dialogs.asked().size()), sent(one), sent(two), check.seen().unopened}), expected);
    QCOMPARE(check.seen().listed, first.size());
    // Every handle either layer gave out is closed again, by that layer.
    QCOMPARE(one.closes(), expected[1] / 2);
    QCOMPARE(two.closes(), expected[2] / 2);
}

void tst_BootCheck::unreachableBootloader()
{
    // A bootloader that no layer opens: one box each time it is plugged in, and the overview's
    // panel names it for as long as it stays.
    QTranslator catalogue;
    QVERIFY(installEnglishCatalogue(catalogue));
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    cMyUsbDevice *boot = usb.addDevice(0, kAtmel, kBootloader, false);
    cMyUsb::install(&usb);
    MainWindow w;
    auto *panel = w.findChild<cMyNoDevicePanel *>();
    auto *ports = w.findChild<cMyPortSelect *>();
    QVERIFY(panel && ports);
    const QString text = "A Tamira is connected in its firmware-update mode, but the system does not let TAMIRAdesk "
                         "talk to it.\n\nInstall the program's udev rules (the package installs them itself), then "
                         "unplug it and plug it in again.";
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Tamira"));
    QVERIFY(QMetaObject::invokeMethod(&w, "checkBootDevices"));
    QTRY_COMPARE_WITH_TIMEOUT(panel->title(), QStringLiteral("Tamira in firmware-update mode"), 10000);
    QCOMPARE(dialogs.asked().size(), 1);
    QCOMPARE(dialogs.asked().first().icon, cMyDialogs::Warning);
    QCOMPARE(dialogs.asked().first().text, text);
    QVERIFY(panel->findChild<QLabel *>("lNoDevice")->text() == text);

    // Devices change while it stays: no second box. Unplugged: the panel is as before.
    QVERIFY(QMetaObject::invokeMethod(ports, "devicesMayHaveChanged"));
    usb.setPlugged(boot, false);
    QVERIFY(QMetaObject::invokeMethod(ports, "devicesMayHaveChanged"));
    QTRY_COMPARE_WITH_TIMEOUT(panel->title(), QStringLiteral("No Tamira found"), 10000);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    // Plugged in again: the box again.
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Tamira"));
    usb.setPlugged(boot, true);
    QVERIFY(QMetaObject::invokeMethod(ports, "devicesMayHaveChanged"));
    QTRY_COMPARE_WITH_TIMEOUT(panel->title(), QStringLiteral("Tamira in firmware-update mode"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.clean(), 10000);
    QCoreApplication::removeTranslator(&catalogue);
    cMyUsb::install(nullptr);
}

// A window needs the application's resources; the catalogue stays out, so the question is
// compared in Polish except where a test installs it.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initTamiraResources();
    tst_BootCheck tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_bootcheck.moc"
