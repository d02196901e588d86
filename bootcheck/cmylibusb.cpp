#include "bootcheck/cmylibusb.h"

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

usb_bus *cMyLibUsb::busses()
{
    return usb_get_busses();
}

usb_dev_handle *cMyLibUsb::open(struct usb_device *device)
{
    return usb_open(device);
}

int cMyLibUsb::controlMsg(usb_dev_handle *handle, int requestType, int request, int value,
                          int index, char *bytes, int size, int timeout)
{
    return usb_control_msg(handle, requestType, request, value, index, bytes, size, timeout);
}

int cMyLibUsb::close(usb_dev_handle *handle)
{
    return usb_close(handle);
}
