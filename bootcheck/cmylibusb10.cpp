#include "bootcheck/cmylibusb.h"

#include "bootcheck/cmylibusb0dll.h"
#include "bootcheck/cmyusbfallback.h"

#include <libusb.h>

#include <map>

// libusb-1.0 has no buses of its own to walk: its one device list is grouped here by bus number,
// buses in the order their first device comes, devices in list order, which is what libusb-0.1
// would have listed.

namespace {

libusb_context *contextOf(void *context)
{
    return static_cast<libusb_context *>(context);
}

} // namespace

cMyLibUsb::cMyLibUsb() = default;

cMyLibUsb::~cMyLibUsb()
{
    if (m_list)
        libusb_free_device_list(static_cast<libusb_device **>(m_list), 1);
    if (m_context)
        libusb_exit(contextOf(m_context));
}

void cMyLibUsb::init()
{
    if (m_context)
        return;
    libusb_context *context = nullptr;
    if (libusb_init(&context) == LIBUSB_SUCCESS)
        m_context = context;
}

int cMyLibUsb::findBusses()
{
    return 0;
}

int cMyLibUsb::findDevices()
{
    m_buses.clear();
    m_devices.clear();
    if (m_list)
        libusb_free_device_list(static_cast<libusb_device **>(m_list), 1);
    m_list = nullptr;
    if (!m_context)
        return 0;
    libusb_device **list = nullptr;
    const ssize_t count = libusb_get_device_list(contextOf(m_context), &list);
    if (count < 0)
        return 0;
    m_list = list;
    std::map<int, cMyUsbBus *> busOf;
    std::map<cMyUsbBus *, cMyUsbDevice *> lastOf;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS)
            continue;
        const int number = libusb_get_bus_number(list[i]);
        cMyUsbBus *&bus = busOf[number];
        if (!bus) {
            m_buses.emplace_back();
            if (m_buses.size() > 1)
                m_buses[m_buses.size() - 2].next = &m_buses.back();
            bus = &m_buses.back();
        }
        m_devices.emplace_back();
        cMyUsbDevice *device = &m_devices.back();
        device->vendorId = descriptor.idVendor;
        device->productId = descriptor.idProduct;
        device->system = list[i];
        cMyUsbDevice *&last = lastOf[bus];
        (last ? last->next : bus->devices) = device;
        last = device;
    }
    return int(m_devices.size());
}

cMyUsbBus *cMyLibUsb::busses()
{
    return m_buses.empty() ? nullptr : &m_buses.front();
}

cMyUsbHandle *cMyLibUsb::open(cMyUsbDevice *device)
{
    libusb_device_handle *handle = nullptr;
    if (libusb_open(static_cast<libusb_device *>(device->system), &handle) != LIBUSB_SUCCESS)
        return nullptr;
    return reinterpret_cast<cMyUsbHandle *>(handle);
}

int cMyLibUsb::controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                          int size, int timeout)
{
    return libusb_control_transfer(reinterpret_cast<libusb_device_handle *>(handle), uint8_t(requestType),
                                   uint8_t(request), uint16_t(value), uint16_t(index),
                                   reinterpret_cast<unsigned char *>(bytes), uint16_t(size), unsigned(timeout));
}

int cMyLibUsb::close(cMyUsbHandle *handle)
{
    libusb_close(reinterpret_cast<libusb_device_handle *>(handle));
    return 0;
}

cMyUsb *createSystemUsb()
{
    // WinUSB (bound with Zadig, say) through libusb-1.0; the libusb-win32 driver that Atmel FLIP
    // installs through that driver's own libusb0.dll, where libusb-1.0 cannot open the device.
    return new cMyUsbFallback(*new cMyLibUsb, *new cMyLibUsb0Dll);
}
