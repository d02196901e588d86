#ifndef BOOTCHECK_CMYLIBUSB_H
#define BOOTCHECK_CMYLIBUSB_H

// The USB seam as the program uses it: every call goes straight to the system's libusb-0.1
// (on Linux the libusb-compat library).

#include "bootcheck/cmyusb.h"

class cMyLibUsb : public cMyUsb
{
public:
    void init() override;
    int findBusses() override;
    int findDevices() override;
    usb_bus *busses() override;
    usb_dev_handle *open(struct usb_device *device) override;
    int controlMsg(usb_dev_handle *handle, int requestType, int request, int value, int index,
                   char *bytes, int size, int timeout) override;
    int close(usb_dev_handle *handle) override;
};

#endif
