// The device's status: the reads that a port choice, the overview page and its button start
// (none while a simulation runs), what the overview and the status dialog show of a report, and
// the box about a device in its bootloader.

#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "device/cmytamira.h"
#include "app/cmytamirastatus.h"
#include "app/mainwindow.h"
#include "device/portdiscovery.h"
#include "tests/support/tamiratestapp.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

class tst_Status : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false")); }
    void cleanup() { PortDiscovery::setSource({}); }
    void overviewPageReadsTheStatus();
    void bootModeBox();
    void flagsGiveTheRows_data();
    void flagsGiveTheRows();
    void reportFillsTheOverview();

private:
    static QStringList rows(cMyTamiraStatus *d)
    {
        QStringList out;
        for (const char *name : {"lSelfTest", "lPressureSensor", "lAudioCodec", "lFlashMemory",
                                 "lSetup", "lSoundLibrary", "lCustomMessages", "lFirmware"})
            out << d->findChild<QLabel *>(name)->text();
        return out;
    }
    static QStringList report(const QString &flags)
    {
        return {flags, "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.2.0.0", "English",
                "2.1.0.0", "1.0.5.0", "Ala", "Training", "Line one\nLine two"};
    }
};

void tst_Status::flagsGiveTheRows_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("overview");
    const QString ok = "OK";
    QTest::newRow("1") << "1" << QStringList{"Self-test... Passed", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Passed";
    QTest::newRow("0") << "0" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Error";
    QTest::newRow("255") << "255"
                         << QStringList{"Self-test... Passed", "Faulty", "Faulty", "Faulty", "Error", "Error", "Error", "Error"}
                         << "Self-test: Passed";
    QTest::newRow("128") << "128" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"} << "Self-test: Error";
    QTest::newRow("384") << "384" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"} << "Self-test: Error";
    QTest::newRow("not a number") << "x1" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Error";
    QTest::newRow("bit 2 and 5") << "36" << QStringList{"Self-test... Error", ok, "Faulty", ok, ok, "Error", ok, ok} << "Self-test: Error";
}

void tst_Status::flagsGiveTheRows()
{
    QFETCH(QString, flags);
    QFETCH(QStringList, expected);
    QFETCH(QString, overview);
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    auto *dialog = w.findChild<cMyTamiraStatus *>();
    QCOMPARE(rows(dialog).first(), QString("Self-test... Error")); // nothing received yet
    // The report comes while the dialog is open, and shows at once.
    QStringList seen;
    QTimer::singleShot(0, [&] {
        w.newStatusRead(report(flags));
        seen = rows(dialog);
        dialog->findChild<QPushButton *>("pbClose")->click();
    });
    w.findChild<QPushButton *>("pbDetails")->click(); // runs the dialog modally
    QVERIFY(!dialog->isVisible());
    QCOMPARE(seen, expected);
    QCOMPARE(w.findChild<QLabel *>("lTamiraStatus")->text(), overview);
    QCOMPARE(dialog->windowTitle(), QString("Device status"));
    QVERIFY(dialog->styleSheet().contains("background-color: black"));
}

void tst_Status::reportFillsTheOverview()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    w.newStatusRead(report("129"));
    const auto text = [&](const char *name) { return w.findChild<QLabel *>(name)->text(); };
    const QList<QPair<const char *, QString>> labels{
        {"lmaxDepth", "12.3 m"}, {"lDiveTime", "1:02:05"}, {"lSerialNumber", "4660"}, {"lHardwareVesrion", "1.2.3.4"},
        {"lMemoryAmount", "4 MB"}, {"lFirmwareVersion", "1.2.0.0"}, {"lVoiceLang", "English"}, {"lVoiceVersion", "2.1.0.0"},
        {"lParamVersion", "1.0.5.0"}, {"lParamAutor", "Ala"}, {"lParamTytul", "Training"}};
    for (const auto &label : labels)
        QCOMPARE(text(label.first), label.second);
    QCOMPARE(w.findChild<QPlainTextEdit *>("pteParamDesc")->toPlainText(), QString("Line one\nLine two"));

    // The port going away resets the overview (tst_mainwindow); the dialog keeps the last flags.
    w.portChanged(QString());
    QCOMPARE(rows(w.findChild<cMyTamiraStatus *>()).first(), QString("Self-test... Passed"));
    QCOMPARE(rows(w.findChild<cMyTamiraStatus *>()).last(), QString("Error"));

    // A short report (never sent by the link, but outside data all the same) does no harm.
    w.newStatusRead({"1"});
    QCOMPARE(text("lMemoryAmount"), QString(" MB"));
}


void tst_Status::overviewPageReadsTheStatus()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    emu.offerAsTamira();
    MainWindow w;
    cMyTamira *link = w.link();
    link->setFirstStatusDelay(0);
    QSignalSpy status(link, &cMyTamira::statusChanged);
    QVERIFY(status.wait(10000));
    QCOMPARE(link->portName(), emu.portPath());
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");

    // Every read starts at once, so whether a page change started one shows right after it.
    for (int page : {1, 2, 3}) {
        tabs->setCurrentIndex(page);
        QVERIFY2(!link->isBusy(), qPrintable(QString::number(page)));
    }
    tabs->setCurrentIndex(0);
    QVERIFY(link->isBusy());
    QVERIFY(status.wait(5000));
    QCOMPARE(emu.receivedLines().size(), 2 * 93);

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
    QCOMPARE(emu.receivedLines().size(), 4 * 93);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Status::bootModeBox()
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

TAMIRA_GUI_TEST_MAIN(tst_Status)
#include "tst_status.moc"
