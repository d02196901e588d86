#include "servicetool/cmyoutputfile.h"

#include "servicetool/cmyconsole.h"
#include "servicetool/cmyfileopen.h"

#include <cstdio>

namespace servicetool {

cMyOutputFile::cMyOutputFile(const QString &path, bool dashIsStdout)
    : m_path(path), m_stdout(dashIsStdout && path == QLatin1String("-"))
{}

bool cMyOutputFile::open(bool textMode)
{
    const QIODevice::OpenMode mode = textMode ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly;
    if (m_stdout) {
        std::fflush(stdout);
        cMyConsole::setBinary(stdout);
        if (!m_inPlace.open(1, mode))
            return fail(m_inPlace.errorString());
        m_device = &m_inPlace;
        return true;
    }
    QString reason;
    switch (openInPlaceForWriting(m_inPlace, m_path, &reason)) {
    case OpenResult::Opened:
        m_inPlace.setTextModeEnabled(textMode);
        m_device = &m_inPlace;
        return true;
    case OpenResult::Failed:
        return fail(reason);
    case OpenResult::NotRegular:
        break;
    }
    m_save.setFileName(m_path);
    if (!m_save.open(mode))
        return fail(m_save.errorString());
    m_device = &m_save;
    return true;
}

bool cMyOutputFile::write(const QByteArray &bytes)
{
    if (!m_device)
        return false;
    // A write that failed while the buffer was flushed (a full disk) is only seen here. One cut
    // short is reported without its reason; trying the rest again gives it.
    if (m_device->write(bytes) != bytes.size() || !m_device->flush()) {
        m_device->flush();
        const QString reason = m_device->errorString();
        cancel();
        return fail(reason);
    }
    return true;
}

bool cMyOutputFile::commit()
{
    if (!m_device)
        return false;
    m_device = nullptr;
    if (m_save.isOpen()) {
        if (!m_save.commit())
            return fail(m_save.errorString());
        return true;
    }
    m_inPlace.close();
    return true;
}

void cMyOutputFile::cancel()
{
    m_device = nullptr;
    if (m_save.isOpen()) {
        m_save.cancelWriting();
        m_save.commit();
    }
    m_inPlace.close();
}

bool cMyOutputFile::fail(const QString &reason)
{
    m_reason = reason;
    return false;
}

} // namespace servicetool
