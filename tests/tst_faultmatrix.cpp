// Every fault the emulator can put on the line against every kind of transaction the two
// programs run, through their real windows. In each cell the transaction either ends with the
// exact right result or the failure is reported once (a box, or the status bar where the program
// has no box for it), nothing is changed that a failure must leave alone, nothing hangs past the
// time-outs, and a clean transaction of the same kind on the same port succeeds afterwards.

#include "base/cmyhexrecord.h"
#include "device/cmytamira.h"
#include "device/portdiscovery.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "simulation/cmysimprofile.h"
#include "simulation/cmysimwidget.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"
// Both programs have a MainWindow; each header by its own folder.
#include "app/mainwindow.h"
#include "servicetool/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

#include <memory>

namespace {

enum Kind { SettingsRead, SettingsWrite, StatusRead, LibraryWrite, Command, Simulation, ServiceRead, ServiceWrite };
enum Fault {
    Slow,
    Silence,
    Split,
    NulInside,
    NulAfter,
    Bang,
    BadChecksum,
    WrongEcho,
    HangUp,
    Late,
    Cancel,
    EndlessBangs,
    EndlessBytes
};

// Where a kind's fault goes, counted from its first line: in the middle of its data.
const int kFaultLine[] = {
    4 + 32,          // the 32nd of the 64 records asked for
    6 + 69 + 4 + 32, // past the serial number and the backup: the 32nd record written
    68,              // the OTP record: serial number, hardware version, memory size
    93 + 4 + 5,      // past the status read for the memory size: the library's 5th line
    1,               // "#CLEAR"
    4 + 17 + 1,      // the second cycle's read of the absolute pressure
    4 + 2,           // the second of four requests
    4 + 2,           // the second of four records
};
// Transactions of a kind that goes well (the window's kinds); a settings write and a library
// upload end by reading the status again.
const int kTransactions[] = {1, 5, 1, 3, 1};
// What a failure of the kind means, said in its box after the failure itself.
const char *const kNote[] = {"\nThe settings in the program were not changed.",
                             "\nTamira may now hold incomplete settings; write them again.",
                             "",
                             "\nThe sound library in Tamira may be incomplete; upload it again.",
                             "",
                             "",
                             "",
                             ""};
// Rows that expect a time-out get a short one, the others one that a loaded machine never reaches.
constexpr int kShortMs = 1000;
constexpr int kLongMs = 30000;

const QStringList kEmulator{"--keep-unread", "--flags",  "1",         "--max-depth", "1234",
                            "--dive-time",   "3725",     "--serial",  "4660",        "--hardware",
                            "1.2.3.4",       "--memory", "4",         "--firmware",  "1.2.0.0",
                            "--language",    "English",  "--library", "2.1.0.7"};
const QStringList kStatus{"1",       "12.3 m",  "1:02:05", "4660", "1.2.3.4", "4",   "1.2.0.0",
                          "English", "2.1.0.7", "1.0.5.0", "Ala",  "Trening", "Opis"};
// OTP 0..7 in records of two bytes: serial 4660, hardware 1.2.3.4, 4 MB, one never-written byte.
const QString kOtpRecords = ":020000003412B8\n:020002000102F9\n:020004000304F3\n:0200060004FFF5\n";
const QStringList kServiceRecords{":0400100001020304E2", ":0400140005060708CE", ":04001800090A0B0CBA",
                                  ":04001C000D0E0F10A6"};

// One cell: the emulator, the program of the kind on its port, what the program reported.
struct Cell
{
    Cell(Kind k, const QString &e, const QStringList &l) : kind(k), eeprom(e), library(l) {}

    Kind kind;
    const QString &eeprom;
    const QStringList &library; // the file, then its lines
    cMyScriptedDialogs dialogs;
    std::unique_ptr<cMyEmulatorProcess> emu;
    std::unique_ptr<MainWindow> desk;
    std::unique_ptr<servicetool::MainWindow> service;
    std::unique_ptr<QSignalSpy> ended, status, statusBar, serviceEnded;
    int firstLine = 0;           // lines the device had received when the transaction started
    bool clearingAgreed = false; // the simulation asks before its first run clears the statistics
    QVector<quint8> imageBefore;
    bool modifiedBefore = false;

    cMySimWidget *page() const { return desk->findChild<cMySimWidget *>("simWidget"); }
    int lines() { return emu->stateFigure("lines"); }

    // A device on a new port, and the program on it (after the status read of the port choice).
    bool plugIn()
    {
        if (desk) {
            // Unplugged first: a device that comes back may get the port name it had.
            PortDiscovery::setSource([] { return QList<SerialPortEntry>(); });
            if (!waitUntil([this] { return desk->link()->portName().isEmpty(); }, 10000))
                return false;
        }
        emu = std::make_unique<cMyEmulatorProcess>(kEmulator + QStringList{"--eeprom", eeprom});
        if (!emu->start())
            return false;
        emu->offerAsTamira();
        if (kind >= ServiceRead) {
            if (!service)
                service = std::make_unique<servicetool::MainWindow>();
            service->portChanged(true, emu->portPath());
            return true;
        }
        if (!desk) {
            desk = std::make_unique<MainWindow>();
            desk->link()->setFirstStatusDelay(0);
            statusBar = std::make_unique<QSignalSpy>(desk->statusBar(), &QStatusBar::messageChanged);
        }
        QSignalSpy read(desk->link(), &cMyTamira::statusChanged);
        return read.wait(10000) && waitUntil([this] { return !desk->link()->isBusy(); }, 10000);
    }

    void setReplyTimeout(int ms)
    {
        if (service)
            service->link()->setReplyTimeout(ms);
        else if (kind == Simulation)
            page()->setWorkerTiming(nullptr, ms);
        else
            desk->link()->setReplyTimeout(ms);
    }

    // `failureBox`: the title of the box the transaction is to end with, if any.
    void start(const QString &failureBox = QString())
    {
        firstLine = lines();
        auto press = [&](QObject *window, const char *button) {
            if (!failureBox.isEmpty())
                dialogs.expectMessage(cMyDialogs::Ok, failureBox);
            if (auto *action = window->findChild<QAction *>(button))
                action->trigger();
            else
                window->findChild<QAbstractButton *>(button)->click();
        };
        if (service) {
            serviceEnded = std::make_unique<QSignalSpy>(service->link(), &servicetool::cMyServiceLink::finished);
            service->findChild<QSpinBox *>("sbServiceCount")->setValue(8);
            service->findChild<QSpinBox *>("sbServiceRecordLength")->setValue(2);
            service->findChild<QPlainTextEdit *>("pteHexFile")->setPlainText(kServiceRecords.join('\n'));
            service->findChild<QRadioButton *>(kind == ServiceRead ? "rbServiceOtp" : "rbServiceEeprom")->click();
            press(service.get(), kind == ServiceRead ? "pbServiceGet" : "pbServiceSend");
            return;
        }
        ended = std::make_unique<QSignalSpy>(desk->link(), &cMyTamira::transactionEnded);
        status = std::make_unique<QSignalSpy>(desk->link(), &cMyTamira::statusChanged);
        imageBefore = desk->settingsImage()->readBytes(0, 1024);
        modifiedBefore = desk->settingsImage()->isModified();
        if (kind == LibraryWrite) {
            dialogs.expectOpenFile(library.first());
            dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
        } else if (kind == Command) {
            dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Clear statistics..."));
        } else if (kind == Simulation && !clearingAgreed) {
            dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Start simulation"));
            clearingAgreed = true;
        } else if (kind == SettingsRead && modifiedBefore) {
            dialogs.expectMessage(cMyDialogs::No, QStringLiteral("Tamira")); // an earlier read's settings go
        }
        const char *what[] = {"actionReadSettings",  "actionWriteSettings", "pbGetStatus",
                              "actionLibraryUpdate", "actionClearStats",    "pbStartSim"};
        press(kind == Simulation ? static_cast<QObject *>(page()) : desk.get(), what[kind]);
    }

    cMyLinkFailure::Reason endedAs() const
    {
        return ended->isEmpty() ? cMyLinkFailure::Completed : ended->last().first().value<cMyLinkFailure::Reason>();
    }

    // Waits for the transaction's end; a simulation that goes on is stopped a cycle after the
    // fault. False when it did not end in time.
    bool waitForEnd(int faultLine)
    {
        if (service)
            return waitUntil([this] { return !serviceEnded->isEmpty(); }, 60000);
        if (kind != Simulation)
            return waitUntil(
                [this] { return ended->size() == kTransactions[kind] || endedAs() != cMyLinkFailure::Completed; },
                60000);
        if (!waitUntil([&] { return !page()->isRunning() || lines() >= faultLine + 17; }, 60000))
            return false;
        page()->findChild<QPushButton *>("pbStopSim")->click();
        return waitUntil([this] { return !page()->isRunning(); }, 60000);
    }

    // The error boxes shown, or for the simulation, which has no box, the window's status bar.
    QStringList reports() const
    {
        QStringList out;
        if (kind == Simulation) {
            for (const QList<QVariant> &message : *statusBar)
                if (!message.first().toString().isEmpty())
                    out << message.first().toString();
        }
        for (const cMyScriptedDialogs::Asked &a : dialogs.asked())
            if (a.icon == cMyDialogs::Critical)
                out << a.title + QLatin1Char('|') + a.text;
        return out;
    }
};

} // namespace

class tst_FaultMatrix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { PortDiscovery::setSource({}); }
    void cell_data();
    void cell();

private:
    QTemporaryDir m_dir;
    QString m_eeprom;
    QStringList m_library;
    QVector<quint8> m_device; // the settings the device holds
};

void tst_FaultMatrix::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    QStandardPaths::setTestModeEnabled(true);
    // The device's settings differ from the blank ones every window starts with.
    cMyMemoryArea device;
    QVERIFY(cMySettingsFile::read(QStringLiteral(":/pliki/clear.tmo"), device));
    device.setData(0x0000, QVector<quint8>{1, 0, 5, 0});
    device.setData(0x0010, QVector<quint8>{'A', 'l', 'a', 0});
    device.setData(0x0020, QVector<quint8>{'T', 'r', 'e', 'n', 'i', 'n', 'g', 0});
    device.setData(0x0200, QVector<quint8>{'O', 'p', 'i', 's', 0});
    m_device = device.readBytes(0, 1024);
    m_eeprom = m_dir.filePath(QStringLiteral("device.tmo"));
    QVERIFY(cMySettingsFile::write(m_eeprom, device));

    m_library = QStringList{m_dir.filePath(QStringLiteral("library.tma")), QStringLiteral(":020000040001F9")};
    for (int i = 0; i < 8; ++i)
        m_library << cMyHexRecord(quint16(16 * i), QVector<quint8>(16, quint8(i + 1))).toString();
    m_library << QStringLiteral(":00000001FF");
    QFile file(m_library.first());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_library.mid(1).join(QLatin1Char('\n')).toLatin1());
}

void tst_FaultMatrix::cell_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QChar>("outcome");
    QTest::addColumn<QString>("report"); // how the report of a failure begins

    const char *kinds[] = {"settings read",  "settings write", "status read",      "library write",
                           "single command", "simulation run", "servicetool read", "servicetool write"};
    // Per fault, one letter per kind in the order above: the exact result (s), a failure told
    // once (f), cancelled by the user, with nothing told and a read changing nothing (c), or
    // nothing for the fault to act on (-: a command's echo holds no checksum; only transfers
    // with a progress dialog, and the simulation's STOP, leave a reply due when cancelled).
    // A cancelled write is told, as a failure of the write at that point is; the simulation
    // stopped before the device answered says so in the status bar. The window's link takes each
    // "!" line as a sign of life, up to its answer limit; bytes without a line end it takes for
    // no reply once there are more than any reply holds.
    const struct
    {
        Fault fault;
        const char *name;
        const char *outcomes;
    } faults[] = {
        {Slow, "slow reply", "ssssssss"},
        {Silence, "silence", "ffffffff"},
        {Split, "reply in two pieces", "ssssssss"},
        {NulInside, "zero byte inside the reply", "ffffffff"},
        {NulAfter, "zero byte after the line end", "ssssssss"},
        {Bang, "two ! lines before the reply", "ssssssss"},
        {BadChecksum, "bad checksum", "ffff-fff"},
        {WrongEcho, "wrong echo", "ffffffff"},
        {HangUp, "hang-up while the reply is due", "ffffffff"},
        {Late, "reply after the time-out", "ffffffff"},
        {Cancel, "reply after a cancel", "cf-c-f--"},
        {EndlessBangs, "endless ! lines instead of the reply", "ffffffff"},
        {EndlessBytes, "endless bytes without a line end", "ffffffff"},
    };
    for (const auto &f : faults) {
        for (int kind = SettingsRead; kind <= ServiceWrite; ++kind) {
            const char outcome = f.outcomes[kind];
            const bool silent = f.fault == Silence || f.fault == Late || f.fault == EndlessBytes;
            QString report;
            if (outcome == '-')
                continue;
            if (outcome == 'f' && kind >= ServiceRead)
                report = f.fault == HangUp         ? "Błąd|Połączenie z portem "
                         : f.fault == EndlessBangs ? "TimeOut Portu szeregowego|Tamira przez "
                                                   : "TimeOut Portu szeregowego|Tamira nie odpowiedziała";
            else if (outcome == 'f' && kind == Simulation)
                report = f.fault == Cancel ? "Simulation stopped before Tamira answered"
                         : f.fault >= EndlessBangs
                             ? "Simulation stopped: Tamira keeps sending without ever finishing its answer."
                         : silent            ? "Simulation stopped: Tamira does not answer."
                         : f.fault == HangUp ? "Simulation stopped: the connection to Tamira was lost."
                                             : "Simulation stopped: Tamira gave an invalid reply.";
            else if (outcome == 'f' && f.fault == Cancel)
                report = "Error|The write to Tamira was cancelled." + QString(kNote[kind]);
            else if (outcome == 'f' && f.fault == HangUp)
                report = "Error|The connection to Tamira was lost.\n";
            else if (outcome == 'f' && f.fault == EndlessBangs)
                report =
                    "Error|For 1 s Tamira has been saying it is busy, but it does not answer." + QString(kNote[kind]);
            else if (outcome == 'f' && f.fault == EndlessBytes)
                report = "Error|Tamira is sending data that is not an answer." + QString(kNote[kind]);
            else if (outcome == 'f')
                report = (silent ? "Error|Tamira does not answer." : "Error|Tamira gave an invalid reply.")
                         + QString(kNote[kind]);
            QTest::addRow("%s, %s", f.name, kinds[kind]) << kind << int(f.fault) << QChar(outcome) << report;
        }
    }
}

void tst_FaultMatrix::cell()
{
    QFETCH(int, kind);
    QFETCH(int, fault);
    QFETCH(QChar, outcome);
    QFETCH(QString, report);
    Cell c(Kind(kind), m_eeprom, m_library);
    QVERIFY2(c.plugIn(), qPrintable(c.emu->errorString()));

    const int line = c.lines() + kFaultLine[kind];
    const char *arm[] = {"hold %1",   "silent-after %1", "split %1",       "nul %1",          "nul %1:9999",
                         "bang %1:2", "bad-checksum %1", "wrong-echo %1",  "silent-after %1", "hold %1",
                         "hold %1",   "babble %1",       "babble-bytes %1"};
    QCOMPARE(c.emu->control(QString(arm[fault]).arg(fault == Silence || fault == HangUp ? line - 1 : line)),
             QString("ok"));
    // Only the service console waits for the time-out after a reply that does not match. The
    // window's link ends endless "!" lines at its answer limit and endless bytes at once.
    const bool windowLink = kind < Simulation;
    const bool timesOut = fault == Silence || fault == Late || (fault >= EndlessBangs && !windowLink)
                          || (kind >= ServiceRead && outcome == 'f' && fault != HangUp);
    c.setReplyTimeout(timesOut ? kShortMs : kLongMs);
    if (windowLink)
        c.desk->link()->setAnswerLimit(fault == EndlessBangs ? kShortMs : kLongMs);
    c.start(kind == Simulation ? QString() : report.section('|', 0, 0));
    if (fault == Slow || fault == HangUp || fault == Cancel)
        QVERIFY(waitUntil([&] { return c.lines() >= line; }));
    if (fault == Slow || fault == HangUp)
        QCOMPARE(c.emu->control(fault == Slow ? "release" : "hang-up").left(2), QString("ok"));
    if (fault == Cancel && kind == LibraryWrite) // asked first: the library is left incomplete
        c.dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
    if (fault == Cancel && kind == Simulation)
        c.page()->findChild<QPushButton *>("pbStopSim")->click();
    else if (fault == Cancel)
        c.desk->findChild<QProgressDialog *>()->findChild<QPushButton *>()->click();
    QVERIFY(c.waitForEnd(line));
    if (fault == Late || fault == Cancel) {
        // The late reply waits on the line for whoever opens the port next.
        QCOMPARE(c.emu->release(), 1);
        QVERIFY(waitUntil([&] { return c.emu->stateFigure("unread") > 0; }));
    }

    auto check = [&c, this, fault](bool completed) {
        const QList<QByteArray> sent = c.emu->receivedLines().mid(c.firstLine);
        if (c.desk && c.kind != Simulation) {
            // The transfer's progress dialog does not stay behind, waiting.
            const auto *progress = c.desk->findChild<QProgressDialog *>();
            QVERIFY(!progress || !progress->isVisible());
        }
        switch (c.kind) {
        case SettingsRead:
            QCOMPARE(c.desk->settingsImage()->readBytes(0, 1024), completed ? m_device : c.imageBefore);
            QCOMPARE(c.desk->settingsImage()->isModified(), completed || c.modifiedBefore);
            break;
        case SettingsWrite: // the write's own verification compares the device with the image
        case Command:
            QCOMPARE(c.endedAs() == cMyLinkFailure::Completed, completed);
            if (completed && c.kind == Command)
                QCOMPARE(sent, QList<QByteArray>{"#CLEAR\r\n"});
            break;
        case StatusRead: // never a half status
            QCOMPARE(c.status->size(), completed ? 1 : 0);
            if (completed)
                QCOMPARE(c.status->first().first().toStringList(), kStatus);
            break;
        case LibraryWrite: {
            const QStringList lines = QStringList{"#ROOT", "#HEX", "#FLASH", "#WRITE"} + m_library.mid(1);
            if (completed)
                QCOMPARE(sent.mid(93, lines.size()).join(), lines.join("\r\n").toLatin1() + "\r\n");
            // Once the library has begun to go out, an upload that did not end says so until
            // one does.
            auto *incomplete = c.desk->statusBar()->findChild<QLabel *>("lLibraryIncomplete");
            QCOMPARE(incomplete && !incomplete->isHidden(), !completed);
            break;
        }
        case Simulation: // every sample shows what the device computed: still at the surface
            QVERIFY(!c.page()->findChild<cMySimProfile *>()->data().isEmpty());
            for (const cMySimSample &s : c.page()->findChild<cMySimProfile *>()->data().samples())
                QVERIFY2(s.pressure == 1013 && s.depth == 0,
                         qPrintable(QStringLiteral("%1 mbar, %2 cm").arg(s.pressure).arg(s.depth)));
            // A device that answers, however wrongly, is put back and its statistics cleared.
            if (completed || fault == NulInside || fault == BadChecksum || fault == WrongEcho)
                QCOMPARE(sent.mid(sent.size() - 2), (QList<QByteArray>{"#ROOT\r\n", "#CLEAR\r\n"}));
            break;
        case ServiceRead:
            QCOMPARE(c.service->findChild<QPlainTextEdit *>("pteHexFileGet")->toPlainText(),
                     completed ? kOtpRecords : QString());
            break;
        case ServiceWrite:
            if (completed)
                QCOMPARE(sent.join(),
                         (QStringList{"#ROOT", "#HEX", "#EEPROM", "#WRITE"} + kServiceRecords).join("\r\n").toLatin1()
                             + "\r\n");
            break;
        }
    };
    // A transfer of the window that went well says so in the status bar, and only then.
    const char *const done[] = {"Settings read from Tamira.", "Settings written to Tamira and verified.", "",
                                "Sound library sent to Tamira."};
    auto saysDone = [&c, &done] {
        return c.desk->statusBar()->currentMessage().startsWith(QLatin1String(done[c.kind]));
    };
    const bool transfer = c.kind <= LibraryWrite && c.kind != StatusRead;
    check(outcome == 's');
    if (transfer)
        QCOMPARE(saysDone(), outcome == 's');
    if (QTest::currentTestFailed())
        return;
    const QStringList reports = c.reports();
    if (outcome == 'f')
        QVERIFY2(reports.size() == 1 && reports.first().startsWith(report), qPrintable(reports.join('\n')));
    else
        QVERIFY2(reports.isEmpty(), qPrintable(reports.join('\n')));

    // A clean transaction of the same kind: on the same port, or on the device plugged in again.
    if (fault == HangUp) {
        QVERIFY(c.emu->waitForExit());
        QVERIFY2(c.plugIn(), qPrintable(c.emu->errorString()));
    }
    QCOMPARE(c.emu->control("faults-clear"), QString("ok"));
    c.setReplyTimeout(kLongMs);
    c.start();
    QVERIFY(c.waitForEnd(c.lines()));
    check(true);
    QVERIFY(!transfer || saysDone());
    // Nothing more was reported meanwhile.
    QCOMPARE(c.reports(), reports);
    QVERIFY2(c.dialogs.clean(), qPrintable(c.dialogs.report()));
}

TAMIRA_GUI_TEST_MAIN(tst_FaultMatrix)
#include "tst_faultmatrix.moc"
