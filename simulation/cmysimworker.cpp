#include "cmysimworker.h"

#include "cmyhexrecord.h"
#include "serialsettings.h"

#include <QSerialPort>
#include <QStringList>

#include <chrono>

namespace {

const QString kEndRecord = QStringLiteral(":00000001FF");

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

cMySimWorker::cMySimWorker(QObject *parent)
    : QObject(parent)
{
    m_clock = [] {
        return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch()).count());
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

bool cMySimWorker::setupPort(QString portName, QSerialPort &port)
{
    applyTamiraSerialSettings(port, portName);
    if (portName.isEmpty())
        return false;
    if (!port.open(QIODevice::ReadWrite)) {
        emit serialPortError(port.errorString());
        return false;
    }
    return true;
}

bool cMySimWorker::sendCommand(QSerialPort &port, QString command, QString &reply)
{
    command += QStringLiteral("\r\n");
    port.write(command.toLatin1());
    for (;;) {
        // A line that came with the one before (after a "!" line, say) needs no wait.
        while (!port.canReadLine()) {
            if (!port.waitForReadyRead(m_replyTimeoutMs))
                return false;
        }
        QByteArray line = port.readLine();
        const int nul = line.indexOf('\0');
        if (nul >= 0)
            line.truncate(nul);
        reply = QString::fromUtf8(line);
        if (reply.isEmpty() || !reply.startsWith(QLatin1Char('!')))
            return true;
    }
}

bool cMySimWorker::sendCommands(QSerialPort &port, const QStringList &commands)
{
    QString reply;
    for (const QString &command : commands)
        if (!sendCommand(port, command, reply))
            return false;
    return true;
}

bool cMySimWorker::readValues(QSerialPort &port, QVector<QString> &values)
{
    values.resize(kBlockCount);
    for (int i = 0; i < kBlockCount; ++i)
        if (!sendCommand(port, blockRequests().at(i), values[i]))
            return false;
    return true;
}

bool cMySimWorker::readSurfacePressure(QSerialPort &port, quint16 &p0, bool &readable)
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

void cMySimWorker::fail(QSerialPort *port, Failure reason, const QString &detail)
{
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
    speed = newSpeed;
    QSerialPort port;
    if (!setupPort(portName, port)) {
        if (portName.isEmpty())
            fail(nullptr, NoPortName);
        else
            fail(nullptr, PortNotOpened, port.errorString());
        return;
    }

    const QStringList toRead{kEndRecord, QStringLiteral("#SIMUL"), QStringLiteral("#RAM"), QStringLiteral("#READ")};
    const QStringList toWrite{kEndRecord, QStringLiteral("#SIMUL"), QStringLiteral("#RAM"), QStringLiteral("#WRITE")};
    if (!sendCommands(port, toRead.mid(1)))
        return fail(&port, NoAnswer);

    quint16 p0 = 0;
    bool readable = false;
    if (!readSurfacePressure(port, p0, readable))
        return fail(&port, NoAnswer);
    if (!readable) {
        // The device is answering, so it can at least be given its sensor back.
        sendCommands(port, {QStringLiteral("#ROOT")});
        return fail(&port, UnreadableSurfacePressure);
    }

    double pressure = p0;
    qint64 last = m_clock();
    QVector<QString> values(kBlockCount);
    QString reply;
    while (!stopFlag) {
        if (!readValues(port, values))
            return fail(&port, NoAnswer);
        emit valuesChanged(values);
        if (!sendCommands(port, toWrite))
            return fail(&port, NoAnswer);

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
        if (!sendCommand(port, recordLine(kPressureAddress, bytes), reply))
            return fail(&port, NoAnswer);
        if (!sendCommands(port, toRead))
            return fail(&port, NoAnswer);
    }

    if (!sendCommands(port, {QStringLiteral("#ROOT"), QStringLiteral("#CLEAR")}))
        return fail(&port, NoAnswer);
    port.close();
    emit finished(true);
}
