#include "simulation/cmysimstartguard.h"

#include "base/cmydialogs.h"
#include "device/cmytamira.h"

cMySimStartGuard::cMySimStartGuard(QObject *dialogParent) : QObject(dialogParent), m_dialogParent(dialogParent) {}

void cMySimStartGuard::setLink(cMyTamira *link)
{
    m_link = link;
}

void cMySimStartGuard::setDeviceStatistics(const QString &serial, const QString &maxDepth, const QString &diveTime)
{
    m_serial = serial;
    m_maxDepth = maxDepth;
    m_diveTime = diveTime;
    // Agreed before the device had said who it is: the agreement was for this one. Otherwise it
    // holds for that device only: back on a port it holds again, and another one on the same
    // port (swapped faster than the port list noticed) is asked for.
    if (m_agreed && m_agreedSerial.isEmpty())
        m_agreedSerial = serial;
    else if (!serial.isEmpty())
        m_agreed = serial == m_agreedSerial;
}

void cMySimStartGuard::forgetDevice()
{
    m_serial.clear();
    m_maxDepth.clear();
    m_diveTime.clear();
    // Whichever device comes next has to say who it is before the agreement counts for it.
    m_agreed = false;
}

bool cMySimStartGuard::clearingConfirmed()
{
    if (m_agreed)
        return true;
    const QString unknown = tr("nieznany (status Tamiry nie został odczytany)");
    const QString text =
        tr("Zatrzymanie symulacji wyczyści statystyki nurkowań w Tamirze, tak jak polecenie "
           "„Wyczyść statystyki”:\n  maksymalna głębokość: %1\n  czas nurkowania: %2\n"
           "Czy chcesz rozpocząć symulację?")
            .arg(m_maxDepth.isEmpty() ? unknown : m_maxDepth, m_diveTime.isEmpty() ? unknown : m_diveTime);
    const cMyDialogs::Button answer = cMyDialogs::current().question(m_dialogParent, tr("Start symulacji"), text);
    if (answer != cMyDialogs::Yes)
        return false;
    m_agreed = true;
    m_agreedSerial = m_serial;
    return true;
}

QString cMySimStartGuard::portUser() const
{
    if (!m_link || !m_link->isBusy())
        return QString();
    switch (m_link->state()) {
    case cMyTamira::ReadStatus:
        return tr("odczyt statusu Tamiry");
    case cMyTamira::ReadArea:
        return tr("odczyt z Tamiry");
    case cMyTamira::WriteArea:
        return tr("zapis do Tamiry");
    default:
        return tr("polecenie dla Tamiry");
    }
}

void cMySimStartGuard::waitForPort(std::function<void()> start)
{
    m_start = std::move(start);
    disconnect(m_wait);
    // Queued: the link finishes its own work on the port before the run opens it.
    m_wait =
        connect(m_link, &cMyTamira::transactionEnded, this, &cMySimStartGuard::transactionEnded, Qt::QueuedConnection);
}

void cMySimStartGuard::cancelWait()
{
    disconnect(m_wait);
    m_start = nullptr;
}

void cMySimStartGuard::transactionEnded()
{
    if (!m_start || (m_link && m_link->isBusy()))
        return;
    disconnect(m_wait);
    const std::function<void()> start = std::move(m_start);
    m_start = nullptr;
    start();
}
