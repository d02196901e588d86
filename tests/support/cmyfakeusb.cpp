#include "cmyfakeusb.h"

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

int cMyFakeUsb::openHandles() const
{
    int n = 0;
    for (const Handle &h : m_handles)
        n += h.open ? 1 : 0;
    return n;
}

// Rebuilds the bus list and, when libusb would already show them, each bus's device list, in
// the order things were added (a bus's devices need not be added one after another).
void cMyFakeUsb::link(bool withDevices)
{
    for (std::size_t i = 0; i < m_buses.size(); ++i) {
        usb_bus &bus = m_buses[i];
        bus.prev = i > 0 ? &m_buses[i - 1] : nullptr;
        bus.next = i + 1 < m_buses.size() ? &m_buses[i + 1] : nullptr;
        bus.devices = nullptr;
        if (!withDevices)
            continue;
        struct usb_device *tail = nullptr;
        for (struct usb_device &d : m_devices) {
            if (d.bus != &bus)
                continue;
            d.prev = tail;
            d.next = nullptr;
            if (tail)
                tail->next = &d;
            else
                bus.devices = &d;
            tail = &d;
        }
    }
}

cMyFakeUsb::DeviceInfo *cMyFakeUsb::infoOf(struct usb_device *device)
{
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        if (&m_devices[i] == device)
            return &m_infos[i];
    return nullptr;
}

cMyFakeUsb::Handle *cMyFakeUsb::handleOf(usb_dev_handle *handle, const char *call)
{
    for (Handle &h : m_handles) {
        if (reinterpret_cast<usb_dev_handle *>(&h) == handle) {
            if (!h.open)
                m_errors << QStringLiteral("%1 on a closed handle").arg(QLatin1String(call));
            return &h;
        }
    }
    m_errors << QStringLiteral("%1 on an unknown handle").arg(QLatin1String(call));
    return nullptr;
}

void cMyFakeUsb::init()
{
    m_calls.append(Call(Call::Init));
    m_initialised = true;
}

int cMyFakeUsb::findBusses()
{
    m_calls.append(Call(Call::FindBusses));
    if (!m_initialised)
        m_errors << QStringLiteral("usb_find_busses before usb_init");
    m_bussesFound = true;
    return int(m_buses.size());
}

int cMyFakeUsb::findDevices()
{
    m_calls.append(Call(Call::FindDevices));
    if (!m_bussesFound)
        m_errors << QStringLiteral("usb_find_devices before usb_find_busses");
    m_devicesFound = true;
    return int(m_devices.size());
}

usb_bus *cMyFakeUsb::busses()
{
    m_calls.append(Call(Call::GetBusses));
    if (!m_bussesFound || m_buses.empty())
        return nullptr;
    link(m_devicesFound); // libusb-0.1 lists no devices before usb_find_devices
    return &m_buses.front();
}

usb_dev_handle *cMyFakeUsb::open(struct usb_device *device)
{
    Call call(Call::Open, device);
    m_calls.append(call);
    DeviceInfo *info = infoOf(device);
    if (!info) {
        m_errors << QStringLiteral("usb_open on a device that is not on any bus");
        return nullptr;
    }
    if (!info->openable)
        return nullptr;
    m_handles.push_back({device, true});
    return reinterpret_cast<usb_dev_handle *>(&m_handles.back());
}

int cMyFakeUsb::controlMsg(usb_dev_handle *handle, int requestType, int request, int value,
                           int index, char *bytes, int size, int timeout)
{
    Handle *h = handleOf(handle, "usb_control_msg");
    Call call(Call::ControlMsg, h ? h->device : nullptr);
    call.requestType = requestType;
    call.request = request;
    call.value = value;
    call.index = index;
    call.size = size;
    call.timeout = timeout;
    if (bytes && size > 0)
        call.data = QByteArray(bytes, size);
    m_calls.append(call);
    if (!bytes && size > 0)
        m_errors << QStringLiteral("usb_control_msg with a length but no data");
    if (m_hold) {
        ++m_waiting;
        m_gate.tryAcquire(1, 60000);
        --m_waiting;
    }
    const DeviceInfo *info = h ? infoOf(h->device) : nullptr;
    return info && info->hasResult ? info->result : size;
}

int cMyFakeUsb::close(usb_dev_handle *handle)
{
    Handle *h = handleOf(handle, "usb_close");
    Call call(Call::Close, h ? h->device : nullptr);
    m_calls.append(call);
    if (!h || !h->open)
        return -1;
    h->open = false;
    ++m_closes; // last: whoever sees the count sees the call recorded
    return 0;
}
