// Intel HEX codec speed: toString + fromString round trips of a 16-byte record on one core.

#include "base/cmyhexrecord.h"
#include "bench/benchsupport.h"

#include <QElapsedTimer>
#include <QTextStream>

int main()
{
    QVector<quint8> bytes(16);
    for (int i = 0; i < 16; ++i)
        bytes[i] = quint8(i * 17);
    const int rounds = 2000000;
    cMyHexRecord parsed;
    quint64 check = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        bytes[0] = quint8(i);
        const cMyHexRecord record(quint16(i), bytes);
        if (!parsed.fromString(record.toString()))
            return 1;
        check += parsed.address();
    }
    const double seconds = t.nsecsElapsed() / 1e9;
    QTextStream(stdout) << QStringLiteral("%1 round trips of a 16-byte record in %2 s: %3 per second "
                                          "(goal: at least 1000000); checksum %4\n")
                               .arg(rounds)
                               .arg(seconds, 0, 'f', 3)
                               .arg(rounds / seconds, 0, 'f', 0)
                               .arg(check);
    printResult(QStringLiteral("record codec: toString + fromString round trips of a 16-byte record, one core"),
                rounds / seconds, QStringLiteral("/s"), std::nullopt, Goal::AtLeast, 1000000);
    return 0;
}
