#ifndef APP_CMYPORTSELECT_H
#define APP_CMYPORTSELECT_H

// The tool bar's port chooser: lists the serial ports of Tamiras in normal operation, looked up
// again whenever the ports may have changed, and notices a Tamira that shows up in its
// bootloader.

#include <QComboBox>

class cMyPortMonitor;

class cMyPortSelect : public QComboBox
{
    Q_OBJECT

public:
    explicit cMyPortSelect(QWidget *parent = nullptr);

signals:
    // Raised once each time a bootloader port appears, not at every poll while it stays.
    void bootMode();

private slots:
    void updatePorts();

private:
    QString m_portName;
    int m_portCount = -1; // so the first poll applies the no-port state when nothing is attached
    bool m_bootPortSeen = false;
    cMyPortMonitor *m_monitor;
};

#endif
