#include "emulator/cmyemulocaldevice.h"

#include "emulator/cmyemulog.h"

cMyEmuLocalDevice::cMyEmuLocalDevice()
{
    m_clock.start();
}

bool cMyEmuLocalDevice::configure(const QStringList &arguments, QString *error)
{
    cMyEmuOptions options(m_device, m_faults, m_io);
    if (!options.parseArguments(arguments, error))
        return false;
    if (!m_io.logPath.isEmpty()) {
        m_log.setFileName(m_io.logPath);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            *error = QStringLiteral("cannot write the log %1").arg(m_io.logPath);
            return false;
        }
        log(cMyEmuLog::event(seconds(), QStringLiteral("start in-process baud=%1").arg(m_io.baud)));
    }
    return true;
}

QByteArray cMyEmuLocalDevice::receive(const QByteArray &bytes)
{
    log(cMyEmuLog::received(seconds(), bytes));
    QByteArray answer;
    const QList<cMyEmuLineAssembler::Line> lines = m_lines.feed(bytes, m_clock.nsecsElapsed());
    for (const cMyEmuLineAssembler::Line &line : lines) {
        ++m_lineNumber;
        const cMyEmuDevice::Reply reply = m_device.handleLine(line.bytes, line.overlong);
        if (reply.bytes.isEmpty())
            continue;
        log(cMyEmuLog::sent(seconds(), m_lineNumber, reply.bytes));
        answer += reply.bytes;
    }
    return answer;
}

void cMyEmuLocalDevice::log(const QByteArray &entry)
{
    if (m_log.isOpen())
        m_log.write(entry);
}
