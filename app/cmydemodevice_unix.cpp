#include "app/cmydemodevice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

// The emulator program beside this one serves the demo device on a pseudo-terminal; its first
// line of output names the terminal (readPortPath).

bool cMyDemoDevice::isRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

void cMyDemoDevice::start()
{
    if (isRunning())
        return;
    const QString program = emulatorPath();
    if (!QFileInfo(program).isExecutable()) {
        fail(tr("Nie znaleziono emulatora urządzenia:\n%1").arg(program));
        return;
    }
    m_portPath.clear();
    // --parent: the emulator ends with this process however it ends, a crash or a kill
    // included, so no demo device is ever left behind.
    m_process->start(program, deviceArguments()
                                  << QStringLiteral("--parent") << QString::number(QCoreApplication::applicationPid()));
    if (m_process->state() != QProcess::NotRunning)
        m_startTimeout->start();
}

void cMyDemoDevice::stop()
{
    m_startTimeout->stop();
    const bool wasAttached = !m_portPath.isEmpty();
    withdrawPort();
    if (isRunning()) {
        m_process->terminate();
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
    if (wasAttached)
        emit stopped();
}
