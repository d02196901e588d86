// Time of one refresh of the settings form: on an unchanged image, and right after a different
// document was loaded into the image (every editor then changes). A device read refreshes the
// form 64 times, so 1.5 ms per refresh keeps that under 100 ms.

#include "cmymemoryarea.h"
#include "cmysettingsfile.h"
#include "mainwindow.h"
#include "tamiraresources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTranslator>
#include <algorithm>

namespace {

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

// A document unlike the blank template: every rule in use, other parameters and texts.
QVector<quint8> busyDocument()
{
    cMyMemoryArea image;
    cMySettingsFile::read(QStringLiteral(":/pliki/clear.tmo"), image);
    const quint8 measured[] = {32, 16, 40, 48, 0, 56};
    for (int r = 0; r < 32; ++r) {
        const quint8 code = measured[r % 6];
        image.setData(quint32(0x100 + 8 * r), QVector<quint8>{quint8(r % 12), code, quint8(r & 1), quint8(10 + r), 0,
                                                                quint8(r < 8 ? 128 + r % 4 : 192 + r % 3), quint8(r % 8), quint8(r % 9)});
    }
    image.setData(0x80, QVector<quint8>{75, 0xF6, 0x58, 0x02, 8});
    image.setData(0x10, QVector<quint8>{'B', 'e', 'n', 'c', 'h', 0});
    QByteArray description("A long description of a training set.\nSecond line.");
    image.setData(0x200, QVector<quint8>(description.begin(), description.end()));
    image.setData(0x200 + quint32(description.size()), quint8(0));
    return image.readBytes(0, 1024);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator translator;
    installEnglishCatalogue(translator);

    MainWindow window;
    window.ensureSettingsForm();
    cMyMemoryArea *image = window.settingsImage();
    const QVector<quint8> blank = image->readBytes(0, 1024);
    const QVector<quint8> busy = busyDocument();

    const int runs = 201;
    QVector<double> unchanged, loaded;
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        t.start();
        window.refreshSettingsForm();
        unchanged.append(t.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < runs; ++i) {
        image->setData(0, i % 2 ? blank : busy);
        t.start();
        window.refreshSettingsForm();
        loaded.append(t.nsecsElapsed() / 1e6);
    }
    // A device read: 64 records of 16 bytes arrive one after another, each followed by a refresh.
    QVector<double> reads;
    for (int i = 0; i < 21; ++i) {
        const QVector<quint8> &next = i % 2 ? blank : busy;
        t.start();
        for (int record = 0; record < 64; ++record) {
            image->setData(quint32(16 * record), next.mid(16 * record, 16));
            window.refreshSettingsForm();
        }
        reads.append(t.nsecsElapsed() / 1e6);
    }
    QTextStream out(stdout);
    out << QStringLiteral("refreshSettingsForm, median of %1 runs (goal: at most 1.5 ms)\n").arg(runs);
    out << QStringLiteral("  unchanged image:     %1 ms\n").arg(median(unchanged), 0, 'f', 3);
    out << QStringLiteral("  freshly loaded image: %1 ms\n").arg(median(loaded), 0, 'f', 3);
    out << QStringLiteral("  a device read (64 records, a refresh after each): %1 ms (median of 21; goal: below 100 ms)\n")
               .arg(median(reads), 0, 'f', 1);
    return 0;
}
