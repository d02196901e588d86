#include "tests/support/cmyfakeusb.h"

#include <cstdio>

int cMyFakeUsb::addBus()
{
    m_buses.emplace_back(); // value-initialised: all zero
    const int number = int(m_buses.size()) - 1;
    std::snprintf(m_buses.back().dirname, sizeof m_buses.back().dirname, "%03d", number + 1);
    return number;
}

struct usb_device *cMyFakeUsb::addDevice(int bus, quint16 vendorId, quint16 productId, bool openable)
{
    Q_ASSERT(bus >= 0 && bus < int(m_buses.size()));
    m_devices.emplace_back();
    m_infos.push_back({openable, false, 0});
    struct usb_device &device = m_devices.back();
    device.bus = &m_buses[std::size_t(bus)];
    device.descriptor.bLength = USB_DT_DEVICE_SIZE;
    device.descriptor.bDescriptorType = USB_DT_DEVICE;
    device.descriptor.idVendor = vendorId;
    device.descriptor.idProduct = productId;
    device.devnum = quint8(m_devices.size());
    std::snprintf(device.filename, sizeof device.filename, "%03u", unsigned(device.devnum));
    return &device;
}

void cMyFakeUsb::setTransferResult(struct usb_device *device, int result)
{
    DeviceInfo *info = infoOf(device);
    Q_ASSERT(info);
    info->hasResult = true;
    info->result = result;
}

cMyFakeUsb::DeviceInfo *cMyFakeUsb::infoOf(struct usb_device *device)
{
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        if (&m_devices[i] == device)
            return &m_infos[i];
    return nullptr;
}

void cMyFakeUsb::init()
{
    m_calls.append(Call(Call::Init));
}

int cMyFakeUsb::findBusses()
{
    m_calls.append(Call(Call::FindBusses));
    return int(m_buses.size());
}

int cMyFakeUsb::findDevices()
{
    m_calls.append(Call(Call::FindDevices));
    return int(m_devices.size());
}

// The bus list and each bus's device list as libusb-0.1 links them, in the order things were
// added (a bus's devices need not be added one after another).
usb_bus *cMyFakeUsb::busses()
{
    m_calls.append(Call(Call::GetBusses));
    for (std::size_t i = 0; i < m_buses.size(); ++i) {
        usb_bus &bus = m_buses[i];
        bus.prev = i > 0 ? &m_buses[i - 1] : nullptr;
        bus.next = i + 1 < m_buses.size() ? &m_buses[i + 1] : nullptr;
        bus.devices = nullptr;
        struct usb_device *tail = nullptr;
        for (struct usb_device &d : m_devices) {
            if (d.bus != &bus)
                continue;
            d.prev = tail;
            d.next = nullptr;
            (tail ? tail->next : bus.devices) = &d;
            tail = &d;
        }
    }
    return m_buses.empty() ? nullptr : &m_buses.front();
}

usb_dev_handle *cMyFakeUsb::open(struct usb_device *device)
{
    m_calls.append(Call(Call::Open, device));
    const DeviceInfo *info = infoOf(device);
    if (!info || !info->openable)
        return nullptr;
    m_handles.push_back(device);
    return reinterpret_cast<usb_dev_handle *>(&m_handles.back());
}

int cMyFakeUsb::controlMsg(usb_dev_handle *handle, int requestType, int request, int value,
                           int index, char *bytes, int size, int timeout)
{
    Call call(Call::ControlMsg, *reinterpret_cast<struct usb_device **>(handle));
    call.requestType = requestType;
    call.request = request;
    call.value = value;
    call.index = index;
    call.size = size;
    call.timeout = timeout;
    if (bytes && size > 0)
        call.data = QByteArray(bytes, size);
    m_calls.append(call);
    if (m_hold) {
        ++m_waiting;
        m_gate.tryAcquire(1, 60000);
        --m_waiting;
    }
    const DeviceInfo *info = infoOf(call.device);
    return info && info->hasResult ? info->result : size;
}

int cMyFakeUsb::close(usb_dev_handle *handle)
{
    m_calls.append(Call(Call::Close, *reinterpret_cast<struct usb_device **>(handle)));
    ++m_closes; // last: whoever sees the count sees the call recorded
    return 0;
}
