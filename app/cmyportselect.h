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

    // True while the current entry is the port of a Tamira (not the placeholder or nothing).
    bool hasPort() const;
    // The port of the demo device, named as such wherever the box shows it; empty for none.
    void setDemoPort(const QString &port);
    QString demoPort() const { return m_demoPort; }
    // Whether `port` is the demo device's; an empty name never is.
    bool isDemoPort(const QString &port) const { return !port.isEmpty() && port == m_demoPort; }
    // Whether the current entry is the demo device's port.
    bool showsDemoPort() const { return isDemoPort(currentText()); }
    // How the box shows `port`.
    QString shownName(const QString &port) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Raised once each time a bootloader port appears, not at every poll while it stays.
    void bootMode();
    // The machine's devices may have changed (the port monitor's notice), whatever the ports.
    void devicesMayHaveChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void updatePorts();
    void nameCurrent();

private:
    QString m_portName;
    int m_portCount = -1; // so the first poll applies the no-port state when nothing is attached
    bool m_bootPortSeen = false;
    bool m_listsPorts = false;
    QString m_demoPort;
    cMyPortMonitor *m_monitor;
};

#endif
