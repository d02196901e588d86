#include "servicetool/cmypanefiller.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace servicetool {

cMyPaneFiller::cMyPaneFiller(QPlainTextEdit *pane, QObject *parent) : QObject(parent), m_pane(pane)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &cMyPaneFiller::nextSlice);
}

void cMyPaneFiller::fill(const QByteArray &text)
{
    if (!isFilling())
        m_wasReadOnly = m_pane->isReadOnly();
    m_timer.stop();
    m_pane->clear();
    m_text = text;
    m_offset = 0;
    m_pane->setReadOnly(true);
    // An undo step per slice would keep a second copy of the text.
    m_pane->document()->setUndoRedoEnabled(false);
    nextSlice();
}

QString cMyPaneFiller::text() const
{
    if (!isFilling())
        return m_pane->toPlainText();
    QByteArray text = m_text;
    return QString::fromLatin1(text.replace("\r\n", "\n"));
}

void cMyPaneFiller::nextSlice()
{
    int end = m_offset;
    for (int n = 0; n < kLinesPerSlice; ++n) {
        const int lineEnd = m_text.indexOf('\n', end);
        if (lineEnd < 0) {
            end = m_text.size();
            break;
        }
        end = lineEnd + 1;
    }
    QTextCursor cursor(m_pane->document());
    cursor.movePosition(QTextCursor::End);
    QByteArray slice = m_text.mid(m_offset, end - m_offset);
    cursor.insertText(QString::fromLatin1(slice.replace("\r\n", "\n")));
    if (end < m_text.size()) {
        m_offset = end;
        m_timer.start();
        return;
    }
    m_text.clear();
    m_pane->setReadOnly(m_wasReadOnly);
    m_pane->document()->setUndoRedoEnabled(true);
    emit filled();
}

} // namespace servicetool
