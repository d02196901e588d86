#include "emulator/cmyemulineassembler.h"

cMyEmuLineAssembler::cMyEmuLineAssembler(int maxLength) : m_maxLength(maxLength) {}

QList<cMyEmuLineAssembler::Line> cMyEmuLineAssembler::feed(const QByteArray &chunk, qint64 nowNs)
{
    QList<Line> lines;
    int pos = 0;
    while (pos < chunk.size()) {
        if (m_length == 0)
            m_firstByteNs = nowNs;
        const int newline = chunk.indexOf('\n', pos);
        const int end = newline < 0 ? chunk.size() : newline + 1;
        const int room = m_maxLength - m_current.size();
        if (room > 0)
            m_current.append(chunk.constData() + pos, qMin(room, end - pos));
        m_length += end - pos;
        pos = end;
        if (newline >= 0) {
            const bool overlong = m_length > m_maxLength;
            lines.append({m_current, overlong, m_firstByteNs});
            m_current.clear();
            m_length = 0;
        }
    }
    return lines;
}
