// The main window and the device link: the status reads of a port choice, of the overview page
// and of its button, the simulation holding them off, and the boot-mode box.

#include "cmyemulatorprocess.h"
#include "cmyscripteddialogs.h"
#include "cmytamira.h"
#include "mainwindow.h"
#include "portdiscovery.h"
#include "tamiratestapp.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

constexpr int kStatusLines = 93;

SerialPortEntry tamiraPort(const QString &path)
{
    return SerialPortEntry{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira};
}

} // namespace

class tst_WindowLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { PortDiscovery::setSource({}); }
    void overviewPageReadsTheStatus();
    void bootModeBox();
};

void tst_WindowLink::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
}

void tst_WindowLink::overviewPageReadsTheStatus()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    const QString path = emu.portPath();
    PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path)}; });
    MainWindow w;
    cMyTamira *link = w.link();
    link->setFirstStatusDelay(0);
    QSignalSpy status(link, &cMyTamira::statusChanged);
    QVERIFY(status.wait(10000));
    QCOMPARE(link->portName(), path);
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");

    // Every read starts at once, so whether a page change started one shows right after it.
    for (int page : {1, 2, 3}) {
        tabs->setCurrentIndex(page);
        QVERIFY2(!link->isBusy(), qPrintable(QString::number(page)));
    }
    tabs->setCurrentIndex(0);
    QVERIFY(link->isBusy());
    QVERIFY(status.wait(5000));
    QCOMPARE(emu.receivedLines().size(), 2 * kStatusLines);

    // The refresh button asks too.
    w.findChild<QPushButton *>("pbGetStatus")->click();
    QVERIFY(link->isBusy());
    QVERIFY(status.wait(5000));

    // While a simulation runs page changes ask nothing; afterwards once per return.
    w.simulationInProgress(true);
    tabs->setCurrentIndex(3);
    tabs->setCurrentIndex(0);
    QVERIFY(!link->isBusy());
    tabs->setCurrentIndex(3);
    w.simulationInProgress(false);
    w.simulationInProgress(false);
    tabs->setCurrentIndex(0);
    QVERIFY(link->isBusy());
    QVERIFY(status.wait(5000));
    QCOMPARE(status.size(), 4);
    // A second read started by the same change would have met the busy port and its box.
    QCOMPARE(emu.receivedLines().size(), 4 * kStatusLines);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_WindowLink::bootModeBox()
{
    cMyScriptedDialogs dialogs;
    bool bootloader = false;
    PortDiscovery::setSource([&bootloader] {
        QList<SerialPortEntry> ports;
        if (bootloader)
            ports << SerialPortEntry{QStringLiteral("ttyACM3"), true, PortDiscovery::kVendorAtmel,
                                     PortDiscovery::kProductBootloader};
        return ports;
    });
    MainWindow w;
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    bootloader = true;
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.asked().size(), 1, 2000);
    const cMyScriptedDialogs::Asked box = dialogs.asked().first();
    const QString indent = "\n" + QString(27, ' ');
    QCOMPARE(box.text, QString::fromUtf8("Tamira znajduje się w trybie serwisowym.") + indent
                           + QString::fromUtf8("Kontynuacja możliwa tylko z poziomu zewnętrznego oprogramowania FLIP firmy ATMEL.")
                           + indent
                           + QString::fromUtf8("Wyjście z trybu serwisowego za pomocą [Start Application] (na formularzu FLIP).")
                           + indent + QString::fromUtf8("Dalsze informacje w pliku Pomocy"));
    QCOMPARE(box.icon, cMyDialogs::Critical);
    QCOMPARE(box.buttons, cMyDialogs::Buttons(cMyDialogs::Ok));
    QCOMPARE(box.parent, &w);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

TAMIRA_GUI_TEST_MAIN(tst_WindowLink)
#include "tst_windowlink.moc"
