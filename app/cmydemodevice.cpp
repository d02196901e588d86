#include "app/cmydemodevice.h"

#include "device/portdiscovery.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// Long enough for a loaded machine; the emulator prints its port at once.
constexpr int kStartTimeoutMs = 10000;

QStringList offeredPorts()
{
    return PortDiscovery::environmentPaths();
}

void setOfferedPorts(const QStringList &ports)
{
    PortDiscovery::setEnvironmentPaths(ports);
}

} // namespace

cMyDemoDevice::cMyDemoDevice(QObject *parent)
    : QObject(parent), m_process(new QProcess(this)), m_startTimeout(new QTimer(this))
{
    // The emulator's own complaints (a bad option, no pseudo-terminal) belong on the terminal.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_startTimeout->setSingleShot(true);
    m_startTimeout->setInterval(kStartTimeoutMs);
    connect(m_startTimeout, &QTimer::timeout, this, [this] { fail(tr("Emulator urządzenia nie odpowiada.")); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &cMyDemoDevice::readPortPath);
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &cMyDemoDevice::processFinished);
    connect(m_process, &QProcess::errorOccurred, this, &cMyDemoDevice::processError);
}

cMyDemoDevice::~cMyDemoDevice()
{
    // The owner is going away: it hears nothing more, but the emulator must still go.
    blockSignals(true);
    stop();
}

QString cMyDemoDevice::emulatorPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tamira-emulator");
}

QStringList cMyDemoDevice::deviceArguments()
{
    return {QStringLiteral("--flags"), QStringLiteral("1"), QStringLiteral("--max-depth"), QStringLiteral("4217"),
            QStringLiteral("--dive-time"), QStringLiteral("3725"), QStringLiteral("--serial"), QStringLiteral("4660"),
            QStringLiteral("--hardware"), QStringLiteral("2.1.0.3"), QStringLiteral("--memory"), QStringLiteral("4"),
            QStringLiteral("--firmware"), QStringLiteral("1.0.5.0"), QStringLiteral("--language"),
            QStringLiteral("English"), QStringLiteral("--library"), QStringLiteral("1.2.0.0"),
            // Twelve times a real Tamira's 9600 baud: a transfer still shows its progress and a
            // simulated dive runs at a few cycles a second, where an emulator answering at once
            // would flash the dialogs past and spin a core on the simulation.
            QStringLiteral("--baud"), QStringLiteral("115200")};
}

void cMyDemoDevice::readPortPath()
{
    if (!m_portPath.isEmpty() || !m_startTimeout->isActive()) {
        m_process->readAllStandardOutput(); // nothing else is expected; keep the pipe drained
        return;
    }
    if (!m_process->canReadLine())
        return;
    const QString path = QString::fromLocal8Bit(m_process->readLine()).trimmed();
    m_startTimeout->stop();
    if (path.isEmpty()) {
        fail(tr("Emulator urządzenia nie podał swojego portu."));
        return;
    }
    m_portPath = path;
    offerPort();
    emit started(m_portPath);
}

void cMyDemoDevice::processFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_portPath.isEmpty()) {
        withdrawPort();
        emit stopped();
    } else if (m_startTimeout->isActive()) {
        fail(status == QProcess::CrashExit ? tr("Emulator urządzenia uległ awarii.")
                                           : tr("Emulator urządzenia zakończył pracę (kod %1).").arg(exitCode));
    }
}

void cMyDemoDevice::processError(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        fail(tr("Nie można uruchomić emulatora urządzenia:\n%1").arg(m_process->errorString()));
}

void cMyDemoDevice::fail(const QString &reason)
{
    m_startTimeout->stop();
    withdrawPort();
    if (isRunning()) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    emit failed(reason);
}

void cMyDemoDevice::offerPort()
{
    setOfferedPorts(offeredPorts() << m_portPath);
}

void cMyDemoDevice::withdrawPort()
{
    if (m_portPath.isEmpty())
        return;
    QStringList ports = offeredPorts();
    ports.removeOne(m_portPath);
    setOfferedPorts(ports);
    m_portPath.clear();
}
