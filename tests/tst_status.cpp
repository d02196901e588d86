// The device's status: the reads that a port choice, the overview page and its button start
// (none while a simulation runs), what the overview and the status dialog show of a report, and
// the box about a device in its bootloader.

#include "app/cmyfaultbanner.h"
#include "app/cmytamirastatus.h"
#include "app/mainwindow.h"
#include "device/cmytamira.h"
#include "device/portdiscovery.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/contrast.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"

#include <QLabel>
#include <QLayout>
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
    void faultFromTheDevice();

private:
    static QStringList rows(cMyTamiraStatus *d)
    {
        QStringList out;
        for (const char *name : {"lSelfTest", "lPressureSensor", "lAudioCodec", "lFlashMemory", "lSetup",
                                 "lSoundLibrary", "lCustomMessages", "lFirmware"})
            out << d->findChild<QLabel *>(name)->text();
        return out;
    }
    // The contrast (WCAG) of a label's brightest drawn pixel against the dialog's background.
    static double contrast(QDialog *dialog, QLabel *label)
    {
        dialog->layout()->activate();
        const QImage image = dialog->grab().toImage();
        const QRect r(label->mapTo(dialog, QPoint(0, 0)) * image.devicePixelRatio(),
                      label->size() * image.devicePixelRatio());
        double text = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                text = std::max(text, Contrast::luminance(image.pixel(x, y)));
        return Contrast::ratio(text, Contrast::luminance(image.pixel(1, 1)));
    }
    static QStringList report(const QString &flags)
    {
        return {flags,     "12.3 m",  "1:02:05", "4660",     "1.2.3.4",           "4", "1.2.0.0", "English",
                "2.1.0.0", "1.0.5.0", "Ala",     "Training", "Line one\nLine two"};
    }
};

void tst_Status::flagsGiveTheRows_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("overview");
    QTest::addColumn<QList<int>>("failed"); // the rows marked
    QTest::addColumn<QString>("banner");    // what the overview's warning names; none: hidden
    const QString ok = "OK";
    QTest::newRow("1") << "1" << QStringList{"Self-test... Passed", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Passed"
                       << QList<int>() << QString();
    QTest::newRow("0") << "0" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Error"
                       << QList<int>{0} << "Tamira does not work";
    QTest::newRow("255")
        << "255" << QStringList{"Self-test... Passed", "Faulty", "Faulty", "Faulty", "Error", "Error", "Error", "Error"}
        << "Self-test: Passed" << QList<int>{1, 2, 3, 4, 5, 6, 7}
        << "pressure sensor, audio codec, FLASH memory, setup, sound library, custom messages library, firmware";
    QTest::newRow("128") << "128" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"}
                         << "Self-test: Error" << QList<int>{0, 7} << "Tamira does not work, firmware";
    QTest::newRow("384") << "384" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"}
                         << "Self-test: Error" << QList<int>{0, 7} << "Tamira does not work, firmware";
    QTest::newRow("not a number") << "x1" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok}
                                  << "Self-test: Error" << QList<int>{0} << "Tamira does not work";
    QTest::newRow("bit 2 and 5") << "36" << QStringList{"Self-test... Error", ok, "Faulty", ok, ok, "Error", ok, ok}
                                 << "Self-test: Error" << QList<int>{0, 2, 5}
                                 << "Tamira does not work, audio codec, sound library";
}

void tst_Status::flagsGiveTheRows()
{
    QFETCH(QString, flags);
    QFETCH(QStringList, expected);
    QFETCH(QString, overview);
    QFETCH(QList<int>, failed);
    QFETCH(QString, banner);
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    auto *dialog = w.findChild<cMyTamiraStatus *>();
    QCOMPARE(rows(dialog).first(), QString("Self-test... Error")); // nothing received yet, nothing marked
    QVERIFY(dialog->findChild<QLabel *>("lFaultMark0")->isHidden());
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

    // Each failed row is marked with an icon and a colour that reads on the black; the others
    // stay as they were (grey, 5.3:1).
    const QStringList names{"lSelfTest", "lPressureSensor", "lAudioCodec",     "lFlashMemory",
                            "lSetup",    "lSoundLibrary",   "lCustomMessages", "lFirmware"};
    const QStringList captions{"Tamira:",        "Pressure sensor:",         "Audio codec:", "FLASH:", "Setup:",
                               "Sound library:", "Custom messages library:", "Firmware:"};
    for (int row = 0; row < names.size(); ++row) {
        auto *value = dialog->findChild<QLabel *>(names.at(row));
        auto *mark = dialog->findChild<QLabel *>(QString("lFaultMark%1").arg(row));
        QCOMPARE(!mark->isHidden(), failed.contains(row));
        const double c = contrast(dialog, value);
        QVERIFY2(failed.contains(row) ? c >= 7 : c < 6, qPrintable(QString("row %1: %2").arg(row).arg(c)));
        if (failed.contains(row))
            QVERIFY2(contrast(dialog, mark) >= 7, qPrintable(QString::number(contrast(dialog, mark))));
        // A screen reader hears the fault in its row, and meets the mark right after the value.
        QCOMPARE(AccessibleNames::of(value),
                 captions.at(row) + " " + expected.at(row) + (failed.contains(row) ? ", fault" : ""));
        QAccessibleInterface *group = QAccessible::queryAccessibleInterface(value->parentWidget());
        QCOMPARE(group->indexOfChild(QAccessible::queryAccessibleInterface(mark)),
                 group->indexOfChild(QAccessible::queryAccessibleInterface(value)) + 1);
    }
    auto *warning = w.findChild<cMyFaultBanner *>();
    QCOMPARE(!warning->isHidden(), !banner.isEmpty());
    if (!banner.isEmpty())
        QCOMPARE(warning->text(), "Tamira's self-test found a fault: " + banner
                                      + ".\nDo not use Tamira for diving until it has been serviced.");
}

void tst_Status::reportFillsTheOverview()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    w.newStatusRead(report("129"));
    const auto text = [&](const char *name) { return w.findChild<QLabel *>(name)->text(); };
    const QList<QPair<const char *, QString>> labels{
        {"lmaxDepth", "12.3 m"},         {"lDiveTime", "1:02:05"},     {"lSerialNumber", "4660"},
        {"lHardwareVesrion", "1.2.3.4"}, {"lMemoryAmount", "4 MB"},    {"lFirmwareVersion", "1.2.0.0"},
        {"lVoiceLang", "English"},       {"lVoiceVersion", "2.1.0.0"}, {"lParamVersion", "1.0.5.0"},
        {"lParamAutor", "Ala"},          {"lParamTytul", "Training"}};
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

void tst_Status::faultFromTheDevice()
{
    // The pressure sensor's flag, from the device itself: told on the overview and in the dialog.
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--flags", "3"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    emu.offerAsTamira();
    MainWindow w;
    w.link()->setFirstStatusDelay(0);
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    QVERIFY(status.wait(10000));
    auto *warning = w.findChild<cMyFaultBanner *>();
    QVERIFY(!warning->isHidden());
    QCOMPARE(warning->text(), QString("Tamira's self-test found a fault: pressure sensor.\n"
                                      "Do not use Tamira for diving until it has been serviced."));
    QVERIFY(!w.findChild<QLabel *>("lFaultMark1")->isHidden());
    QVERIFY(w.findChild<QLabel *>("lFaultMark0")->isHidden());

    // Repaired: the next read takes the warning away. Unplugged: no device, no warning.
    QCOMPARE(emu.control("flags 1"), QString("ok"));
    w.findChild<QPushButton *>("pbGetStatus")->click();
    QVERIFY(status.wait(10000));
    QVERIFY(warning->isHidden());
    QCOMPARE(emu.control("flags 0x81"), QString("ok"));
    w.findChild<QPushButton *>("pbGetStatus")->click();
    QVERIFY(status.wait(10000));
    QVERIFY(!warning->isHidden());
    PortDiscovery::setSource([] { return QList<SerialPortEntry>(); });
    QVERIFY(waitUntil([&] { return w.link()->portName().isEmpty(); }, 10000));
    QVERIFY(warning->isHidden());
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
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
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.asked().size(), 1, 30000);
    const cMyScriptedDialogs::Asked box = dialogs.asked().first();
    const QString indent = "\n" + QString(27, ' ');
    QCOMPARE(
        box.text,
        QString::fromUtf8("Tamira znajduje się w trybie serwisowym.") + indent
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
