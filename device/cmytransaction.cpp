#include "device/cmytransaction.h"

#include "device/cmytamira.h"

cMyTransaction::cMyTransaction(cMyTamira *link, int state, MemoryType area, const QStringList &lines)
    : QObject(link), m_link(link), m_state(state), m_area(area)
{
    m_lines.reserve(lines.size());
    for (const QString &line : lines)
        m_lines << line.toLatin1() + QByteArrayLiteral("\r\n");
    m_lineCount = m_lines.size();
}

cMyTransaction::~cMyTransaction() = default;

void cMyTransaction::cancel()
{
    // Only one transaction runs at a time: one not finished is the link's current one.
    if (!m_finished)
        m_link->breakCommunication();
}

bool cMyTransaction::lineAt(int index, QByteArray &line)
{
    if (index < m_lines.size()) {
        line = m_lines.at(index);
        return true;
    }
    if (!m_source || !m_source->nextLine(line))
        return false;
    line += QByteArrayLiteral("\r\n");
    return true;
}

void cMyTransaction::finish(const cMyLinkFailure &end)
{
    m_finished = true;
    m_end = end;
    m_source.reset();
    m_replies.clear();
    emit finished();
}
