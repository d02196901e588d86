#include "app/cmyportselect.h"

#include "device/cmyportmonitor.h"
#include "device/portdiscovery.h"

#include <QTimer>

#include <algorithm>

namespace {
// The first look, once the window that holds the chooser has made its connections.
constexpr int kFirstLookMs = 100;
} // namespace

cMyPortSelect::cMyPortSelect(QWidget *parent)
    : QComboBox(parent), m_monitor(new cMyPortMonitor(this))
{
    setObjectName(QStringLiteral("portSelect"));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setEnabled(false);
    addItem(tr("Brak urządzeń"));
    // Enumerating the ports costs milliseconds of CPU, so it happens only when they may have
    // changed, not ten times a second.
    connect(m_monitor, &cMyPortMonitor::portsMayHaveChanged, this, &cMyPortSelect::updatePorts);
    QTimer::singleShot(kFirstLookMs, this, &cMyPortSelect::updatePorts);
}

void cMyPortSelect::updatePorts()
{
    const QList<SerialPortEntry> ports = PortDiscovery::availablePorts();

    const bool bootPort = std::any_of(ports.cbegin(), ports.cend(), &PortDiscovery::isBootloader);
    // The box that answers this signal is modal and the polling goes on beneath it, so the
    // signal is raised only when a bootloader port appears.
    if (bootPort && !m_bootPortSeen)
        emit bootMode();
    m_bootPortSeen = bootPort;

    const QStringList names = PortDiscovery::tamiraPorts(ports);
    if (names.size() == m_portCount)
        return;

    // The port the user has chosen since the last rebuild is the one to keep.
    if (isEnabled())
        m_portName = currentText();
    clear();
    if (names.isEmpty()) {
        addItem(QString());
        setEnabled(false);
    } else {
        for (const QString &name : qAsConst(names)) {
            addItem(name);
            if (name == m_portName)
                setCurrentIndex(count() - 1);
        }
        setEnabled(true);
    }
    m_portName = currentText();
    m_portCount = names.size();
}
