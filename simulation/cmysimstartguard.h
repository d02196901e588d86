#ifndef SIMULATION_CMYSIMSTARTGUARD_H
#define SIMULATION_CMYSIMSTARTGUARD_H

// What stands between the simulation's START and the device. A run ends by clearing the device's
// dive statistics, so the first start for a device asks first, naming the figures that will go.
// And the port may be in use by the window's own link (a status read, a transfer): then the run
// waits for it to end rather than meeting a busy port.

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class cMyTamira;

class cMySimStartGuard : public QObject
{
    Q_OBJECT

public:
    // `dialogParent`: the widget the question belongs to.
    explicit cMySimStartGuard(QObject *dialogParent);

    void setLink(cMyTamira *link);
    // The figures of the device's latest status, as the overview shows them.
    void setDeviceStatistics(const QString &serial, const QString &maxDepth, const QString &diveTime);
    // Another port: the figures known belong to the device that was there.
    void forgetDevice();

    // Asks, unless the user has agreed already for this device, whether a run may clear the
    // statistics (No is the default). True when the run may go on.
    bool clearingConfirmed();

    // Empty when the port is free; else what holds it ("the status read").
    QString portUser() const;
    // Calls `start` once the link has ended what it is doing (and nothing else has begun).
    void waitForPort(std::function<void()> start);
    void cancelWait();
    bool isWaiting() const { return bool(m_start); }

private:
    void transactionEnded();

    QObject *m_dialogParent;
    QPointer<cMyTamira> m_link;
    QString m_serial, m_maxDepth, m_diveTime;
    bool m_agreed = false;  // the user agreed for the device on the port now
    QString m_agreedSerial; // the device the user agreed for; empty: not known then
    std::function<void()> m_start;
    QMetaObject::Connection m_wait;
};

#endif
