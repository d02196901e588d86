#ifndef BOOTCHECK_CMYUSB_H
#define BOOTCHECK_CMYUSB_H

// The seven libusb-0.1 calls of the bootloader check behind one interface, so that the check can
// run against an in-memory bus list in tests. The types are libusb-0.1's own from <usb.h>.

#include <usb.h>

class cMyUsb
{
public:
    virtual ~cMyUsb() = default;

    virtual void init() = 0;                                   // usb_init
    virtual int findBusses() = 0;                              // usb_find_busses
    virtual int findDevices() = 0;                             // usb_find_devices
    virtual usb_bus *busses() = 0;                             // usb_get_busses
    virtual usb_dev_handle *open(struct usb_device *device) = 0;      // usb_open, null on failure
    virtual int controlMsg(usb_dev_handle *handle, int requestType, int request, int value,
                           int index, char *bytes, int size, int timeout) = 0; // usb_control_msg
    virtual int close(usb_dev_handle *handle) = 0;             // usb_close

    // The process-wide USB layer. None until a program installs one: only the program itself
    // installs the real libusb, so nothing else (a test, a benchmark) reaches the machine's bus
    // by accident. The layer must stay valid for as long as a check may run.
    static cMyUsb *current();
    static void install(cMyUsb *usb);
};

#endif
