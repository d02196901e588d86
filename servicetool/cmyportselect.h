#ifndef SERVICETOOL_CMYPORTSELECT_H
#define SERVICETOOL_CMYPORTSELECT_H

// The service console's port chooser: the serial ports of Tamiras in normal operation, looked
// for once a second through the shared port discovery (so TAMIRA_PORT works here too).

#include <QComboBox>
#include <QStringList>

class QTimer;

namespace servicetool {

class cMyPortSelect : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int kPollMs = 1000;

    explicit cMyPortSelect(QWidget *parent = nullptr);

    // Looking costs the window some milliseconds each time (the system's port list is read
    // anew); it stops while a transaction holds a port.
    void setPolling(bool on);

signals:
    // After each rebuild of the list, and when the user picks another port.
    void deviceConnected(bool present, QString port);

public slots:
    void updatePorts();

protected:
    void changeEvent(QEvent *event) override;

private:
    QStringList m_ports;
    QTimer *m_timer;
};

} // namespace servicetool

#endif
