#include "servicetool/cmyportselect.h"

#include "device/portdiscovery.h"

#include <QEvent>
#include <QTimer>

namespace servicetool {

cMyPortSelect::cMyPortSelect(QWidget *parent) : QComboBox(parent), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("portSelect"));
    setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    setEnabled(false);
    connect(m_timer, &QTimer::timeout, this, &cMyPortSelect::updatePorts);
    m_timer->start(kPollMs);
    // Commands go to the port shown: a port picked by hand is reported like a rebuilt list.
    connect(this, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { emit deviceConnected(true, itemText(index)); });
}

void cMyPortSelect::updatePorts()
{
    const QStringList ports = PortDiscovery::tamiraPorts(PortDiscovery::availablePorts());
    if (count() > 0 && ports == m_ports)
        return;

    const QString remembered = currentText();
    clear();
    if (ports.isEmpty()) {
        addItem(QStringLiteral("Brak urządzeń"));
        setEnabled(false);
        emit deviceConnected(false, QString());
    } else {
        addItems(ports);
        setCurrentIndex(qMax(0, ports.indexOf(remembered)));
        setEnabled(true);
        emit deviceConnected(true, currentText());
    }
    m_ports = ports;
}

void cMyPortSelect::setPolling(bool on)
{
    if (!on)
        m_timer->stop();
    else if (!m_timer->isActive())
        m_timer->start(kPollMs);
}

void cMyPortSelect::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        clear();
        updatePorts();
    }
}

} // namespace servicetool
