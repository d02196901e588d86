#include "bootcheck/cmyusbfallback.h"

#include <algorithm>

cMyUsbFallback::cMyUsbFallback(cMyUsb &first, cMyUsb &second) : m_first(first), m_second(second) {}

cMyUsbFallback::~cMyUsbFallback() = default;

void cMyUsbFallback::init()
{
    m_first.init();
    m_second.init();
}

int cMyUsbFallback::findBusses()
{
    m_second.findBusses();
    return m_first.findBusses();
}

int cMyUsbFallback::findDevices()
{
    m_second.findDevices();
    return m_first.findDevices();
}

cMyUsbBus *cMyUsbFallback::busses()
{
    m_secondBuses = m_second.busses();
    m_tried.clear();
    return m_first.busses();
}

cMyUsbDevice *cMyUsbFallback::standIn(const cMyUsbDevice *device)
{
    for (cMyUsbBus *bus = m_secondBuses; bus; bus = bus->next)
        for (cMyUsbDevice *other = bus->devices; other; other = other->next)
            if (other->vendorId == device->vendorId && other->productId == device->productId
                && std::find(m_tried.cbegin(), m_tried.cend(), other) == m_tried.cend()) {
                m_tried.push_back(other);
                return other;
            }
    return nullptr;
}

cMyUsbHandle *cMyUsbFallback::open(cMyUsbDevice *device)
{
    cMyUsb *layer = &m_first;
    cMyUsbHandle *handle = m_first.open(device);
    if (!handle) {
        cMyUsbDevice *other = standIn(device);
        if (!other)
            return nullptr;
        layer = &m_second;
        handle = m_second.open(other);
        if (!handle)
            return nullptr;
    }
    m_open.push_back(std::make_unique<Handle>(Handle{layer, handle}));
    return reinterpret_cast<cMyUsbHandle *>(m_open.back().get());
}

int cMyUsbFallback::controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                               int size, int timeout)
{
    const Handle *mine = handleOf(handle);
    return mine->layer->controlMsg(mine->handle, requestType, request, value, index, bytes, size, timeout);
}

int cMyUsbFallback::close(cMyUsbHandle *handle)
{
    Handle *mine = handleOf(handle);
    const int result = mine->layer->close(mine->handle);
    m_open.erase(std::find_if(m_open.begin(), m_open.end(), [mine](const auto &h) { return h.get() == mine; }));
    return result;
}
