#include "device/cmylocalport.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <algorithm>

namespace {

struct Claim
{
    std::shared_ptr<cMyLocalDevice> device;
    bool open = false;
};

QMutex &registryLock()
{
    static QMutex lock;
    return lock;
}

QHash<QString, Claim> &registry()
{
    static QHash<QString, Claim> claims;
    return claims;
}

// The devices' own lock: a device answers one caller at a time.
QMutex &deviceLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

void cMyLocalPort::claim(const QString &name, std::shared_ptr<cMyLocalDevice> device)
{
    QMutexLocker locker(&registryLock());
    registry().insert(name, Claim{std::move(device), false});
}

void cMyLocalPort::release(const QString &name)
{
    QMutexLocker locker(&registryLock());
    registry().remove(name);
}

bool cMyLocalPort::isClaimed(const QString &name)
{
    QMutexLocker locker(&registryLock());
    return registry().contains(name);
}

cMyLocalPort::cMyLocalPort(const QString &name, QObject *parent) : QIODevice(parent), m_name(name)
{
    m_delivery.setSingleShot(true);
    m_delivery.setTimerType(Qt::PreciseTimer);
    connect(&m_delivery, &QTimer::timeout, this, [this] {
        if (deliverDue())
            emit readyRead();
        scheduleDelivery();
    });
}

cMyLocalPort::~cMyLocalPort()
{
    close();
}

bool cMyLocalPort::open(OpenMode mode)
{
    if (isOpen()) {
        setErrorString(tr("Port jest już otwarty."));
        return false;
    }
    {
        QMutexLocker locker(&registryLock());
        auto claim = registry().find(m_name);
        if (claim == registry().end()) {
            setErrorString(tr("Nie ma takiego urządzenia."));
            return false;
        }
        if (claim->open) {
            setErrorString(tr("Port jest używany przez inny program."));
            return false;
        }
        claim->open = true;
        m_device = claim->device;
    }
    m_input.clear();
    m_pending.clear();
    m_clock.start();
    m_inWireEndNs = m_outWireEndNs = 0;
    return QIODevice::open(mode | Unbuffered);
}

void cMyLocalPort::close()
{
    if (!isOpen())
        return;
    m_delivery.stop();
    m_pending.clear();
    m_input.clear();
    m_device.reset();
    {
        QMutexLocker locker(&registryLock());
        auto claim = registry().find(m_name);
        if (claim != registry().end())
            claim->open = false;
    }
    QIODevice::close();
}

qint64 cMyLocalPort::bytesAvailable() const
{
    return m_input.size() + QIODevice::bytesAvailable();
}

bool cMyLocalPort::canReadLine() const
{
    return m_input.contains('\n') || QIODevice::canReadLine();
}

bool cMyLocalPort::waitForReadyRead(int msecs)
{
    // For a thread without an event loop (the simulation worker): the answers are due at known
    // times, so the wait sleeps until the next one.
    const QDeadlineTimer deadline(msecs);
    while (isOpen()) {
        if (deliverDue()) {
            emit readyRead();
            return true;
        }
        if (m_pending.isEmpty() || deadline.hasExpired())
            break;
        const qint64 untilDueMs = (m_pending.first().dueNs - m_clock.nsecsElapsed()) / 1000000 + 1;
        QThread::msleep(quint64(std::max<qint64>(0, std::min(untilDueMs, deadline.remainingTime()))));
    }
    return false;
}

void cMyLocalPort::clearInput()
{
    m_input.clear();
    m_pending.clear();
    m_delivery.stop();
}

qint64 cMyLocalPort::readData(char *data, qint64 maxSize)
{
    const qint64 n = std::min<qint64>(maxSize, m_input.size());
    std::copy_n(m_input.constData(), n, data);
    m_input.remove(0, int(n));
    return n;
}

qint64 cMyLocalPort::writeData(const char *data, qint64 maxSize)
{
    if (!m_device)
        return -1;
    const QByteArray bytes(data, int(maxSize));
    QByteArray answer;
    int baud = 0;
    {
        QMutexLocker locker(&deviceLock());
        answer = m_device->receive(bytes);
        baud = m_device->baud();
    }
    // 8N1: ten bit times a byte. The answer starts once the line is in and the wire back is free.
    const double byteNs = baud > 0 ? 10.0 * 1e9 / baud : 0.0;
    const qint64 now = m_clock.nsecsElapsed();
    m_inWireEndNs = std::max(now, m_inWireEndNs) + qint64(byteNs * bytes.size());
    if (!answer.isEmpty()) {
        m_outWireEndNs = std::max(m_inWireEndNs, m_outWireEndNs) + qint64(byteNs * answer.size());
        m_pending.append({answer, m_outWireEndNs});
        scheduleDelivery();
    }
    return maxSize;
}

bool cMyLocalPort::deliverDue()
{
    const qint64 now = m_clock.nsecsElapsed();
    bool came = false;
    while (!m_pending.isEmpty() && m_pending.first().dueNs <= now) {
        m_input += m_pending.takeFirst().bytes;
        came = true;
    }
    return came;
}

void cMyLocalPort::scheduleDelivery()
{
    if (m_pending.isEmpty() || m_delivery.isActive())
        return;
    const qint64 untilDueNs = m_pending.first().dueNs - m_clock.nsecsElapsed();
    m_delivery.start(int(std::max<qint64>(0, (untilDueNs + 999999) / 1000000)));
}
