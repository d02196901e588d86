// The device commands of the real window (shown, offscreen unless QT_QPA_PLATFORM says
// otherwise) against the emulator (no delay), in one run:
//  - sound library updates (the file's check, the status read and the upload) of a 4 MiB and a
//    32 MiB file (records of 48 bytes): the time per line of the smaller next to the same status
//    read and upload lines sent to the same emulator by a minimal blocking client (benchsupport.h;
//    goal: at most 3 times), and for each the
//    program's peak memory during the update above its size just before it (goal: the two within
//    10 MiB, as the library is streamed from its file);
//  - a full settings read with the window taking in its 64 records (image writes and form
//    refreshes), next to the same read with the records left out (goal: taking them in adds at
//    most 100 ms).
// usage: bench_devicecommands [reads] [smaller MiB] [larger MiB]

#include "app/mainwindow.h"
#include "base/cmydialogs.h"
#include "base/cmyhexrecord.h"
#include "bench/benchsupport.h"
#include "device/cmystatusdecoder.h"
#include "device/cmytamira.h"
#include "device/portdiscovery.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "resources/tamiraresources.h"
#include "tests/support/cmyemulatorprocess.h"

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

// Answers the two questions of an upload: which file, and yes; and lets a read replace the
// window's document without saving it (No to "save changes?", the one question with Cancel).
class Answers : public cMyDialogs
{
public:
    QString file;
    Button message(QObject *, Icon, const QString &, const QString &, Buttons buttons, Button) override
    {
        return buttons.testFlag(Cancel) ? No : Yes;
    }
    QString openFileName(QObject *, const QString &, const QString &, const QString &) override { return file; }
    QString saveFileName(QObject *, const QString &, const QString &, const QString &) override { return QString(); }
};

// A library file of about `size` bytes: records of 48 bytes, an address record at each 64 KiB,
// and the end record. Written as it is made, so the benchmark itself holds none of it.
int writeLibrary(const QString &path, qint64 size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return -1;
    QVector<quint8> bytes(48);
    int lines = 0;
    for (quint32 a = 0; f.size() < size; a += 48) {
        if (a == 0 || (a >> 16) != ((a - 48) >> 16)) {
            f.write(cMyHexRecord(quint16(a >> 16), nullptr).toString().toLatin1() + "\r\n");
            ++lines;
        }
        for (int i = 0; i < 48; ++i)
            bytes[i] = quint8(a + quint32(i) * 7);
        f.write(cMyHexRecord(quint16(a & 0xFFFF), bytes).toString().toLatin1() + "\r\n");
        ++lines;
    }
    f.write(":00000001FF\r\n");
    return lines + 1;
}

// The lines of a library as the link sends them, for the baseline.
QList<QByteArray> wireLines(const QString &path)
{
    QList<QByteArray> wire{"#ROOT\r\n", "#HEX\r\n", "#FLASH\r\n", "#WRITE\r\n"};
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                wire << line.trimmed() + "\r\n";
    return wire;
}

// Waits until the link has nothing left to do: after an upload it reads the status again.
void waitForIdleLink(MainWindow &w)
{
    QElapsedTimer waited;
    waited.start();
    while ((w.link()->isBusy() || w.link()->statusReadPending()) && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Runs the library update and waits for the upload (the transaction after the status read).
double timeUpload(MainWindow &w, int timeoutMs)
{
    QEventLoop loop;
    bool ok = false;
    int ends = 0;
    const auto c = QObject::connect(w.link(), &cMyTamira::transactionEnded, [&](cMyLinkFailure::Reason r) {
        ok = r == cMyLinkFailure::Completed;
        if (++ends == 2 || !ok)
            loop.quit();
    });
    QElapsedTimer t;
    t.start();
    w.findChild<QAction *>("actionLibraryUpdate")->trigger();
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    QObject::disconnect(c);
    waitForIdleLink(w);
    return ok && ends == 2 ? ms : -1;
}

// Runs `start` and waits for the link to end the transaction it starts.
double timeTransaction(MainWindow &w, const std::function<void()> &start, int timeoutMs)
{
    QEventLoop loop;
    bool ok = false;
    const auto c = QObject::connect(w.link(), &cMyTamira::transactionEnded, [&](cMyLinkFailure::Reason r) {
        ok = r == cMyLinkFailure::Completed;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    start();
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
    const int sizes[] = {argc > 2 ? qBound(1, atoi(argv[2]), 63) : 4, argc > 3 ? qBound(1, atoi(argv[3]), 63) : 32};
    QTextStream out(stdout);

    QTemporaryDir dir;
    Answers answers;
    cMyDialogs::install(&answers);

    // The emulator logs nothing here: its log of a library is some 60 MB. Its memory is large
    // enough for both libraries.
    cMyEmulatorProcess emu(
        {QStringLiteral("--log"), QStringLiteral("/dev/null"), QStringLiteral("--memory"), QStringLiteral("64")});
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

    // The uploads: a status read for the memory size, then the library.
    bool uploadsOk = true;
    QVector<double> peaks;
    for (const int mebibytes : sizes) {
        answers.file = dir.filePath(QStringLiteral("bench%1.tma").arg(mebibytes));
        const int n = writeLibrary(answers.file, qint64(mebibytes) * 1024 * 1024) + 4;
        const qint64 before = memoryKiB("VmRSS:");
        // Without the reset the peak would be the program's whole life's, the last update's included.
        const bool peakReset = resetPeakMemory();
        const double upload = timeUpload(window, 900000);
        const qint64 peak = memoryKiB("VmHWM:");
        uploadsOk = uploadsOk && upload >= 0;
        peaks << (peakReset ? qMax<qint64>(0, peak - before) / 1024.0 : -1);
        out << QStringLiteral("%1 MiB library update, %2 lines:\n").arg(mebibytes).arg(n);
        out << QStringLiteral("  through the window: %1 s, %2 ms per line\n")
                   .arg(upload / 1000, 0, 'f', 2)
                   .arg(upload / n, 0, 'f', 4);
        out << QStringLiteral("  memory: %1 MiB just before, peak during the update %2 MiB, %3 MiB above%4\n")
                   .arg(before / 1024.0, 0, 'f', 1)
                   .arg(peak / 1024.0, 0, 'f', 1)
                   .arg(peaks.last(), 0, 'f', 1)
                   .arg(peakReset ? QString() : QStringLiteral(" (the kernel kept the earlier peak: no figure)"));
        if (mebibytes == sizes[0]) {
            // The update's two transactions: the status read, then the upload.
            QList<QByteArray> status;
            for (const QString &line : cMyStatusDecoder::requestLines())
                status << line.toLatin1() + "\r\n";
            const double read = blockingExchange(path, status);
            const double write = blockingExchange(path, wireLines(answers.file));
            const double ping = read < 0 || write < 0 ? -1 : read + write;
            out << QStringLiteral(
                       "  minimal blocking client, same emulator: %1 s, %2 ms per line (window %3 x; goal <= 3)\n")
                       .arg(ping / 1000, 0, 'f', 2)
                       .arg(ping / n, 0, 'f', 4)
                       .arg(upload / ping, 0, 'f', 2);
            out.flush();
            printResult(QStringLiteral("%1 MiB library update through the window (file check, status read, upload), "
                                       "per line; baseline the same lines from a minimal blocking client to the same "
                                       "emulator")
                            .arg(mebibytes),
                        upload < 0 ? -1 : upload / n, QStringLiteral("ms"), ping < 0 ? -1 : ping / n, Goal::RatioAtMost,
                        3);
        }
        out.flush();
        QFile::remove(answers.file);
    }
    out << QStringLiteral("peak memory during the update, %1 MiB against %2 MiB library: %3 MiB more (goal <= 10)\n")
               .arg(sizes[1])
               .arg(sizes[0])
               .arg(peaks.value(1) - peaks.value(0), 0, 'f', 1);
    out.flush();
    printResult(QStringLiteral("peak memory during the library update of the %1 MiB file, above the size just before "
                               "it; baseline the same for the %2 MiB file")
                    .arg(sizes[1])
                    .arg(sizes[0]),
                peaks.value(1), QStringLiteral("MiB"), peaks.value(0), Goal::AboveBaselineAtMost, 10);

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
        with << timeTransaction(
            window, [&] { window.findChild<QAction *>("actionReadSettings")->trigger(); }, 60000);
        window.settingsImage()->setData(0, otherBytes);
        window.refreshSettingsForm();
        // The same read through the link alone: its records reach nobody.
        QStringList requests = window.settingsImage()->toHexLines(0, 1024, 16);
        without << timeTransaction(
            window, [&] { window.link()->readSettings(EEPROM, requests); }, 60000);
    }
    const double a = median(with), b = median(without);
    out << QStringLiteral("settings read, median of %1:\n").arg(reads);
    out << QStringLiteral("  the window taking in its 64 records (image writes and refreshes): %1 ms\n")
               .arg(a, 0, 'f', 1);
    out << QStringLiteral("  the records left out:  %1 ms (taking them in adds %2 ms; goal <= 100)\n")
               .arg(b, 0, 'f', 1)
               .arg(a - b, 0, 'f', 1);
    out.flush();
    printResult(QStringLiteral("settings read through the window, its 64 records taken into the image and the form; "
                               "baseline the same read with the records left out"),
                with.contains(-1) ? -1 : a, QStringLiteral("ms"), without.contains(-1) ? -1 : b,
                Goal::AboveBaselineAtMost, 100);
    cMyDialogs::install(nullptr);
    return !uploadsOk || with.contains(-1) || without.contains(-1) ? 1 : 0;
}
