#include "tests/support/cmyemulatorprocess.h"

#include "device/portdiscovery.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

namespace {

// Waits for one whole line on the process's standard output.
bool waitForLine(QProcess &process, QDeadlineTimer deadline)
{
    while (!process.canReadLine()) {
        if (process.state() == QProcess::NotRunning && process.bytesAvailable() == 0)
            return false;
        if (deadline.hasExpired())
            return false;
        process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    return true;
}

QString emulatorProgram()
{
    const QString fromEnvironment = qEnvironmentVariable("TAMIRA_EMULATOR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
#ifdef TAMIRA_EMULATOR
    return QStringLiteral(TAMIRA_EMULATOR);
#else
    return QStringLiteral("tamira-emulator");
#endif
}

} // namespace

cMyEmulatorProcess::cMyEmulatorProcess(const QStringList &arguments)
    : m_program(emulatorProgram()), m_arguments(arguments)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

cMyEmulatorProcess::~cMyEmulatorProcess()
{
    stop();
}

bool cMyEmulatorProcess::start(int timeoutMs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder for the log");
        return false;
    }
    QStringList args = m_arguments;
    if (!args.contains(QLatin1String("--log"))) {
        m_logPath = m_dir.filePath(QStringLiteral("emulator.log"));
        args << QStringLiteral("--log") << m_logPath;
    } else {
        m_logPath = args.value(args.indexOf(QLatin1String("--log")) + 1);
    }
    // A test killed at its time-out must not leave its device behind.
    args << QStringLiteral("--parent") << QString::number(QCoreApplication::applicationPid());
    m_process.start(m_program, args);
    const QDeadlineTimer deadline(timeoutMs);
    if (!m_process.waitForStarted(int(qMax<qint64>(1, deadline.remainingTime())))) {
        m_error = QStringLiteral("cannot start %1: %2").arg(m_program, m_process.errorString());
        return false;
    }
    if (!waitForLine(m_process, deadline)) {
        m_error = QStringLiteral("%1 printed no port path: %2")
                      .arg(m_program, QString::fromLocal8Bit(m_process.readAllStandardError()));
        return false;
    }
    m_portPath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_portPath.isEmpty();
}

void cMyEmulatorProcess::offerAsTamira() const
{
    const QString path = m_portPath;
    PortDiscovery::setSource([path] {
        return QList<SerialPortEntry>{{path, true, PortDiscovery::kVendorAtmel, PortDiscovery::kProductTamira}};
    });
}

QString cMyEmulatorProcess::errorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    return QString::fromLocal8Bit(m_process.readAllStandardError());
}

QString cMyEmulatorProcess::control(const QString &command, int timeoutMs)
{
    if (!isRunning())
        return QString();
    m_process.write((command + QLatin1Char('\n')).toUtf8());
    if (!waitForLine(m_process, QDeadlineTimer(timeoutMs)))
        return QString();
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

int cMyEmulatorProcess::stateFigure(const QString &name)
{
    const QRegularExpression figure(QStringLiteral("\\b%1=(\\d+)").arg(name));
    const QRegularExpressionMatch match = figure.match(control(QStringLiteral("state")));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

int cMyEmulatorProcess::release()
{
    const QString answer = control(QStringLiteral("release"));
    return answer.startsWith(QLatin1String("ok released=")) ? answer.mid(12).toInt() : -1;
}

cMyEmuLog cMyEmulatorProcess::log()
{
    if (isRunning())
        control(QStringLiteral("sync"));
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly))
        return cMyEmuLog();
    return cMyEmuLog::parse(file.readAll());
}

bool cMyEmulatorProcess::waitForExit(int timeoutMs)
{
    if (!isRunning())
        return true;
    return m_process.waitForFinished(timeoutMs);
}

void cMyEmulatorProcess::stop()
{
    if (!isRunning())
        return;
    m_process.closeWriteChannel();
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}
