// The device commands of the real window against the emulator (no delay), in one run:
//  - a 4 MiB sound library upload (about 87,000 records): the host's time per line next to a
//    plain pty ping-pong of the same lines (goal: at most 3 times), and the program's peak
//    memory above the idle program (goal: at most 60 MiB);
//  - a full settings read with its 64 form refreshes, next to the same read with the refreshes
//    left out (goal: the refreshes add at most 100 ms).
// usage: bench_devicecommands [reads]

#include "benchsupport.h"
#include "cmydialogs.h"
#include "cmyemulatorprocess.h"
#include "cmyhexrecord.h"
#include "cmymemoryarea.h"
#include "cmysettingsfile.h"
#include "cmytamira.h"
#include "mainwindow.h"
#include "portdiscovery.h"
#include "tamiraresources.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

namespace {

// Answers the two questions of an upload: which file, and yes.
class Answers : public cMyDialogs
{
public:
    QString file;
    Button message(QObject *, Icon, const QString &, const QString &, Buttons, Button) override { return Yes; }
    QString openFileName(QObject *, const QString &, const QString &, const QString &) override { return file; }
    QString saveFileName(QObject *, const QString &, const QString &, const QString &) override { return QString(); }
};

// 4 MiB in records of 48 bytes, with an address record at each 64 KiB, and the end record.
QStringList libraryLines()
{
    QStringList lines;
    const quint32 size = 4 * 1024 * 1024;
    QVector<quint8> bytes(48);
    for (quint32 a = 0; a < size; a += 48) {
        if (a == 0 || (a >> 16) != ((a - 48) >> 16))
            lines << cMyHexRecord(quint16(a >> 16), nullptr).toString();
        for (int i = 0; i < 48; ++i)
            bytes[i] = quint8(a + quint32(i) * 7);
        const int n = int(qMin<quint32>(48, size - a));
        lines << cMyHexRecord(quint16(a & 0xFFFF), bytes.mid(0, n)).toString();
    }
    lines << QStringLiteral(":00000001FF");
    return lines;
}

// Runs the action and waits for the link to end the transaction it starts.
double timeTransaction(MainWindow &w, const char *action, int timeoutMs)
{
    QEventLoop loop;
    bool ok = false;
    const auto c = QObject::connect(w.link(), &cMyTamira::transactionEnded, [&](cMyTamira::EndReason r) {
        ok = r == cMyTamira::Completed;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    w.findChild<QAction *>(action)->trigger();
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(c);
    return ok ? t.nsecsElapsed() / 1e6 : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator translator;
    installEnglishCatalogue(translator);
    QLoggingCategory::setFilterRules(QStringLiteral("tamira.link.debug=false"));
    const int reads = argc > 1 ? qMax(1, atoi(argv[1])) : 11;
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QStringList library = libraryLines();
    Answers answers;
    answers.file = dir.filePath(QStringLiteral("bench.tma"));
    {
        QFile f(answers.file);
        f.open(QIODevice::WriteOnly);
        f.write(library.join(QLatin1String("\r\n")).toLatin1());
    }
    cMyDialogs::install(&answers);

    // The emulator logs nothing here: its log of a library is some 60 MB.
    cMyEmulatorProcess emu({QStringLiteral("--log"), QStringLiteral("/dev/null")});
    if (!emu.start()) {
        out << "emulator: " << emu.errorString() << "\n";
        return 1;
    }
    const QString path = emu.portPath();
    PortDiscovery::setSource([path] {
        return QList<SerialPortEntry>{{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira}};
    });
    MainWindow window;
    window.show();
    window.ensureSettingsForm();
    {
        QEventLoop wait;
        QObject::connect(window.link(), &cMyTamira::statusChanged, &wait, &QEventLoop::quit);
        QTimer::singleShot(10000, &wait, &QEventLoop::quit);
        wait.exec();
    }

    // The upload.
    const qint64 idle = memoryKiB("VmRSS:");
    const double upload = timeTransaction(window, "actionLibraryUpdate", 600000);
    const qint64 peak = memoryKiB("VmHWM:");
    QList<QByteArray> wire{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#WRITE\r\n"};
    for (const QString &l : library)
        wire << l.toLatin1() + "\r\n";
    EchoPeer peer;
    double ping = -1;
    if (peer.start())
        ping = pingPongOnce(peer.path(), wire);
    const int n = wire.size();
    out << QStringLiteral("4 MiB library upload, %1 lines:\n").arg(n);
    out << QStringLiteral("  through the window: %1 s, %2 ms per line\n").arg(upload / 1000, 0, 'f', 2).arg(upload / n, 0, 'f', 4);
    out << QStringLiteral("  plain pty ping-pong: %1 s, %2 ms per line (window %3 x; goal <= 3)\n")
               .arg(ping / 1000, 0, 'f', 2).arg(ping / n, 0, 'f', 4).arg(upload / ping, 0, 'f', 2);
    out << QStringLiteral("  memory: idle %1 MiB, peak %2 MiB, %3 MiB above idle (goal <= 60)\n")
               .arg(idle / 1024.0, 0, 'f', 1).arg(peak / 1024.0, 0, 'f', 1).arg((peak - idle) / 1024.0, 0, 'f', 1);
    out.flush();

    // Settings reads, alternating with and without the window's refreshes. Before each read the
    // image holds another document, so every record changes editors.
    cMyMemoryArea other;
    cMySettingsFile::read(QStringLiteral(":/pliki/clear.tmo"), other);
    for (int r = 0; r < 24; ++r)
        other.setData(quint32(0x140 + 8 * r), QVector<quint8>{0, 32, 0, 0xF4, 1, 216, 2, 1});
    const QVector<quint8> otherBytes = other.readBytes(0, 1024);
    QVector<double> with, without;
    for (int i = 0; i < reads; ++i) {
        window.settingsImage()->setData(0, otherBytes);
        window.refreshSettingsForm();
        with << timeTransaction(window, "actionReadSettings", 60000);
        QObject::disconnect(window.link(), &cMyTamira::newDataRead, &window, &MainWindow::newDataRead);
        window.settingsImage()->setData(0, otherBytes);
        window.refreshSettingsForm();
        without << timeTransaction(window, "actionReadSettings", 60000);
        QObject::connect(window.link(), &cMyTamira::newDataRead, &window, &MainWindow::newDataRead);
    }
    const double a = median(with), b = median(without);
    out << QStringLiteral("settings read, median of %1:\n").arg(reads);
    out << QStringLiteral("  with its 64 refreshes: %1 ms\n").arg(a, 0, 'f', 1);
    out << QStringLiteral("  without them:          %1 ms (the refreshes add %2 ms; goal <= 100)\n").arg(b, 0, 'f', 1).arg(a - b, 0, 'f', 1);
    cMyDialogs::install(nullptr);
    return upload < 0 || with.contains(-1) || without.contains(-1) ? 1 : 0;
}
