#include "tests/support/cmyfakeusb.h"

int cMyFakeUsb::addBus()
{
    m_buses.emplace_back();
    return int(m_buses.size()) - 1;
}

cMyUsbDevice *cMyFakeUsb::addDevice(int bus, quint16 vendorId, quint16 productId, bool openable)
{
    Q_ASSERT(bus >= 0 && bus < int(m_buses.size()));
    m_devices.emplace_back();
    m_infos.push_back({bus, openable, true, false, 0});
    cMyUsbDevice &device = m_devices.back();
    device.vendorId = vendorId;
    device.productId = productId;
    return &device;
}

void cMyFakeUsb::setTransferResult(cMyUsbDevice *device, int result)
{
    DeviceInfo *info = infoOf(device);
    Q_ASSERT(info);
    info->hasResult = true;
    info->result = result;
}

cMyFakeUsb::DeviceInfo *cMyFakeUsb::infoOf(cMyUsbDevice *device)
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
cMyUsbBus *cMyFakeUsb::busses()
{
    m_calls.append(Call(Call::GetBusses));
    for (std::size_t i = 0; i < m_buses.size(); ++i) {
        cMyUsbBus &bus = m_buses[i];
        bus.next = i + 1 < m_buses.size() ? &m_buses[i + 1] : nullptr;
        bus.devices = nullptr;
        cMyUsbDevice *tail = nullptr;
        for (std::size_t d = 0; d < m_devices.size(); ++d) {
            if (m_infos[d].bus != int(i) || !m_infos[d].plugged)
                continue;
            m_devices[d].next = nullptr;
            (tail ? tail->next : bus.devices) = &m_devices[d];
            tail = &m_devices[d];
        }
    }
    return m_buses.empty() ? nullptr : &m_buses.front();
}

cMyUsbHandle *cMyFakeUsb::open(cMyUsbDevice *device)
{
    m_calls.append(Call(Call::Open, device));
    const DeviceInfo *info = infoOf(device);
    if (!info || !info->openable)
        return nullptr;
    m_handles.push_back(device);
    return reinterpret_cast<cMyUsbHandle *>(&m_handles.back());
}

int cMyFakeUsb::controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                           int size, int timeout)
{
    Call call(Call::ControlMsg, *reinterpret_cast<cMyUsbDevice **>(handle));
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

int cMyFakeUsb::close(cMyUsbHandle *handle)
{
    m_calls.append(Call(Call::Close, *reinterpret_cast<cMyUsbDevice **>(handle)));
    ++m_closes; // last: whoever sees the count sees the call recorded
    return 0;
}
