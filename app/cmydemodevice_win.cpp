#include "app/cmydemodevice.h"

#include "emulator/cmyemulocaldevice.h"

#include <memory>

// No pseudo-terminals here: the emulator's device logic runs inside this program and claims the
// port name "DEMO", which the link and the simulation open like a serial port (cMyLocalPort). No
// driver and no second program are involved. TAMIRA_DEMO_LOG names a file for the wire log of
// every line and reply, as the emulator's --log writes it.

namespace {
const QString kPortName = QStringLiteral("DEMO");
}

bool cMyDemoDevice::isRunning() const
{
    return m_portPath == kPortName && cMyLocalPort::isClaimed(kPortName);
}

void cMyDemoDevice::start()
{
    if (isRunning())
        return;
    QStringList arguments = deviceArguments();
    const QString logPath = qEnvironmentVariable("TAMIRA_DEMO_LOG");
    if (!logPath.isEmpty())
        arguments << QStringLiteral("--log") << logPath;
    auto device = std::make_shared<cMyEmuLocalDevice>();
    QString error;
    if (!device->configure(arguments, &error)) {
        fail(tr("Nie można uruchomić emulatora urządzenia:\n%1").arg(error));
        return;
    }
    cMyLocalPort::claim(kPortName, device);
    m_portPath = kPortName;
    offerPort();
    emit started(m_portPath);
}

void cMyDemoDevice::stop()
{
    const bool wasAttached = !m_portPath.isEmpty();
    withdrawPort();
    cMyLocalPort::release(kPortName);
    if (wasAttached)
        emit stopped();
}
