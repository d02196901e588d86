// The dive simulation: the worker against the emulator (the exact lines, the pressure it writes
// under an exact clock, failures), the page on its own, and the page inside the real window.

#include "app/mainwindow.h"
#include "base/cmyhexrecord.h"
#include "device/cmytamira.h"
#include "device/portdiscovery.h"
#include "simulation/cmysimprofile.h"
#include "simulation/cmysimstartguard.h"
#include "simulation/cmysimwidget.h"
#include "simulation/cmysimworker.h"
#include "tests/support/cmyemulatorprocess.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QThread>

#include <memory>

namespace {

struct RunResult
{
    bool status = false; // stays false when the run does not end in time
    int failure = -1;
    QVector<QString> firstValues;
};

// One run of a worker on its own thread, stopped from inside the cycle that emits the
// `stopAfter`-th values (0: never), or before the run if `stopFirst`. A `slider` other than
// kNoSlider is given to setSpeed (hundredths of m/s) when the first values arrive.
constexpr int kNoSlider = -100000;
RunResult runWorker(const QString &port, double speed, int stopAfter, qint64 dtMs = 0,
                    int replyTimeoutMs = cMySimWorker::kReplyTimeoutMs, bool stopFirst = false, int slider = kNoSlider)
{
    RunResult result;
    QThread thread;
    auto *worker = new cMySimWorker;
    auto clock = std::make_shared<qint64>(-dtMs); // touched on the worker's thread only
    worker->setClock([clock, dtMs] { return *clock += dtMs; });
    worker->setReplyTimeout(replyTimeoutMs);
    worker->moveToThread(&thread);
    auto cycles = std::make_shared<int>(0);
    QObject::connect(
        worker, &cMySimWorker::valuesChanged, worker,
        [worker, cycles, stopAfter, slider](QVector<QString>) {
            if (++*cycles == 1 && slider != kNoSlider)
                worker->setSpeed(slider);
            if (*cycles == stopAfter)
                worker->stopWork();
        },
        Qt::DirectConnection);
    QObject receiver;
    QEventLoop loop;
    QObject::connect(worker, &cMySimWorker::valuesChanged, &receiver, [&result](QVector<QString> v) {
        if (result.firstValues.isEmpty())
            result.firstValues = v;
    });
    QObject::connect(worker, &cMySimWorker::failed, &receiver, [&result](int reason) { result.failure = reason; });
    QObject::connect(worker, &cMySimWorker::finished, &receiver, [&](bool status) {
        result.status = status;
        loop.quit();
    });
    thread.start();
    if (stopFirst)
        worker->stopWork();
    QMetaObject::invokeMethod(worker, "doWork", Qt::QueuedConnection, Q_ARG(QString, port), Q_ARG(double, speed));
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    thread.quit();
    thread.wait();
    delete worker;
    return result;
}

QStringList asText(const QList<QByteArray> &lines)
{
    QStringList out;
    for (const QByteArray &l : lines)
        out << QString::fromLatin1(l).trimmed();
    return out;
}

QVector<QString> blocks(int entry, int offset, int word)
{
    QVector<QString> v;
    for (int i = 0; i < 8; ++i) {
        QVector<quint8> bytes(16, 0);
        if (i == entry) {
            bytes[offset] = quint8(word & 0xFF);
            bytes[offset + 1] = quint8((word >> 8) & 0xFF);
        }
        v << cMyHexRecord(quint16(0x0100 + 16 * i), bytes).toString() + "\r\n";
    }
    return v;
}

template <typename T> T *child(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

} // namespace

class tst_Simulation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { PortDiscovery::setSource({}); }
    void workerExchangesTheExactLines();
    void pressureFollowsTheClock_data();
    void pressureFollowsTheClock();
    void runsThatCannotGoOn_data();
    void runsThatCannotGoOn();
    void pageShowsSignedWords_data();
    void pageShowsSignedWords();
    void pageWithoutPortReturnsToIdle();
    void aDiveInTheWindow();
    void startAsksBeforeClearing();
    void clearingAgreedForOneDevice_data();
    void clearingAgreedForOneDevice();
    void startWaitsForTheStatusRead();
};

void tst_Simulation::initTestCase()
{
    qRegisterMetaType<QVector<QString>>("QVector<QString>");
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
}

void tst_Simulation::workerExchangesTheExactLines()
{
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    // Stopped while its first cycle runs: the cycle still writes the pressure and switches back.
    const RunResult run = runWorker(emu.portPath(), 0.0, 1);
    QVERIFY(run.status);
    const QStringList expected{"#SIMUL",
                               "#RAM",
                               "#READ",
                               ":020110000000ED",
                               ":1001000000000000000000000000000000000000EF",
                               ":1001100000000000000000000000000000000000DF",
                               ":1001200000000000000000000000000000000000CF",
                               ":1001300000000000000000000000000000000000BF",
                               ":1001400000000000000000000000000000000000AF",
                               ":10015000000000000000000000000000000000009F",
                               ":10016000000000000000000000000000000000008F",
                               ":10017000000000000000000000000000000000007F",
                               ":00000001FF",
                               "#SIMUL",
                               "#RAM",
                               "#WRITE",
                               ":02010000F50305",
                               ":00000001FF",
                               "#SIMUL",
                               "#RAM",
                               "#READ",
                               "#ROOT",
                               "#CLEAR"};
    QCOMPARE(asText(emu.receivedLines()), expected);
    // The replies go on as received, the surface pressure (1013 mbar) among them.
    QCOMPARE(run.firstValues.size(), 8);
    QVERIFY(run.firstValues.at(1).startsWith(":10011000F503"));
    QVERIFY(run.firstValues.at(1).endsWith("\r\n"));
}

void tst_Simulation::pressureFollowsTheClock_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<double>("speed"); // m/s
    QTest::addColumn<int>("slider");   // hundredths of m/s, set when the first values arrive
    QTest::addColumn<int>("dtMs");
    QTest::addColumn<QList<int>>("written"); // the pressure word of each cycle, mbar
    QTest::newRow("0.01 m/s at 200 ms: every fifth cycle")
        << QStringList() << 0.01 << kNoSlider << 200 << QList<int>{1013, 1013, 1013, 1013, 1014, 1014};
    QTest::newRow("1 m/s down") << QStringList() << 1.0 << kNoSlider << 1000 << QList<int>{1113, 1213, 1313};
    // The slider's 150 is 1.5 m/s: 150 mbar a second, from the first cycle's write on.
    QTest::newRow("slider 150 at 1 s") << QStringList() << 0.0 << 150 << 1000 << QList<int>{1163, 1313};
    QTest::newRow("up at the surface") << QStringList() << -2.0 << kNoSlider << 500 << QList<int>{1013, 1013};
    QTest::newRow("floor is the surface read")
        << QStringList{"--surface-pressure", "950"} << -3.0 << kNoSlider << 700 << QList<int>{950, 950};
    QTest::newRow("ceiling") << QStringList() << 5.0 << kNoSlider << 60000 << QList<int>{31013, 32767, 32767};
}

void tst_Simulation::pressureFollowsTheClock()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(double, speed);
    QFETCH(int, slider);
    QFETCH(int, dtMs);
    QFETCH(QList<int>, written);
    cMyEmulatorProcess emu(emulatorArgs);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    QVERIFY(
        runWorker(emu.portPath(), speed, written.size(), dtMs, cMySimWorker::kReplyTimeoutMs, false, slider).status);
    QList<int> words;
    for (const QByteArray &line : emu.receivedLines()) {
        cMyHexRecord r;
        if (line.startsWith(":02010000") && r.fromString(QString::fromLatin1(line)))
            words << r.wordAt(0);
    }
    QCOMPARE(words, written);
}

void tst_Simulation::runsThatCannotGoOn_data()
{
    QTest::addColumn<QStringList>("emulatorArgs");
    QTest::addColumn<QString>("port"); // "emu" for the emulator's
    QTest::addColumn<bool>("stopFirst");
    QTest::addColumn<bool>("status");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("lastLine"); // the last line the device got
    QTest::newRow("two ! lines before the surface pressure")
        << QStringList{"--bang", "4:2"} << "emu" << false << true << -1 << "#CLEAR";
    QTest::newRow("surface pressure unreadable") << QStringList{"--bad-checksum", "4"} << "emu" << false << false
                                                 << int(cMySimWorker::UnreadableSurfacePressure) << "#ROOT";
    QTest::newRow("stop before the run") << QStringList() << "emu" << true << true << -1 << "";
    QTest::newRow("no port name") << QStringList() << "" << false << false << int(cMySimWorker::NoPortName) << "";
    QTest::newRow("no such port") << QStringList() << "/dev/no-such-tamira" << false << false
                                  << int(cMySimWorker::PortNotOpened) << "";
}

void tst_Simulation::runsThatCannotGoOn()
{
    QFETCH(QStringList, emulatorArgs);
    QFETCH(QString, port);
    QFETCH(bool, stopFirst);
    QFETCH(bool, status);
    QFETCH(int, failure);
    QFETCH(QString, lastLine);
    cMyEmulatorProcess emu(emulatorArgs);
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    const RunResult run =
        runWorker(port == "emu" ? emu.portPath() : port, 0.0, 1, 0, cMySimWorker::kReplyTimeoutMs, stopFirst);
    QCOMPARE(run.status, status);
    QCOMPARE(run.failure, failure);
    const QStringList lines = asText(emu.receivedLines());
    QCOMPARE(lines.isEmpty() ? QString() : lines.last(), lastLine);
}

void tst_Simulation::pageShowsSignedWords_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    // The profile's CSV row for the sample, without its elapsed time: pressure in mbar, depth
    // in m, speed in m/s, dive time in s.
    QTest::addColumn<QString>("csv");
    QTest::newRow("depth -3 cm") << 4 << 0 << 0xFFFD << "simDepth"
                                 << "-0.03 m"
                                 << "0,-0.03,0.00,0";
    QTest::newRow("depth 12.34 m") << 4 << 0 << 1234 << "simDepth"
                                   << "12.34 m"
                                   << "0,12.34,0.00,0";
    QTest::newRow("maximum depth") << 4 << 4 << 2050 << "simDepthMax"
                                   << "20.50 m"
                                   << "0,0.00,0.00,0";
    QTest::newRow("average depth") << 4 << 6 << 4217 << "simDepthAvr"
                                   << "42.17 m"
                                   << "0,0.00,0.00,0";
    QTest::newRow("speed 250") << 6 << 0 << 250 << "simSpeed"
                               << "2.50 m/s"
                               << "0,0.00,2.50,0";
    QTest::newRow("fastest ascent -125") << 6 << 2 << 0xFF83 << "simSpeedMin"
                                         << "-1.25 m/s"
                                         << "0,0.00,0.00,0";
    QTest::newRow("fastest descent") << 6 << 4 << 180 << "simSpeedMax"
                                     << "1.80 m/s"
                                     << "0,0.00,0.00,0";
    QTest::newRow("ascent avg") << 6 << 6 << 0xFFC4 << "simSpeedUpAvr"
                                << "-0.60 m/s"
                                << "0,0.00,0.00,0";
    QTest::newRow("descent avg") << 6 << 8 << 0x8000 << "simSpeedDownAvr"
                                 << "-327.68 m/s"
                                 << "0,0.00,0.00,0";
    QTest::newRow("absolute pressure") << 0 << 0 << 32767 << "simAbsP"
                                       << "32767 mbar"
                                       << "32767,0.00,0.00,0";
    QTest::newRow("surface pressure") << 1 << 0 << 1013 << "simSurfaceP"
                                      << "1013 mbar"
                                      << "0,0.00,0.00,0";
    QTest::newRow("dive time") << 5 << 0 << 3725 << "simDiveTime"
                               << "3725 s"
                               << "0,0.00,0.00,3725";
    QTest::newRow("surface time") << 5 << 2 << 610 << "simSurfaceTime"
                                  << "610 s"
                                  << "0,0.00,0.00,0";
    QTest::newRow("descent time") << 5 << 4 << 41 << "simDescentTime"
                                  << "41 s"
                                  << "0,0.00,0.00,0";
    QTest::newRow("bottom time") << 5 << 6 << 12 << "simBottomTime"
                                 << "12 s"
                                 << "0,0.00,0.00,0";
    QTest::newRow("ascent time") << 5 << 8 << 75 << "simAscentTime"
                                 << "75 s"
                                 << "0,0.00,0.00,0";
    QTest::newRow("stopwatch 0") << 7 << 0 << 93 << "simStoper0"
                                 << "93 s"
                                 << "0,0.00,0.00,0";
    QTest::newRow("timer 1") << 7 << 2 << 301 << "simTimer1"
                             << "301 s"
                             << "0,0.00,0.00,0";
    QTest::newRow("timer 2") << 7 << 4 << 17 << "simTimer2"
                             << "17 s"
                             << "0,0.00,0.00,0";
    QTest::newRow("timer 3 reads signed") << 7 << 6 << 0xFFFF << "simTimer3"
                                          << "-1 s"
                                          << "0,0.00,0.00,0";
}

void tst_Simulation::pageShowsSignedWords()
{
    QFETCH(int, entry);
    QFETCH(int, offset);
    QFETCH(int, word);
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QString, csv);
    cMySimWidget page;
    page.updateSimValues(blocks(entry, offset, word));
    QCOMPARE(child<QLabel>(&page, qPrintable(label))->text(), text);
    const QList<QByteArray> rows = child<cMySimProfile>(&page, "simProfile")->data().toCsv().split('\n');
    QCOMPARE(QString::fromLatin1(rows.at(1)).section(QLatin1Char(','), 1), csv);
    // A reply that is no record reads as 0.
    QVector<QString> v = blocks(entry, offset, word);
    v[entry] = "#ERR\r\n";
    page.updateSimValues(v);
    const QString zero = (text.contains('.') ? "0.00 " : "0 ") + text.section(' ', 1);
    QCOMPARE(child<QLabel>(&page, qPrintable(label))->text(), zero);
}

void tst_Simulation::pageWithoutPortReturnsToIdle()
{
    cMyScriptedDialogs dialogs;
    cMySimWidget page;
    QSignalSpy inProgress(&page, &cMySimWidget::simulationInProgress);
    QSignalSpy message(&page, &cMySimWidget::statusMessage);
    child<QPushButton>(&page, "pbStartSim")->click();
    QVERIFY(inProgress.wait(10000));
    QCOMPARE(inProgress.size(), 2);
    QVERIFY(child<QPushButton>(&page, "pbStartSim")->isEnabled());
    QVERIFY(!child<QPushButton>(&page, "pbStopSim")->isEnabled());
    QCOMPARE(message.size(), 1);
    QCOMPARE(message.first().first().toString(), QString("Simulation not started: no Tamira port is chosen."));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Simulation::aDiveInTheWindow()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu;
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    emu.offerAsTamira();
    auto w = std::make_unique<MainWindow>();
    auto *page = child<cMySimWidget>(w.get(), "simWidget");
    auto *slider = child<QSlider>(page, "simSlider");
    auto *profile = child<cMySimProfile>(page, "simProfile");
    auto button = [page](const char *name) { return child<QPushButton>(page, name); };
    QTRY_COMPARE_WITH_TIMEOUT(page->portName(), emu.portPath(), 5000);
    QList<QWidget *> locked;
    for (const char *name : {"menuBar", "mainToolBar", "tabStart", "tabTimery", "tabKomunikaty"})
        locked << child<QWidget>(w.get(), name);
    QVERIFY(!slider->isEnabled());

    // Started while the port choice's status read still waits: the read waits for the port to
    // be handed back instead of meeting it busy (an error box the script would refuse). All but
    // the page is locked meanwhile.
    QVERIFY(w->link()->statusReadPending());
    QSignalSpy status(w->link(), &cMyTamira::statusChanged);
    QSignalSpy inProgress(page, &cMySimWidget::simulationInProgress);
    // A long run keeps every second sample once this many are stored, then every fourth...
    profile->setStoredCapacity(8);
    dialogs.expectMessage(cMyDialogs::Yes, "Start simulation");
    button("pbStartSim")->click();
    QCOMPARE(inProgress.size(), 1);
    QCOMPARE(inProgress.first().first().toBool(), true);
    for (QWidget *x : locked)
        QVERIFY2(!x->isEnabled(), qPrintable(x->objectName()));
    QVERIFY(page->isEnabled() && slider->isEnabled() && !button("pbStartSim")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!w->link()->statusReadPending(), 10000);
    QVERIFY(!w->link()->isBusy());
    for (int i = 0; i < 6; ++i)
        button("pbAdd1")->click();
    QCOMPARE(slider->value(), 500);
    QTRY_VERIFY_WITH_TIMEOUT(profile->data().received() >= 3, 10000);
    // A command of the window's own link keeps off the port the run holds, and says why.
    dialogs.expectMessage(cMyDialogs::Ok, "Error");
    w->link()->clearStats();
    QVERIFY(waitUntil([&] { return dialogs.clean(); }));
    QCOMPARE(dialogs.asked().last().text,
             QString("Tamira's port is busy: a dive simulation is running.\nStop the simulation and try again."));
    QVERIFY(!asText(emu.receivedLines()).contains("#CLEAR"));
    // "STOP" only holds the depth.
    button("pbSet0")->click();
    QCOMPARE(slider->value(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(profile->data().received() >= 20, 10000);
    QVERIFY(page->isRunning());

    button("pbAdd01")->click();
    button("pbStopSim")->click();
    QVERIFY(inProgress.wait(10000));
    QCOMPARE(inProgress.last().first().toBool(), false);
    QCOMPARE(slider->value(), 0);
    QVERIFY(!slider->isEnabled() && button("pbStartSim")->isEnabled());
    for (QWidget *x : locked)
        QVERIFY2(x->isEnabled(), qPrintable(x->objectName()));
    QCOMPARE(child<QLabel>(page, "simSurfaceP")->text(), QString("1013 mbar"));
    QStringList lines = asText(emu.receivedLines());
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"#ROOT", "#CLEAR"}));
    QTRY_COMPARE_WITH_TIMEOUT(status.size(), 1, 10000);

    // The run's samples as CSV, the profile kept after the run; written off the window's thread,
    // so the result comes later through the event loop.
    QTemporaryDir dir;
    const QString path = QDir::toNativeSeparators(dir.filePath("dive.csv"));
    dialogs.expectSaveFile(dir.filePath("dive"));
    button("pbSaveProfile")->click();
    // The dialog offers a name of the day and time, at first in the home folder.
    QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(QDir::homePath())
                                + "/dive-profile-20\\d\\d-\\d\\d-\\d\\d_\\d\\d-\\d\\d\\.csv$")
                 .match(dialogs.asked().last().dir)
                 .hasMatch(),
             qPrintable(dialogs.asked().last().dir));
    QCOMPARE(w->statusBar()->currentMessage(), "Saving the profile to " + path + "...");
    QVERIFY(!button("pbSaveProfile")->isEnabled());
    QVERIFY(waitUntil([&] { return button("pbSaveProfile")->isEnabled(); }));
    QCOMPARE(w->statusBar()->currentMessage(), "Profile saved to " + path + ".");
    QFile csv(dir.filePath("dive.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray saved = csv.readAll();
    csv.close();
    const QList<QByteArray> rows = saved.split('\n');
    QCOMPARE(rows.first(), QByteArray("elapsed_s,pressure_mbar,depth_m,speed_m_s,dive_time_s"));
    // At most the 8 samples kept and the newest, of the 20 or more the run had.
    QVERIFY2(rows.size() - 2 >= 5 && rows.size() - 2 <= 9, qPrintable(QString::number(rows.size())));
    QVERIFY(rows.at(1).endsWith(",1013,0.00,0.00,0"));

    // The same name again, typed without its suffix: the file dialog did not ask about dive.csv.
    struct Again
    {
        int answer;
        rlim_t limit;
        const char *message;
    };
    const Again again[] = {
        {cMyDialogs::No, 0, nullptr},
        {cMyDialogs::Yes, 100, "Cannot save the profile to %1: file too large (the file size limit was reached)"},
        {cMyDialogs::Yes, 0, "Profile saved to %1."},
    };
    for (const Again &a : again) {
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("old\n");
        csv.close();
        w->statusBar()->clearMessage();
        dialogs.expectSaveFile(dir.filePath("dive"));
        dialogs.expectMessage(cMyDialogs::Button(a.answer), "Save dive profile");
        {
            FileSizeLimit limit(a.limit > 0 ? a.limit : RLIM_INFINITY);
            button("pbSaveProfile")->click();
            QCOMPARE(dialogs.asked().last().text, path + " already exists.\nDo you want to replace it?");
            QCOMPARE(dialogs.asked().last().defaultButton, cMyDialogs::No);
            QVERIFY(waitUntil([&] { return button("pbSaveProfile")->isEnabled(); }));
        }
        QCOMPARE(w->statusBar()->currentMessage(), a.message ? QString(a.message).arg(path) : QString());
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), a.answer == cMyDialogs::Yes && a.limit == 0 ? saved : QByteArray("old\n"));
        csv.close();
    }

    // A new run clears the profile's message from the status bar, and closing the window
    // mid-run still puts the device back. (Runs that fail are tst_faultmatrix's.)
    button("pbStartSim")->click();
    QVERIFY(w->statusBar()->currentMessage().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!profile->data().isEmpty(), 10000);
    w.reset();
    lines = asText(emu.receivedLines());
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"#ROOT", "#CLEAR"}));
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Simulation::startAsksBeforeClearing()
{
    cMyScriptedDialogs dialogs;
    cMyEmulatorProcess emu({"--max-depth", "4220", "--dive-time", "3725", "--serial", "4660"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    emu.offerAsTamira();
    MainWindow w;
    w.link()->setFirstStatusDelay(0);
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    QVERIFY(status.wait(10000));
    auto *page = child<cMySimWidget>(&w, "simWidget");
    auto *profile = child<cMySimProfile>(page, "simProfile");
    auto button = [page](const char *name) { return child<QPushButton>(page, name); };
    auto stop = [&] {
        button("pbStopSim")->click();
        QVERIFY(waitUntil([&] { return !page->isRunning(); }));
        const QStringList lines = asText(emu.receivedLines());
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"#ROOT", "#CLEAR"}));
    };

    // No (the default): nothing reaches the device.
    dialogs.expectMessage(cMyDialogs::No, "Start simulation");
    button("pbStartSim")->click();
    QCOMPARE(dialogs.asked().last().text, QString("Stopping the simulation clears the dive statistics in Tamira, as "
                                                  "\"Clear statistics\" does:\n  maximum depth: 42.2 m\n"
                                                  "  dive time: 1:02:05\nDo you want to start the simulation?"));
    QCOMPARE(dialogs.asked().last().defaultButton, cMyDialogs::No);
    QVERIFY(!page->isRunning() && button("pbStartSim")->isEnabled());
    QCOMPARE(emu.stateFigure("lines"), 93);

    // Yes: the run goes, and a speed given before its worker has begun is kept.
    dialogs.expectMessage(cMyDialogs::Yes, "Start simulation");
    button("pbStartSim")->click();
    button("pbAdd1")->click();
    QVERIFY(waitUntil([&] { return !profile->data().isEmpty() && profile->data().newest().depth > 0; }, 10000));
    stop();

    // Asked once for the device: the next run just starts, at the surface again.
    button("pbStartSim")->click();
    QVERIFY(waitUntil([&] { return !profile->data().isEmpty(); }, 10000));
    QCOMPARE(profile->data().samples().first().pressure, qint16(1013));
    QCOMPARE(profile->data().samples().first().depth, qint16(0));
    stop();
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Simulation::clearingAgreedForOneDevice_data()
{
    // What the page learns ("port P": the port chosen, "serial S": a status read naming the
    // device), and START's question: "asked A" (answered A; "closed": the box closed without an
    // answer; Escape gives No, the box's escape button) or "agreed" (no question, the run goes).
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("No: asked again") << QStringList{"port a", "serial 4660", "asked No", "asked Yes", "agreed"};
    QTest::newRow("box closed: asked again") << QStringList{"port a", "serial 4660", "asked closed", "asked Yes"};
    QTest::newRow("another port") << QStringList{"port a", "serial 4660", "asked Yes", "port b", "asked Yes"};
    QTest::newRow("the same device on another port")
        << QStringList{"port a", "serial 4660", "asked Yes", "port b", "serial 4660", "agreed"};
    QTest::newRow("another device on the same port")
        << QStringList{"port a", "serial 4660", "asked Yes", "serial 1234", "asked No", "serial 4660", "agreed"};
    QTest::newRow("agreed before the device said who it is")
        << QStringList{"port a", "asked Yes", "serial 4660", "agreed", "serial 1234", "asked No"};
}

void tst_Simulation::clearingAgreedForOneDevice()
{
    QFETCH(QStringList, steps);
    cMyScriptedDialogs dialogs;
    cMySimWidget page;
    auto *guard = page.findChild<cMySimStartGuard *>();
    const QMap<QString, cMyDialogs::Button> answers{
        {"Yes", cMyDialogs::Yes}, {"No", cMyDialogs::No}, {"closed", cMyDialogs::NoButton}};
    for (const QString &step : steps) {
        const QString what = step.section(' ', 0, 0), value = step.section(' ', 1);
        const int asked = dialogs.asked().size();
        if (what == "port")
            page.setPortName("/dev/tamira-" + value);
        else if (what == "serial")
            page.setDeviceStatistics(value, "42.2 m", "1:02:05");
        else if (what == "agreed")
            QVERIFY2(guard->clearingConfirmed() && dialogs.asked().size() == asked, qPrintable(step));
        else
            dialogs.expectMessage(answers.value(value), "Start simulation");
        if (what == "asked")
            QVERIFY2(guard->clearingConfirmed() == (value == "Yes") && dialogs.clean(), qPrintable(step));
    }
}

void tst_Simulation::startWaitsForTheStatusRead()
{
    cMyScriptedDialogs dialogs;
    // The seventh line of the second status read is answered only when the test says so.
    cMyEmulatorProcess emu({"--hold", "100"});
    QVERIFY2(emu.start(), qPrintable(emu.errorString()));
    emu.offerAsTamira();
    MainWindow w;
    w.link()->setFirstStatusDelay(0);
    QSignalSpy status(w.link(), &cMyTamira::statusChanged);
    QVERIFY(status.wait(10000));
    auto *page = child<cMySimWidget>(&w, "simWidget");
    auto button = [page](const char *name) { return child<QPushButton>(page, name); };
    const QString busy = "Tamira's port is busy (reading Tamira's status); the simulation starts when that has ended.";

    // Started while the read has the port: told, and nothing is sent until the read is over.
    child<QPushButton>(&w, "pbGetStatus")->click();
    QVERIFY(waitUntil([&] { return emu.stateFigure("lines") == 100; }));
    dialogs.expectMessage(cMyDialogs::Yes, "Start simulation");
    button("pbStartSim")->click();
    QVERIFY(page->isWaitingForPort() && page->isRunning());
    QCOMPARE(w.statusBar()->currentMessage(), busy);
    QVERIFY(button("pbStopSim")->isEnabled() && !button("pbAdd1")->isEnabled());
    QCOMPARE(emu.stateFigure("lines"), 100);
    QCOMPARE(emu.release(), 1);
    QVERIFY(status.wait(10000));
    QVERIFY(waitUntil([&] { return asText(emu.receivedLines()).contains("#SIMUL"); }));
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
    button("pbStopSim")->click();
    QVERIFY(waitUntil([&] { return !page->isRunning(); }));

    // STOP while it waits gives the run up; the read ends as it would have.
    const int before = emu.stateFigure("lines");
    QCOMPARE(emu.control(QString("hold %1").arg(before + 7)), QString("ok"));
    child<QPushButton>(&w, "pbGetStatus")->click();
    QVERIFY(waitUntil([&] { return emu.stateFigure("lines") == before + 7; }));
    button("pbStartSim")->click();
    QCOMPARE(w.statusBar()->currentMessage(), busy);
    button("pbStopSim")->click();
    QVERIFY(!page->isRunning() && button("pbStartSim")->isEnabled());
    QCOMPARE(w.statusBar()->currentMessage(), QString("Simulation not started."));
    QCOMPARE(emu.release(), 1);
    QVERIFY(status.wait(10000));
    QCOMPARE(emu.stateFigure("lines"), before + 93);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

TAMIRA_GUI_TEST_MAIN(tst_Simulation)
#include "tst_simulation.moc"
