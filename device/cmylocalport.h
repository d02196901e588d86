#ifndef DEVICE_CMYLOCALPORT_H
#define DEVICE_CMYLOCALPORT_H

// A device reached inside this process instead of through a serial port. A port name claimed by a
// cMyLocalDevice (the demo device, where the system has no pseudo-terminals) opens as a
// cMyLocalPort, which the link and the simulation worker use as they use a serial port: the bytes
// written reach the device, and its answers come back after the time they would take on the wire
// at the device's rate, so transfers and simulated dives run at a device's pace. Like a serial
// port, a name opens once at a time.

#include <QElapsedTimer>
#include <QIODevice>
#include <QList>
#include <QTimer>

#include <memory>

class cMyLocalDevice
{
public:
    virtual ~cMyLocalDevice() = default;
    // The bytes as the host sends them; returns what the device sends back (nothing until a line
    // is whole). Called under a lock: one caller at a time.
    virtual QByteArray receive(const QByteArray &bytes) = 0;
    // The 8N1 rate whose wire time the bytes take; 0 answers at once.
    virtual int baud() const = 0;
};

class cMyLocalPort : public QIODevice
{
    Q_OBJECT

public:
    // Port names claimed by devices, process-wide; safe from any thread.
    static void claim(const QString &name, std::shared_ptr<cMyLocalDevice> device);
    static void release(const QString &name);
    static bool isClaimed(const QString &name);

    explicit cMyLocalPort(const QString &name, QObject *parent = nullptr);
    ~cMyLocalPort() override;

    QString portName() const { return m_name; }
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;
    bool waitForReadyRead(int msecs) override;
    // Drops what has arrived and not been read, and what is still on its way.
    void clearInput();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    struct Pending
    {
        QByteArray bytes;
        qint64 dueNs;
    };
    // Moves what is due into the input; true when something came.
    bool deliverDue();
    void scheduleDelivery();

    QString m_name;
    std::shared_ptr<cMyLocalDevice> m_device;
    QByteArray m_input;
    QList<Pending> m_pending;
    QElapsedTimer m_clock;
    qint64 m_inWireEndNs = 0;
    qint64 m_outWireEndNs = 0;
    QTimer m_delivery;
};

#endif
