#ifndef TESTS_SUPPORT_CMYFAKEUSB_H
#define TESTS_SUPPORT_CMYFAKEUSB_H

// Test stand-in for the USB seam: buses and devices are built in memory, a device can refuse to
// open, and every call is recorded, with the device behind its handle and the bytes of each
// control transfer, so that a test compares the whole sequence (a call out of order, a transfer
// after the close or a second close shows there). The check calls it from a thread of its own:
// read what it recorded once the check finished; only closes() and transfersWaiting() may be
// read meanwhile.

#include "bootcheck/cmyusb.h"

#include <QByteArray>
#include <QSemaphore>
#include <QVector>

#include <atomic>
#include <deque>

class cMyFakeUsb : public cMyUsb
{
public:
    struct Call
    {
        enum Kind { Init, FindBusses, FindDevices, GetBusses, Open, ControlMsg, Close };
        explicit Call(Kind k = Init, cMyUsbDevice *d = nullptr) : kind(k), device(d) {}
        Kind kind;
        cMyUsbDevice *device; // Open, ControlMsg, Close: the device behind the handle
        int requestType = 0;
        int request = 0;
        int value = 0;
        int index = 0;
        int size = 0; // the length argument as passed
        int timeout = 0;
        QByteArray data; // the `size` bytes behind the data pointer
    };

    // Appends a bus to the bus list and returns its number.
    int addBus();
    // Appends a device to a bus's device list; the bus must exist.
    cMyUsbDevice *addDevice(int bus, quint16 vendorId, quint16 productId, bool openable = true);
    // Unplugs a device (listed no more) or plugs it in again.
    void setPlugged(cMyUsbDevice *device, bool plugged) { infoOf(device)->plugged = plugged; }
    // What controlMsg returns for this device (default: the length, as a successful transfer).
    void setTransferResult(cMyUsbDevice *device, int result);

    const QVector<Call> &calls() const { return m_calls; }
    int closes() const { return m_closes; }

    // From now on each control transfer waits, at most a minute, for releaseTransfers(): a
    // transfer that takes its time, as a bootloader's that does not answer.
    void holdTransfers() { m_hold = true; }
    void releaseTransfers()
    {
        m_hold = false;
        m_gate.release(m_waiting);
    }
    int transfersWaiting() const { return m_waiting; }

    void init() override;
    int findBusses() override;
    int findDevices() override;
    cMyUsbBus *busses() override;
    cMyUsbHandle *open(cMyUsbDevice *device) override;
    int controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes, int size,
                   int timeout) override;
    int close(cMyUsbHandle *handle) override;

private:
    struct DeviceInfo
    {
        int bus;
        bool openable;
        bool plugged;
        bool hasResult;
        int result;
    };
    DeviceInfo *infoOf(cMyUsbDevice *device);

    // deques keep element addresses stable while elements are appended
    std::deque<cMyUsbBus> m_buses;
    std::deque<cMyUsbDevice> m_devices;
    std::deque<DeviceInfo> m_infos;       // parallel to m_devices
    std::deque<cMyUsbDevice *> m_handles; // a handle points at its device
    QVector<Call> m_calls;
    std::atomic<bool> m_hold{false};
    std::atomic<int> m_waiting{0};
    std::atomic<int> m_closes{0};
    QSemaphore m_gate;
};

#endif
