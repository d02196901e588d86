#include "servicetool/cmydebuglog.h"

#include "servicetool/cmytextfile.h"

#include <QDir>
#include <QPlainTextEdit>

namespace servicetool {

cMyDebugLog::cMyDebugLog(QPlainTextEdit *pane, QObject *parent)
    : QObject(parent), m_pane(pane), m_file(QDir::temp().filePath(QStringLiteral("servicetool-log.XXXXXX")))
{
    m_pane->setMaximumBlockCount(kPaneLines);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kBatchMs);
    connect(&m_timer, &QTimer::timeout, this, &cMyDebugLog::flush);
}

void cMyDebugLog::append(int index, const QByteArray &sent, const QByteArray &reply)
{
    m_batch += QByteArray::number(index);
    m_batch += '\n';
    m_batch += sent.simplified();
    m_batch += '\n';
    m_batch += reply.simplified();
    m_batch += '\n';
    m_batchLines += 3;
    if (!m_timer.isActive())
        m_timer.start();
}

void cMyDebugLog::flush()
{
    m_timer.stop();
    if (m_batch.isEmpty())
        return;
    if (!m_file.isOpen() && m_whenNoFile.isEmpty())
        m_file.open();
    if (!m_file.isOpen() || m_file.write(m_batch) != m_batch.size()) {
        m_file.close();
        m_whenNoFile += m_batch;
    }

    int from = 0;
    if (m_batchLines > kLinesPerBatch) {
        from = m_batch.size() - 1;
        for (int n = 0; n < kLinesPerBatch; ++n)
            from = m_batch.lastIndexOf('\n', from - 1);
        ++from;
    }
    QString text;
    if (from > 0)
        text =
            QStringLiteral("[pominięte linie: %1; cały log: \"Zapisz log...\"]\n").arg(m_batchLines - kLinesPerBatch);
    text += QString::fromLatin1(m_batch.constData() + from, m_batch.size() - from - 1);
    m_pane->appendPlainText(text);
    m_batch.clear();
    m_batchLines = 0;
}

bool cMyDebugLog::save(const QString &path)
{
    flush();
    if (!m_file.isOpen())
        return cMyTextFile::write(path, m_whenNoFile);
    m_file.flush();
    m_file.seek(0);
    const QByteArray all = m_file.readAll();
    m_file.seek(m_file.size());
    return cMyTextFile::write(path, all);
}

} // namespace servicetool
