#include "emulator/cmyemufaultplan.h"

#include <algorithm>

const QByteArray cMyEmuFaultPlan::kBangLine = QByteArrayLiteral("!BUSY\r\n");
const QByteArray cMyEmuFaultPlan::kBabbleBytes(64, 'Z');

namespace {

int contentEnd(const QByteArray &reply)
{
    int end = reply.size();
    while (end > 0 && (reply.at(end - 1) == '\n' || reply.at(end - 1) == '\r'))
        --end;
    return end;
}

bool corruptChecksum(QByteArray &reply)
{
    const int end = contentEnd(reply);
    if (!reply.startsWith(':') || end < 3)
        return false;
    bool ok = false;
    const int check = reply.mid(end - 2, 2).toInt(&ok, 16);
    if (!ok)
        return false;
    const QByteArray wrong = QByteArray::number((check + 1) & 0xFF, 16).toUpper().rightJustified(2, '0');
    reply.replace(end - 2, 2, wrong);
    return true;
}

void corruptEcho(QByteArray &reply)
{
    const int end = contentEnd(reply);
    // Leave the leading "#" or ":" alone so the reply still looks like the kind it should be.
    const int at = end >= 2 ? 1 : (end == 1 ? 0 : -1);
    if (at < 0) {
        reply.prepend('X');
        return;
    }
    reply[at] = reply.at(at) == 'X' ? 'Y' : 'X';
}

} // namespace

void cMyEmuFaultPlan::clear()
{
    *this = cMyEmuFaultPlan();
}

cMyEmuFaultPlan::Outcome cMyEmuFaultPlan::apply(qint64 line, const QByteArray &reply) const
{
    Outcome out;
    out.hangUp = line == m_hangUpAfter;
    if (isSilent(line)) {
        out.process = false;
        out.applied << QStringLiteral("silent");
        return out;
    }

    if (m_babble.contains(line)) {
        out.babble = m_babble.value(line);
        out.applied << (out.babble == Babble::Bytes ? QStringLiteral("endless bytes without a line end")
                                                    : QStringLiteral("endless busy lines"));
        if (out.hangUp)
            out.applied << QStringLiteral("hang-up");
        return out;
    }

    QByteArray bytes = reply;
    if (m_wrongEcho.contains(line)) {
        corruptEcho(bytes);
        out.applied << QStringLiteral("wrong-echo");
    }
    if (m_badChecksum.contains(line)) {
        if (corruptChecksum(bytes))
            out.applied << QStringLiteral("bad-checksum");
        else
            out.applied << QStringLiteral("bad-checksum skipped (reply is no record)");
    }
    if (m_nul.contains(line)) {
        const int wanted = m_nul.value(line);
        const int at = wanted < 0 ? bytes.size() / 2 : std::min(wanted, int(bytes.size()));
        bytes.insert(at, '\0');
        out.applied << QStringLiteral("nul at %1").arg(at);
    }

    const int bangs = m_bang.value(line, 0);
    for (int i = 0; i < bangs; ++i)
        out.writes.append({kBangLine, i == 0 ? 0 : m_gapMs});
    if (bangs > 0)
        out.applied << QStringLiteral("bang x%1").arg(bangs);
    const int replyGap = bangs > 0 ? m_gapMs : 0;

    if (m_split.contains(line) && bytes.size() >= 2) {
        const int wanted = m_split.value(line);
        const int at = wanted < 0 ? bytes.size() / 2 : std::clamp(wanted, 1, int(bytes.size()) - 1);
        out.writes.append({bytes.left(at), replyGap});
        out.writes.append({bytes.mid(at), m_gapMs});
        out.applied << QStringLiteral("split at %1").arg(at);
    } else {
        out.writes.append({bytes, replyGap});
    }
    if (m_hold.contains(line)) {
        out.hold = true;
        out.applied << QStringLiteral("held until released");
    }
    if (out.hangUp)
        out.applied << QStringLiteral("hang-up");
    return out;
}
