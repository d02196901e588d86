#include "simulation/cmysimworker.h"

#include "base/cmyhexrecord.h"
#include "device/cmyreplyline.h"
#include "device/tamiraport.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QStringList>

#include <chrono>

namespace {

const QString kEndRecord = QString::fromLatin1(cMyHexRecord::kEndOfFile);

QString recordLine(quint16 address, const QVector<quint8> &bytes)
{
    return cMyHexRecord(address, bytes).toString();
}

// The eight block reads never change; they are built once, not in every cycle.
const QStringList &blockRequests()
{
    static const QStringList requests = [] {
        QStringList lines;
        for (int i = 0; i < cMySimWorker::kBlockCount; ++i)
            lines << recordLine(quint16(cMySimWorker::kPressureAddress + 16 * i), QVector<quint8>(16, 0));
        return lines;
    }();
    return requests;
}

} // namespace

cMySimWorker::cMySimWorker(QObject *parent) : QObject(parent)
{
    m_clock = [] {
        return qint64(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
    };
}

void cMySimWorker::setClock(Clock clock)
{
    if (clock)
        m_clock = std::move(clock);
}

void cMySimWorker::setSpeed(int newSpeed)
{
    speed = newSpeed / 100.0;
}

void cMySimWorker::stopWork()
{
    stopFlag = true;
}

std::unique_ptr<QIODevice> cMySimWorker::setupPort(const QString &portName)
{
    std::unique_ptr<QIODevice> port = TamiraPort::openLine(portName, &m_openFailure);
    if (!port && m_openFailure.reason != cMyLinkFailure::NoPort)
        emit serialPortError(m_openFailure.text);
    return port;
}

bool cMySimWorker::sendCommand(QIODevice &port, QString command, QString &reply)
{
    command += QStringLiteral("\r\n");
    port.write(command.toLatin1());
    m_failure = NoAnswer;
    // One deadline for the whole answer: busy lines are a sign of life, but a device that sends
    // nothing else must not hold the run for ever.
    const QDeadlineTimer deadline(m_replyTimeoutMs);
    QDeadlineTimer stopDeadline(QDeadlineTimer::Forever);
    bool heard = false;
    // A serial port says why a wait failed; the device inside this process has no such errors.
    auto *serial = qobject_cast<QSerialPort *>(&port);
    for (;;) {
        // A line that came with the one before (after a "!" line, say) needs no wait.
        while (!port.canReadLine()) {
            if (port.bytesAvailable() > kLongestReply) {
                m_failure = EndlessAnswer;
                return false;
            }
            if (stopFlag && !m_stopping && stopDeadline.isForever())
                stopDeadline.setRemainingTime(kStopGraceMs);
            qint64 left = deadline.remainingTime();
            if (!stopDeadline.isForever())
                left = qMin(left, stopDeadline.remainingTime());
            if (left <= 0) {
                if (!deadline.hasExpired())
                    m_failure = StoppedWithoutAnswer;
                else if (heard || port.bytesAvailable() > 0)
                    m_failure = EndlessAnswer;
                return false;
            }
            // Short waits, so that a stop request is seen while the device keeps silent.
            if (!port.waitForReadyRead(int(qMin<qint64>(left, kStopPollMs))) && serial) {
                if (TamiraPort::isLost(serial->error())) {
                    m_failure = PortLost; // the port failed under the run: the device is gone
                    return false;
                }
                if (serial->error() != QSerialPort::TimeoutError && serial->error() != QSerialPort::NoError)
                    return false;
                serial->clearError();
            }
        }
        const QByteArray raw = port.readLine(kLongestReply + 1);
        if (!raw.endsWith('\n')) {
            m_failure = EndlessAnswer;
            return false;
        }
        const QByteArray line = cMyReplyLine::clean(raw);
        reply = QString::fromUtf8(line);
        if (reply.isEmpty() || !cMyReplyLine::isBusyNotice(line))
            return true;
        heard = true;
    }
}

bool cMySimWorker::exchange(QIODevice &port, const QString &command, bool readMode, QString &reply)
{
    if (!sendCommand(port, command, reply))
        return false;
    // A garbled answer would show as figures that the device never computed, or leave it in a
    // mode the worker does not know it is in.
    m_failure = BadReply;
    return cMyReplyLine::answers(command.toLatin1() + "\r\n", reply.toLatin1(), readMode);
}

bool cMySimWorker::sendCommands(QIODevice &port, const QStringList &commands, bool readMode)
{
    QString reply;
    for (const QString &command : commands)
        if (!exchange(port, command, readMode, reply))
            return false;
    return true;
}

bool cMySimWorker::readValues(QIODevice &port, QVector<QString> &values)
{
    values.resize(kBlockCount);
    for (int i = 0; i < kBlockCount; ++i)
        if (!exchange(port, blockRequests().at(i), true, values[i]))
            return false;
    return true;
}

bool cMySimWorker::readSurfacePressure(QIODevice &port, quint16 &p0, bool &readable)
{
    QString reply;
    if (!sendCommand(port, recordLine(kSurfacePressureAddress, {0, 0}), reply))
        return false;
    // The reply is outside input: a simulation from a garbled floor would be worthless.
    cMyHexRecord record;
    readable = record.fromString(reply) && record.type() == cMyHexRecord::Data
               && record.address() == kSurfacePressureAddress && record.data().size() >= 2;
    p0 = readable ? record.wordAt(0) : 0;
    return true;
}

void cMySimWorker::fail(QIODevice *port, Failure reason, const QString &detail)
{
    // A device that answers wrongly still answers: it gets the normal stop, and its statistics
    // are cleared once the run has given it samples. What is left of the garbled answer is no
    // answer to the stop's lines.
    if (port && (reason == BadReply || reason == UnreadableSurfacePressure)) {
        port->readAll();
        m_stopping = true;
        QStringList stop{QStringLiteral("#ROOT")};
        if (m_sampled)
            stop << QStringLiteral("#CLEAR");
        sendCommands(*port, stop, false);
    }
    if (port)
        port->close();
    emit failed(reason, detail);
    emit finished(false);
}

void cMySimWorker::doWork(QString portName, double newSpeed)
{
    // A stop asked for before the run began is honoured: the device is not touched at all.
    if (stopFlag) {
        emit finished(true);
        return;
    }
    double unset = kSpeedUnset;
    speed.compare_exchange_strong(unset, newSpeed);
    m_sampled = false;
    m_stopping = false;
    const std::unique_ptr<QIODevice> opened = setupPort(portName);
    if (!opened) {
        if (portName.isEmpty())
            fail(nullptr, NoPortName);
        else
            fail(nullptr, PortNotOpened, m_openFailure.text);
        return;
    }
    QIODevice &port = *opened;

    const QStringList toRead{kEndRecord, QStringLiteral("#SIMUL"), QStringLiteral("#RAM"), QStringLiteral("#READ")};
    const QStringList toWrite{kEndRecord, QStringLiteral("#SIMUL"), QStringLiteral("#RAM"), QStringLiteral("#WRITE")};
    if (!sendCommands(port, toRead.mid(1), false))
        return fail(&port, m_failure);

    quint16 p0 = 0;
    bool readable = false;
    if (!readSurfacePressure(port, p0, readable))
        return fail(&port, m_failure);
    if (!readable)
        return fail(&port, UnreadableSurfacePressure);

    double pressure = p0;
    qint64 last = m_clock();
    QVector<QString> values(kBlockCount);
    QString reply;
    while (!stopFlag) {
        if (!readValues(port, values))
            return fail(&port, m_failure);
        emit valuesChanged(values);
        // The end record still belongs to the read mode, the rest to the simulation's top level.
        if (!sendCommands(port, toWrite.mid(0, 1), true))
            return fail(&port, m_failure);
        if (!sendCommands(port, toWrite.mid(1), false))
            return fail(&port, m_failure);

        const qint64 now = m_clock();
        const qint64 dt = now - last;
        last = now;
        // 0.1 mbar per (m/s * ms) is 100 mbar per metre. The fraction is kept, so that slow
        // speeds add up over many cycles.
        pressure = pressure + 0.1 * speed * double(dt);
        if (pressure < p0)
            pressure = p0;
        if (pressure > kPressureCeiling)
            pressure = kPressureCeiling;
        const int word = int(pressure);
        const QVector<quint8> bytes{quint8(word & 0xFF), quint8((word >> 8) & 0xFF)};
        if (!exchange(port, recordLine(kPressureAddress, bytes), false, reply))
            return fail(&port, m_failure);
        m_sampled = true;
        if (!sendCommands(port, toRead, false))
            return fail(&port, m_failure);
    }

    m_stopping = true;
    if (!sendCommands(port, {QStringLiteral("#ROOT"), QStringLiteral("#CLEAR")}, false))
        return fail(&port, m_failure);
    port.close();
    emit finished(true);
}
