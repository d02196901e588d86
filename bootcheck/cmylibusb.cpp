#include "bootcheck/cmylibusb.h"

#include "bootcheck/cmyusbmirror.h"

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
    return mirrorUsbBuses(usb_get_busses(), m_buses, m_devices);
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

cMyUsb *createSystemUsb()
{
    return new cMyLibUsb;
}
