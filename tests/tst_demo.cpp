// The demo mode: the bundled emulator attached as a demo device from the Help menu and from
// --demo, the window showing its status, and no emulator left behind however the program ends.

#include "app/cmydemodevice.h"
#include "app/cmyportselect.h"
#include "app/mainwindow.h"
#include "device/portdiscovery.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

// The name, state and parent (then the rest) of a process, from /proc; empty once it is gone.
QList<QByteArray> stat(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    const int open = text.indexOf('('), close = text.lastIndexOf(')');
    return QList<QByteArray>{text.mid(open + 1, close - open - 1)} + text.mid(close + 2).split(' ');
}

bool isGone(qint64 pid)
{
    const QList<QByteArray> fields = stat(pid);
    return fields.isEmpty() || fields.at(1) == "Z";
}

qint64 emulatorOf(qint64 parent)
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        const QList<QByteArray> fields = stat(entry.toLongLong());
        if (fields.value(0) == "tamira-emulator" && fields.value(2).toLongLong() == parent)
            return entry.toLongLong();
    }
    return 0;
}

} // namespace

class tst_Demo : public QObject
{
    Q_OBJECT

private slots:
    void windowShowsTheDemoDevice();
    void emulatorEndsWithTheProgram_data();
    void emulatorEndsWithTheProgram();
};

void tst_Demo::windowShowsTheDemoDevice()
{
    // From the overview's panel shown while no Tamira is attached; the Help menu and --demo
    // start the same (run.sh's test starts the program so).
    cMyScriptedDialogs dialogs;
    auto *w = new MainWindow;
    w->show();
    auto *action = w->findChild<QAction *>(QStringLiteral("actionDemo"));
    auto *panel = w->findChild<QGroupBox *>(QStringLiteral("gbNoDevice"));
    QVERIFY(panel->isVisible());
    // Drawn as the page's other buttons and groups (white on the dark water), whatever the
    // system's style: the panel came after the page was first shown.
    auto *refresh = w->findChild<QWidget *>(QStringLiteral("pbGetStatus"));
    QCOMPARE(panel->style(), refresh->style());
    QCOMPARE(panel->findChild<QAbstractButton *>(QStringLiteral("pbDemo"))->style(), refresh->style());
    // The chooser is told of the demo's port rather than finding it at its slow safety poll.
    QSignalSpy portsChanged(&PortDiscovery::SourceNotifier::instance(), &PortDiscovery::SourceNotifier::changed);
    panel->findChild<QAbstractButton *>(QStringLiteral("pbDemo"))->click();

    // The demo device's values as the overview shows them.
    const QList<QPair<const char *, QString>> expected = {
        {"lSerialNumber", "4660"},       {"lHardwareVesrion", "2.1.0.3"}, {"lMemoryAmount", "4 MB"},
        {"lFirmwareVersion", "1.0.5.0"}, {"lVoiceLang", "English"},       {"lVoiceVersion", "1.2.0.0"},
        {"lmaxDepth", "42.2 m"},         {"lDiveTime", "1:02:05"},        {"lTamiraStatus", "Self-test: Passed"}};
    for (const auto &label : expected)
        QTRY_COMPARE_WITH_TIMEOUT(w->findChild<QLabel *>(label.first)->text(), label.second, 30000);

    auto *demo = w->findChild<cMyDemoDevice *>();
    const qint64 pid = demo->processId();
    QCOMPARE(w->findChild<QLabel *>("lTamiraPort")->text(), demo->portPath());
    QVERIFY(!portsChanged.isEmpty());
    QVERIFY(qEnvironmentVariable("TAMIRA_PORT").split(':').contains(demo->portPath()));
    QVERIFY(!action->isEnabled());
    // The demo device says what it is.
    QVERIFY(!panel->isVisible());
    QVERIFY2(w->windowTitle().endsWith(" - demo Tamira attached"), qPrintable(w->windowTitle()));
    auto *chooser = w->findChild<cMyPortSelect *>();
    QCOMPARE(chooser->currentText(), demo->portPath());
    QCOMPARE(chooser->toolTip(), "Demo Tamira (" + demo->portPath() + ")");

    delete w;
    QVERIFY(isGone(pid));
    QCOMPARE(qEnvironmentVariable("TAMIRA_PORT"), QString());
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
}

void tst_Demo::emulatorEndsWithTheProgram_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("windsDown"); // the program ends normally, its emulator before it
    QTest::newRow("terminated") << int(SIGTERM) << true;
    QTest::newRow("hung up") << int(SIGHUP) << true;
    QTest::newRow("killed") << int(SIGKILL) << false;
}

void tst_Demo::emulatorEndsWithTheProgram()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, windsDown);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    // What the program remembers goes to a folder of the test's own, not the user's.
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAMIRA_BINARY_DIR "/bin/TAMIRAdesk"), {"--demo"});
    QVERIFY(program.waitForStarted());
    qint64 emulator = 0;
    QTRY_VERIFY_WITH_TIMEOUT((emulator = emulatorOf(program.processId())) != 0, 30000);

    ::kill(pid_t(program.processId()), signalNumber);
    QVERIFY(program.waitForFinished(30000));
    if (windsDown) {
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + signalNumber);
        QVERIFY(isGone(emulator));
    } else {
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QTRY_VERIFY_WITH_TIMEOUT(isGone(emulator), 10000);
    }
}

TAMIRA_GUI_TEST_MAIN(tst_Demo)
#include "tst_demo.moc"
