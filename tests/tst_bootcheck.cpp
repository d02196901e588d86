// The start-up bootloader check on in-memory USB buses: which devices are opened, what the user
// is asked, the exact bytes of the DFU request sent to each bootloader the user agrees to, and
// the window staying alive while the transfers run on the check's own thread.

#include "cmybootcheck.h"
#include "cmyfakeusb.h"
#include "cmyscripteddialogs.h"
#include "mainwindow.h"
#include "tamiraresources.h"

#include <QApplication>
#include <QtTest>
#include <QTranslator>

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

// Answers lookups in the MainWindow context only, so a text asked in any other context stays
// Polish and the comparison fails.
class MainWindowCatalogue : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "MainWindow") != 0)
            return QString();
        if (QString::fromUtf8(sourceText) == kPolishQuestion)
            return QStringLiteral("Tamira is in DFU (firmware update) mode.\n"
                                  "Do you want to put it back to normal operating mode?");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class tst_BootCheck : public QObject
{
    Q_OBJECT

private slots:
    void noBootloaderAsksNothing();
    void answeredYesSendsStartApplication();
    void declinedEndsTheWholeCheck_data();
    void declinedEndsTheWholeCheck();
    void deviceThatCannotBeOpenedIsSkipped();
    void tamiraInNormalOperationIsNotTouched();
    void everyAcceptedBootloaderIsRestartedInListOrder();
    void questionIsTranslatedInTheMainWindowContext();
    void transfersBesideTheWindow_data();
    void transfersBesideTheWindow();
    void abandonedCheckAsksNothing();
};

void tst_BootCheck::noBootloaderAsksNothing()
{
    {
        cMyScriptedDialogs dialogs;
        cMyFakeUsb usb; // no buses at all
        QVERIFY(run(usb, nullptr));
        QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
        QVERIFY(dialogs.asked().isEmpty());
        QCOMPARE(kinds(usb), (QVector<Call::Kind>{Call::Init, Call::FindBusses, Call::FindDevices,
                                                  Call::GetBusses}));
        QVERIFY2(usb.errors().isEmpty(), qPrintable(usb.errors().join('\n')));
    }
    {
        // Near misses: the bootloader's product ID under another vendor, and Atmel devices
        // with neighbouring product IDs.
        cMyScriptedDialogs dialogs;
        cMyFakeUsb usb;
        usb.addBus();
        usb.addBus();
        usb.addDevice(0, 0x1234, kBootloader);
        usb.addDevice(0, kAtmel, 0x2FEF);
        usb.addDevice(1, kAtmel, 0x2FF1);
        usb.addDevice(1, 0x2FF0, 0x03EB);
        QVERIFY(run(usb, nullptr));
        QVERIFY(dialogs.asked().isEmpty());
        QVERIFY(usb.opened().isEmpty());
        QVERIFY(usb.calls(Call::ControlMsg).isEmpty());
    }
}

void tst_BootCheck::answeredYesSendsStartApplication()
{
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addDevice(0, 0x046D, 0xC077); // a mouse first: walked past
    struct usb_device *boot = usb.addDevice(0, kAtmel, kBootloader);
    QObject window;

    dialogs.expectMessage(cMyDialogs::Yes);
    QVERIFY(run(usb, &window));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    QCOMPARE(dialogs.asked().size(), 1);
    const cMyScriptedDialogs::Asked &q = dialogs.asked().first();
    QCOMPARE(q.kind, cMyScriptedDialogs::MessageBox);
    QCOMPARE(q.icon, cMyDialogs::Warning);
    QCOMPARE(q.title, QStringLiteral("Tamira"));
    QCOMPARE(q.text, kPolishQuestion); // no catalogue installed: the source text
    QCOMPARE(q.buttons, cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No);
    QCOMPARE(q.defaultButton, cMyDialogs::No);
    QCOMPARE(q.parent, &window);

    QCOMPARE(kinds(usb), (QVector<Call::Kind>{Call::Init, Call::FindBusses, Call::FindDevices,
                                              Call::GetBusses, Call::Open, Call::ControlMsg,
                                              Call::ControlMsg, Call::Close}));
    QCOMPARE(usb.opened(), QVector<struct usb_device *>{boot});

    const QVector<Call> transfers = usb.calls(Call::ControlMsg);
    const Call &first = transfers.at(0);
    QCOMPARE(first.device, boot);
    QCOMPARE(first.requestType, 0x21);
    QCOMPARE(first.request, 1);
    QCOMPARE(first.value, 0);
    QCOMPARE(first.index, 0);
    QCOMPARE(first.size, 5);
    QCOMPARE(first.data, QByteArray::fromHex("0403010000"));
    QCOMPARE(first.timeout, 20000);

    const Call &second = transfers.at(1);
    QCOMPARE(second.device, boot);
    QCOMPARE(second.requestType, 0x21);
    QCOMPARE(second.request, 1);
    QCOMPARE(second.value, 1);
    QCOMPARE(second.index, 0);
    QCOMPARE(second.size, 0);
    QVERIFY(second.data.isEmpty());
    QCOMPARE(second.timeout, 20000);

    QCOMPARE(usb.calls(Call::Close).first().device, boot);
    QCOMPARE(usb.openHandles(), 0);
    QVERIFY2(usb.errors().isEmpty(), qPrintable(usb.errors().join('\n')));
}

void tst_BootCheck::declinedEndsTheWholeCheck_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(cMyDialogs::No);
    QTest::newRow("box closed") << int(cMyDialogs::NoButton);
}

void tst_BootCheck::declinedEndsTheWholeCheck()
{
    QFETCH(int, answer);
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addBus();
    struct usb_device *first = usb.addDevice(0, kAtmel, kBootloader);
    usb.addDevice(1, kAtmel, kBootloader);

    dialogs.expectMessage(cMyDialogs::Button(answer)); // one question only: a second one fails
    QVERIFY(run(usb, nullptr));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().size(), 1);

    QCOMPARE(usb.opened(), QVector<struct usb_device *>{first}); // the second is not even opened
    QVERIFY(usb.calls(Call::ControlMsg).isEmpty());
    QCOMPARE(usb.calls(Call::Close).size(), 1);
    QCOMPARE(usb.calls(Call::Close).first().device, first);
    QCOMPARE(usb.openHandles(), 0);
    QVERIFY2(usb.errors().isEmpty(), qPrintable(usb.errors().join('\n')));
}

void tst_BootCheck::deviceThatCannotBeOpenedIsSkipped()
{
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    struct usb_device *locked = usb.addDevice(0, kAtmel, kBootloader, false);
    struct usb_device *next = usb.addDevice(0, kAtmel, kBootloader);

    dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Tamira"));
    QVERIFY(run(usb, nullptr));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().size(), 1); // only for the device that opened

    QCOMPARE(usb.opened(), (QVector<struct usb_device *>{locked, next}));
    const QVector<Call> transfers = usb.calls(Call::ControlMsg);
    QCOMPARE(transfers.size(), 2);
    QCOMPARE(transfers.at(0).device, next);
    QCOMPARE(transfers.at(1).device, next);
    QCOMPARE(usb.calls(Call::Close).size(), 1); // nothing to close for the refused device
    QCOMPARE(usb.openHandles(), 0);
    QVERIFY2(usb.errors().isEmpty(), qPrintable(usb.errors().join('\n')));
}

void tst_BootCheck::tamiraInNormalOperationIsNotTouched()
{
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    struct usb_device *tamira = usb.addDevice(0, kAtmel, kTamira);
    struct usb_device *boot = usb.addDevice(0, kAtmel, kBootloader);
    usb.addDevice(0, kAtmel, kTamira);

    dialogs.expectMessage(cMyDialogs::Yes);
    QVERIFY(run(usb, nullptr));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    QCOMPARE(usb.opened(), QVector<struct usb_device *>{boot});
    for (const Call &c : usb.calls())
        QVERIFY(c.device != tamira);
    QCOMPARE(usb.calls(Call::ControlMsg).size(), 2);
}

void tst_BootCheck::everyAcceptedBootloaderIsRestartedInListOrder()
{
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addBus();
    usb.addBus();
    // Added out of bus order: the walk follows the bus list, then each bus's device list.
    struct usb_device *c = usb.addDevice(2, kAtmel, kBootloader);
    struct usb_device *a1 = usb.addDevice(0, kAtmel, kBootloader);
    struct usb_device *a2 = usb.addDevice(0, kAtmel, kBootloader);

    dialogs.expectMessage(cMyDialogs::Yes);
    dialogs.expectMessage(cMyDialogs::Yes);
    dialogs.expectMessage(cMyDialogs::Yes);
    QVERIFY(run(usb, nullptr));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));

    const QVector<struct usb_device *> order{a1, a2, c};
    QCOMPARE(usb.opened(), order);
    const QVector<Call> transfers = usb.calls(Call::ControlMsg);
    QCOMPARE(transfers.size(), 6);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(transfers.at(2 * i).device, order.at(i));
        QCOMPARE(transfers.at(2 * i).value, 0);
        QCOMPARE(transfers.at(2 * i + 1).device, order.at(i));
        QCOMPARE(transfers.at(2 * i + 1).value, 1);
    }
    // Each handle is closed before the next device is opened.
    QVector<Call::Kind> perDevice;
    for (const Call &call : usb.calls())
        if (call.kind == Call::Open || call.kind == Call::Close)
            perDevice.append(call.kind);
    QCOMPARE(perDevice, (QVector<Call::Kind>{Call::Open, Call::Close, Call::Open, Call::Close,
                                             Call::Open, Call::Close}));
    QCOMPARE(usb.openHandles(), 0);
}

void tst_BootCheck::questionIsTranslatedInTheMainWindowContext()
{
    MainWindowCatalogue catalogue;
    QVERIFY(QCoreApplication::installTranslator(&catalogue));
    cMyScriptedDialogs dialogs;
    cMyFakeUsb usb;
    usb.addBus();
    usb.addDevice(0, kAtmel, kBootloader);

    dialogs.expectMessage(cMyDialogs::No);
    QVERIFY(run(usb, nullptr));
    QCoreApplication::removeTranslator(&catalogue);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().first().text,
             QStringLiteral("Tamira is in DFU (firmware update) mode.\n"
                            "Do you want to put it back to normal operating mode?"));
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
    QVERIFY2(usb.errors().isEmpty(), qPrintable(usb.errors().join('\n')));
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

// A window needs the application's resources; the catalogue stays out, so the question is
// compared in Polish except where a test installs its own.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initTamiraResources();
    tst_BootCheck tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_bootcheck.moc"
