#include "bootcheck/cmylibusb.h"

#include <usb.h>

// libusb-0.1 keeps its bus list itself; the interface's lists mirror it.

cMyLibUsb::cMyLibUsb() = default;
cMyLibUsb::~cMyLibUsb() = default;

void cMyLibUsb::init()
{
    usb_init();
}

int cMyLibUsb::findBusses()
{
    return usb_find_busses();
}

int cMyLibUsb::findDevices()
{
    return usb_find_devices();
}

cMyUsbBus *cMyLibUsb::busses()
{
    m_buses.clear();
    m_devices.clear();
    cMyUsbBus *lastBus = nullptr;
    for (usb_bus *bus = usb_get_busses(); bus; bus = bus->next) {
        m_buses.emplace_back();
        cMyUsbBus *mine = &m_buses.back();
        if (lastBus)
            lastBus->next = mine;
        lastBus = mine;
        cMyUsbDevice *lastDevice = nullptr;
        for (struct usb_device *device = bus->devices; device; device = device->next) {
            m_devices.emplace_back();
            cMyUsbDevice *entry = &m_devices.back();
            entry->vendorId = device->descriptor.idVendor;
            entry->productId = device->descriptor.idProduct;
            entry->system = device;
            (lastDevice ? lastDevice->next : mine->devices) = entry;
            lastDevice = entry;
        }
    }
    return m_buses.empty() ? nullptr : &m_buses.front();
}

cMyUsbHandle *cMyLibUsb::open(cMyUsbDevice *device)
{
    return reinterpret_cast<cMyUsbHandle *>(usb_open(static_cast<struct usb_device *>(device->system)));
}

int cMyLibUsb::controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                          int size, int timeout)
{
    return usb_control_msg(reinterpret_cast<usb_dev_handle *>(handle), requestType, request, value, index, bytes, size,
                           timeout);
}

int cMyLibUsb::close(cMyUsbHandle *handle)
{
    return usb_close(reinterpret_cast<usb_dev_handle *>(handle));
}
