#include "emulator/cmyemulog.h"

namespace {

QByteArray stamp(char kind, double seconds)
{
    return QByteArray(1, kind) + ' ' + QByteArray::number(seconds, 'f', 6);
}

QByteArray readable(const QByteArray &bytes)
{
    QByteArray out = "\"";
    for (char c : bytes) {
        const uchar u = uchar(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"' || c == '\\')
            out += QByteArray("\\") + c;
        else if (u < 0x20 || u >= 0x7F)
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out + '"';
}

QByteArray hex(const QByteArray &bytes)
{
    // An empty write still needs a field, or the entry could not be told from a short one.
    return bytes.isEmpty() ? QByteArray("-") : bytes.toHex().toUpper();
}

QByteArray unhex(const QByteArray &field)
{
    return field == "-" ? QByteArray() : QByteArray::fromHex(field);
}

} // namespace

QByteArray cMyEmuLog::received(double seconds, const QByteArray &bytes)
{
    return stamp('R', seconds) + ' ' + hex(bytes) + ' ' + readable(bytes) + '\n';
}

QByteArray cMyEmuLog::sent(double seconds, qint64 line, const QByteArray &bytes)
{
    return stamp('S', seconds) + ' ' + QByteArray::number(line) + ' ' + hex(bytes) + ' ' + readable(bytes) + '\n';
}

QByteArray cMyEmuLog::event(double seconds, const QString &text)
{
    QByteArray t = text.toUtf8();
    t.replace('\n', ' ');
    return stamp('E', seconds) + ' ' + t + '\n';
}

cMyEmuLog cMyEmuLog::parse(const QByteArray &text)
{
    cMyEmuLog log;
    QByteArray stream;
    QList<QPair<int, double>> arrivals; // where in the stream each read began, and when
    int pos = 0;
    while (pos < text.size()) {
        const int end = text.indexOf('\n', pos);
        if (end < 0)
            break;
        const QByteArray entry = text.mid(pos, end - pos);
        pos = end + 1;
        const QList<QByteArray> f = entry.split(' ');
        if (f.size() < 3)
            continue;
        if (f[0] == "R") {
            arrivals.append({stream.size(), f[1].toDouble()});
            stream += unhex(f[2]);
        } else if (f[0] == "S" && f.size() >= 4) {
            Write w{f[2].toLongLong(), unhex(f[3]), f[1].toDouble()};
            log.m_writes.append(w);
            log.m_replies[w.line] += w.bytes;
        } else if (f[0] == "E") {
            log.m_events.append(QString::fromUtf8(entry.mid(f[0].size() + f[1].size() + 2)));
        }
    }
    int start = 0;
    int arrival = 0;
    for (int nl = stream.indexOf('\n'); nl >= 0; nl = stream.indexOf('\n', start)) {
        while (arrival + 1 < arrivals.size() && arrivals.at(arrival + 1).first <= start)
            ++arrival;
        log.m_lineSeconds.append(arrivals.at(arrival).second);
        log.m_lines.append(stream.mid(start, nl + 1 - start));
        start = nl + 1;
    }
    return log;
}

QList<QByteArray> cMyEmuLog::replies() const
{
    QList<QByteArray> out;
    for (int i = 0; i < m_lines.size(); ++i)
        out.append(m_replies.value(i + 1));
    return out;
}
