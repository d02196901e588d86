#include "app/cmyportselect.h"

#include "device/cmyportmonitor.h"
#include "device/portdiscovery.h"

#include <QEvent>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>

namespace {
// The first look, once the window that holds the chooser has made its connections.
constexpr int kFirstLookMs = 100;
} // namespace

cMyPortSelect::cMyPortSelect(QWidget *parent) : QComboBox(parent), m_monitor(new cMyPortMonitor(this))
{
    setObjectName(QStringLiteral("portSelect"));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setEnabled(false);
    addItem(tr("Brak urządzeń"));
    // Enumerating the ports costs milliseconds of CPU, so it happens only when they may have
    // changed, not ten times a second.
    connect(m_monitor, &cMyPortMonitor::portsMayHaveChanged, this, &cMyPortSelect::updatePorts);
    connect(m_monitor, &cMyPortMonitor::portsMayHaveChanged, this, &cMyPortSelect::devicesMayHaveChanged);
    // A screen reader hears the tool tip too.
    connect(this, &QComboBox::currentTextChanged, this, &cMyPortSelect::nameCurrent);
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
    m_listsPorts = !names.isEmpty();
    clear();
    if (names.isEmpty()) {
        addItem(QString());
        setEnabled(false);
    } else {
        for (const QString &name : qAsConst(names)) {
            addItem(name);
            setItemData(count() - 1, isDemoPort(name) ? shownName(name) : QVariant(), Qt::ToolTipRole);
            if (name == m_portName)
                setCurrentIndex(count() - 1);
        }
        setEnabled(true);
    }
    m_portName = currentText();
    m_portCount = names.size();
}

bool cMyPortSelect::hasPort() const
{
    return m_listsPorts && !currentText().isEmpty();
}

QString cMyPortSelect::shownName(const QString &port) const
{
    return isDemoPort(port) ? tr("Tamira demonstracyjna (%1)").arg(port) : port;
}

void cMyPortSelect::setDemoPort(const QString &port)
{
    m_demoPort = port;
    for (int i = 0; i < count(); ++i)
        setItemData(i, isDemoPort(itemText(i)) ? shownName(port) : QVariant(), Qt::ToolTipRole);
    nameCurrent();
    updateGeometry();
    update();
}

void cMyPortSelect::nameCurrent()
{
    setToolTip(showsDemoPort() ? shownName(currentText()) : QString());
}

// The demo device's longer name needs room beyond what the port names ask for.
static QSize withDemoName(const cMyPortSelect *box, QSize size)
{
    if (!box->demoPort().isEmpty() && box->findText(box->demoPort()) >= 0)
        size.rwidth() += box->fontMetrics().horizontalAdvance(box->shownName(box->demoPort()))
                         - box->fontMetrics().horizontalAdvance(box->demoPort());
    return size;
}

QSize cMyPortSelect::sizeHint() const
{
    return withDemoName(this, QComboBox::sizeHint());
}

QSize cMyPortSelect::minimumSizeHint() const
{
    return withDemoName(this, QComboBox::minimumSizeHint());
}

void cMyPortSelect::changeEvent(QEvent *event)
{
    // The placeholder shown until the first look at the ports; the rest are port names.
    if (event->type() == QEvent::LanguageChange && m_portCount < 0 && count() == 1) {
        const QSignalBlocker quiet(this);
        setItemText(0, tr("Brak urządzeń"));
    }
    QComboBox::changeEvent(event);
}

void cMyPortSelect::paintEvent(QPaintEvent *event)
{
    if (!showsDemoPort())
        return QComboBox::paintEvent(event);
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = shownName(currentText());
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
