// Replays a fuzz target's corpus (every file under the folders given) without libFuzzer, so the
// normal build and CI run each target over its seeds and every input a fuzzing run kept.

#include <QDirIterator>
#include <QFile>
#include <QTextStream>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                return 2;
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    QTextStream(stdout) << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
