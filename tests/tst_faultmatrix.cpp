// Every fault the emulator can put on the line against every kind of transaction the two
// programs run, through their real windows. In each cell the transaction either ends with the
// exact right result or the failure is reported once (a box, or the status bar where the program
// has no box for it), nothing is changed that a failure must leave alone, nothing hangs past the
// time-outs, and a clean transaction of the same kind on the same port succeeds afterwards.

#include "cmyemulatorprocess.h"
#include "cmyhexrecord.h"
#include "cmymemoryarea.h"
#include "cmyscripteddialogs.h"
#include "cmysettingsfile.h"
#include "cmysimprofile.h"
#include "cmysimwidget.h"
#include "cmytamira.h"
#include "portdiscovery.h"
#include "tamiratestapp.h"
#include "waituntil.h"
// Both programs have a MainWindow; each header by its own folder.
#include "../app/mainwindow.h"
#include "../servicetool/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace {

enum Kind { SettingsRead, SettingsWrite, StatusRead, LibraryWrite, Command, Simulation, ServiceRead, ServiceWrite };
enum Fault { Slow, Silence, Split, NulInside, NulAfter, Bang, BadChecksum, WrongEcho, HangUp, Late };

// Where a kind's fault goes, counted from its first line: in the middle of its data.
const int kFaultLine[] = {
    4 + 32,           // the 32nd of the 64 records asked for
    6 + 69 + 4 + 32,  // past the serial number and the backup: the 32nd record written
    68,               // the OTP record: serial number, hardware version, memory size
    93 + 4 + 5,       // past the status read for the memory size: the library's 5th line
    1,                // "#CLEAR"
    4 + 17 + 1,       // the second cycle's read of the absolute pressure
    4 + 2,            // the second of four requests
    4 + 2,            // the second of four records
};
// Transactions of a kind that goes well (the window's kinds).
const int kTransactions[] = {1, 4, 1, 2, 1};

// Time-outs: rows that expect one get a short one, the others one that a loaded machine never
// reaches.
constexpr int kShortMs = 1000;
constexpr int kLongMs = 30000;

const QStringList kEmulator{"--keep-unread", "--flags", "1", "--max-depth", "1234", "--dive-time", "3725",
                            "--serial", "4660", "--hardware", "1.2.3.4", "--memory", "4", "--firmware", "1.2.0.0",
                            "--language", "English", "--library", "2.1.0.7"};
const QStringList kStatus{"1", "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.2.0.0", "English",
                          "2.1.0.7", "1.0.5.0", "Ala", "Trening", "Opis"};
// OTP 0..7 in records of two bytes: serial 4660, hardware 1.2.3.4, 4 MB, one never-written byte.
const QString kOtpRecords = ":020000003412B8\r\n:020002000102F9\r\n:020004000304F3\r\n:0200060004FFF5\r\n";
const QStringList kServiceRecords{":0400100001020304E2", ":0400140005060708CE", ":04001800090A0B0CBA",
                                  ":04001C000D0E0F10A6"};

QList<QByteArray> withLineEnds(const QStringList &lines)
{
    QList<QByteArray> out;
    for (const QString &l : lines)
        out << l.toLatin1() + "\r\n";
    return out;
}

SerialPortEntry tamiraPort(const QString &path)
{
    return SerialPortEntry{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira};
}

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// One cell: the emulator, the program of the kind on its port, the record of what was reported.
struct Cell
{
    Cell(Kind k, const QString &e, const QStringList &l) : kind(k), eeprom(e), library(l) {}

    Kind kind;
    const QString &eeprom;
    const QStringList &library;
    cMyScriptedDialogs dialogs;
    std::unique_ptr<cMyEmulatorProcess> emu;
    std::unique_ptr<MainWindow> desk;
    std::unique_ptr<servicetool::MainWindow> service;
    std::unique_ptr<QSignalSpy> ended, status, simMessages, serviceEnded;
    int firstLine = 0;   // lines the device had received when the transaction started
    QVector<quint8> imageBefore;
    bool modifiedBefore = false;

    bool windowKind() const { return kind < Simulation; }
    cMySimWidget *page() const { return child<cMySimWidget>(desk.get(), "simWidget"); }
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
        const QString path = emu->portPath();
        PortDiscovery::setSource([path] { return QList<SerialPortEntry>{tamiraPort(path)}; });
        if (kind >= ServiceRead) {
            if (!service)
                service = std::make_unique<servicetool::MainWindow>();
            service->portChanged(true, path);
            return true;
        }
        if (!desk) {
            desk = std::make_unique<MainWindow>();
            desk->link()->setFirstStatusDelay(0);
            simMessages = std::make_unique<QSignalSpy>(page(), &cMySimWidget::statusMessage);
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
        auto expectFailure = [&] {
            if (!failureBox.isEmpty())
                dialogs.expectMessage(cMyDialogs::Ok, failureBox);
        };
        if (service) {
            serviceEnded = std::make_unique<QSignalSpy>(service->link(), &servicetool::cMyServiceLink::finished);
            expectFailure();
            if (kind == ServiceRead) {
                child<QRadioButton>(service.get(), "rbServiceOtp")->click();
                child<QSpinBox>(service.get(), "sbServiceAdderss")->setValue(0);
                child<QSpinBox>(service.get(), "sbServiceCount")->setValue(8);
                child<QSpinBox>(service.get(), "sbServiceRecordLength")->setValue(2);
                child<QPushButton>(service.get(), "pbServiceGet")->click();
            } else {
                child<QPlainTextEdit>(service.get(), "pteHexFile")->setPlainText(kServiceRecords.join('\n'));
                child<QRadioButton>(service.get(), "rbServiceEeprom")->click();
                child<QPushButton>(service.get(), "pbServiceSend")->click();
            }
            return;
        }
        ended = std::make_unique<QSignalSpy>(desk->link(), &cMyTamira::transactionEnded);
        status = std::make_unique<QSignalSpy>(desk->link(), &cMyTamira::statusChanged);
        imageBefore = desk->settingsImage()->readBytes(0, 1024);
        modifiedBefore = desk->settingsImage()->isModified();
        auto trigger = [&](const char *action) {
            expectFailure();
            child<QAction>(desk.get(), action)->trigger();
        };
        switch (kind) {
        case SettingsRead: trigger("actionReadSettings"); break;
        case SettingsWrite: trigger("actionWriteSettings"); break;
        case StatusRead:
            expectFailure();
            child<QPushButton>(desk.get(), "pbGetStatus")->click();
            break;
        case LibraryWrite:
            dialogs.expectOpenFile(library.first());
            dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Sound library update..."));
            trigger("actionLibraryUpdate");
            break;
        case Command:
            dialogs.expectMessage(cMyDialogs::Yes, QStringLiteral("Clear statistics..."));
            trigger("actionClearStats");
            break;
        default: child<QPushButton>(page(), "pbStartSim")->click(); break;
        }
    }

    // Waits for the transaction's end; a simulation that goes on is stopped a cycle after the
    // fault. False when it did not end in time.
    bool waitForEnd(int faultLine)
    {
        if (service)
            return waitUntil([this] { return !serviceEnded->isEmpty(); }, 60000);
        if (kind == Simulation) {
            if (!waitUntil([&] { return !page()->isRunning() || lines() >= faultLine + 17; }, 60000))
                return false;
            child<QPushButton>(page(), "pbStopSim")->click();
            return waitUntil([this] { return !page()->isRunning(); }, 60000);
        }
        return waitUntil([this] {
            return ended->size() == kTransactions[kind]
                || (!ended->isEmpty() && ended->last().first().value<cMyTamira::EndReason>() != cMyTamira::Completed);
        }, 60000);
    }

    // The error boxes shown, or for the simulation, which has none, its status bar messages.
    QStringList reports() const
    {
        QStringList out;
        if (kind == Simulation) {
            for (const QList<QVariant> &message : *simMessages)
                out << message.first().toString();
            return out;
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
    QStringList m_library;   // the file's path, then its lines
    QVector<quint8> m_device;   // the settings the device holds
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
    QTest::addColumn<bool>("tolerated");
    QTest::addColumn<QString>("report");   // the first words of the report of a failure

    const char *kinds[] = {"settings read", "settings write", "status read", "library write",
                           "single command", "simulation run", "servicetool read", "servicetool write"};
    // Per fault, one letter per kind in the order above: the exact result (s), a failure told
    // once (f), or nothing for the fault to act on (-): the command's echo holds no checksum.
    const struct { Fault fault; const char *name; const char *outcomes; } faults[] = {
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
    };
    for (const auto &f : faults) {
        for (int kind = SettingsRead; kind <= ServiceWrite; ++kind) {
            const char outcome = f.outcomes[kind];
            if (outcome == '-')
                continue;
            QString report;
            if (outcome == 'f') {
                const bool silent = f.fault == Silence || f.fault == Late;
                if (kind >= ServiceRead)
                    report = f.fault == HangUp ? "Error|" : "TimeOut Portu szeregowego|Timeout";
                else if (kind == Simulation)
                    report = silent || f.fault == HangUp ? "Simulation stopped: Tamira does not answer."
                                                         : "Simulation stopped: Tamira gave an invalid reply.";
                else if (silent)
                    report = "Error|Tamira does not answer.";
                else
                    report = f.fault == HangUp ? "Error|The connection to Tamira was lost." : "Error|Tamira gave an invalid reply.";
            }
            QTest::addRow("%s, %s", f.name, kinds[kind]) << kind << int(f.fault) << (outcome == 's') << report;
        }
    }
}

void tst_FaultMatrix::cell()
{
    QFETCH(int, kind);
    QFETCH(int, fault);
    QFETCH(bool, tolerated);
    QFETCH(QString, report);
    Cell c(Kind(kind), m_eeprom, m_library);
    QVERIFY2(c.plugIn(), qPrintable(c.emu->errorString()));

    const int line = c.lines() + kFaultLine[kind];
    const char *arm[] = {"hold %1", "silent-after %1", "split %1", "nul %1", "nul %1:9999", "bang %1:2",
                         "bad-checksum %1", "wrong-echo %1", "silent-after %1", "hold %1"};
    QCOMPARE(c.emu->control(QString(arm[fault]).arg(fault == Silence || fault == HangUp ? line - 1 : line)), QString("ok"));
    // Only the service console waits for the time-out after a reply that does not match.
    const bool timesOut = fault == Silence || fault == Late || (kind >= ServiceRead && !tolerated && fault != HangUp);
    c.setReplyTimeout(timesOut ? kShortMs : kLongMs);
    c.start(kind == Simulation ? QString() : report.section('|', 0, 0));
    if (fault == Slow || fault == HangUp) {
        QVERIFY(waitUntil([&] { return c.lines() >= line; }));
        QCOMPARE(c.emu->control(fault == Slow ? "release" : "hang-up").left(2), QString("ok"));
    }
    QVERIFY(c.waitForEnd(line));
    if (fault == Late) {
        // The late reply waits on the line for whoever opens the port next.
        QCOMPARE(c.emu->release(), 1);
        QVERIFY(waitUntil([&] { return c.emu->stateFigure("unread") > 0; }));
    }

    auto check = [&c, this](bool completed) {
        const QList<QByteArray> sent = c.emu->receivedLines().mid(c.firstLine);
        switch (c.kind) {
        case SettingsRead:
            QCOMPARE(c.desk->settingsImage()->readBytes(0, 1024), completed ? m_device : c.imageBefore);
            QCOMPARE(c.desk->settingsImage()->isModified(), completed || c.modifiedBefore);
            break;
        case SettingsWrite: // the write's own verification compares the device with the image
        case Command:
            QCOMPARE(c.ended->last().first().value<cMyTamira::EndReason>() == cMyTamira::Completed, completed);
            if (completed && c.kind == Command)
                QCOMPARE(sent, QList<QByteArray>{"#CLEAR\r\n"});
            break;
        case StatusRead: // never a half status
            QCOMPARE(c.status->size(), completed ? 1 : 0);
            if (completed)
                QCOMPARE(c.status->first().first().toStringList(), kStatus);
            break;
        case LibraryWrite:
            if (completed)
                QCOMPARE(sent.mid(93), withLineEnds(QStringList{"#ROOT", "#HEX", "#FLASH", "#WRITE"} + m_library.mid(1)));
            break;
        case Simulation: {
            // Every sample shows what the device computed: still at the surface.
            const auto samples = child<cMySimProfile>(c.page(), "simProfile")->data().samples();
            QVERIFY(!samples.isEmpty());
            for (const cMySimSample &s : samples)
                QVERIFY2(s.pressure == 1013 && s.depth == 0, qPrintable(QStringLiteral("%1 mbar, %2 cm").arg(s.pressure).arg(s.depth)));
            if (completed)
                QCOMPARE(sent.mid(sent.size() - 2), (QList<QByteArray>{"#ROOT\r\n", "#CLEAR\r\n"}));
            break;
        }
        case ServiceRead:
            QCOMPARE(child<QPlainTextEdit>(c.service.get(), "pteHexFileGet")->toPlainText(),
                     completed ? QString(kOtpRecords).remove('\r') : QString());
            break;
        case ServiceWrite:
            if (completed)
                QCOMPARE(sent, withLineEnds(QStringList{"#ROOT", "#HEX", "#EEPROM", "#WRITE"} + kServiceRecords));
            break;
        }
    };
    check(tolerated);
    if (QTest::currentTestFailed())
        return;
    const QStringList reports = c.reports();
    if (tolerated)
        QVERIFY2(reports.isEmpty(), qPrintable(reports.join('\n')));
    else
        QVERIFY2(reports.size() == 1 && reports.first().startsWith(report), qPrintable(reports.join('\n')));

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
    // Nothing more was reported meanwhile.
    QCOMPARE(c.reports(), reports);
    QVERIFY2(c.dialogs.clean(), qPrintable(c.dialogs.report()));
}

TAMIRA_GUI_TEST_MAIN(tst_FaultMatrix)
#include "tst_faultmatrix.moc"
