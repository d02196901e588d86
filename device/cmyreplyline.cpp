#include "device/cmyreplyline.h"

#include "base/cmyhexrecord.h"

bool cMyReplyLine::take(QByteArray &pending, QByteArray &line)
{
    const int end = pending.indexOf('\n');
    if (end < 0)
        return false;
    if (end + 1 == pending.size()) {
        line.swap(pending); // the usual case: one whole reply
        pending.clear();
    } else {
        line = pending.left(end + 1);
        pending.remove(0, end + 1);
    }
    line = clean(line);
    return true;
}

QByteArray cMyReplyLine::clean(const QByteArray &line)
{
    int start = 0;
    while (start < line.size() && line.at(start) == '\0')
        ++start;
    const int nul = line.indexOf('\0', start);
    return line.mid(start, nul < 0 ? -1 : nul - start);
}

bool cMyReplyLine::answers(const QByteArray &sent, const QByteArray &reply, bool readMode)
{
    if (!readMode || !sent.startsWith(':'))
        return reply == sent;
    cMyHexRecord request;
    if (!request.fromString(QString::fromLatin1(sent)) || request.type() != cMyHexRecord::Data)
        return reply == sent;
    cMyHexRecord answer;
    return answer.fromString(QString::fromLatin1(reply)) && answer.type() == cMyHexRecord::Data
           && answer.address() == request.address() && answer.data().size() == request.data().size();
}
