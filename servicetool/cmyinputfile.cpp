#include "servicetool/cmyinputfile.h"

#include "servicetool/cmyfileopen.h"

namespace servicetool {

cMyInputFile::cMyInputFile(const QString &path, bool dashIsStdin)
    : m_path(path), m_stdin(dashIsStdin && path == QLatin1String("-"))
{}

cMyInputFile::Status cMyInputFile::open()
{
    m_total = 0;
    if (m_stdin) {
        if (m_file.open(0, QIODevice::ReadOnly))
            return Ok;
        m_reason = m_file.errorString();
        return CannotOpen;
    }
    switch (openRegularForReading(m_file, m_path, &m_reason)) {
    case OpenResult::Opened:
        return Ok;
    case OpenResult::NotRegular:
        return NotRegular;
    case OpenResult::Failed:
        break;
    }
    return CannotOpen;
}

cMyInputFile::Status cMyInputFile::read(QByteArray *piece)
{
    *piece = m_file.read(64 * 1024);
    if (piece->isEmpty() && m_file.error() != QFileDevice::NoError) {
        m_reason = m_file.errorString();
        return ReadFailed;
    }
    m_total += piece->size();
    return m_total > kLimit ? TooLarge : Ok;
}

cMyInputFile::Status cMyInputFile::readAll(const QString &path, QByteArray *bytes, QString *reason)
{
    cMyInputFile file(path, false);
    Status status = file.open();
    if (status == Ok)
        file.m_file.setTextModeEnabled(true);
    bytes->clear();
    for (QByteArray piece; status == Ok;) {
        status = file.read(&piece);
        if (piece.isEmpty())
            break;
        bytes->append(piece);
    }
    if (status != Ok)
        bytes->clear();
    *reason = file.reason();
    return status;
}

} // namespace servicetool
