#ifndef BOOTCHECK_CMYUSB_H
#define BOOTCHECK_CMYUSB_H

// The seven USB calls of the bootloader check behind one interface, in libusb-0.1's order (init,
// find the buses, find the devices, take the bus list, then open, control transfer and close per
// device), so that the check runs against an in-memory bus list in tests and on whichever libusb a
// platform has. The lists and handles are this interface's own; each implementation maps its
// library's onto them, so no caller needs a libusb header.

#include <QtGlobal>

struct cMyUsbDevice
{
    quint16 vendorId = 0; // from the device descriptor
    quint16 productId = 0;
    cMyUsbDevice *next = nullptr;
    void *system = nullptr; // the library's own device, for the implementation
};

struct cMyUsbBus
{
    cMyUsbDevice *devices = nullptr;
    cMyUsbBus *next = nullptr;
};

// An open device, as the implementation knows it.
struct cMyUsbHandle;

class cMyUsb
{
public:
    virtual ~cMyUsb() = default;

    virtual void init() = 0;       // usb_init
    virtual int findBusses() = 0;  // usb_find_busses
    virtual int findDevices() = 0; // usb_find_devices
    // usb_get_busses: valid until the next findDevices or the layer's end.
    virtual cMyUsbBus *busses() = 0;
    virtual cMyUsbHandle *open(cMyUsbDevice *device) = 0; // usb_open, null on failure
    virtual int controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                           int size, int timeout) = 0; // usb_control_msg
    virtual int close(cMyUsbHandle *handle) = 0;       // usb_close

    // The process-wide USB layer. None until a program installs one: only the program itself
    // installs the real libusb, so nothing else (a test, a benchmark) reaches the machine's bus
    // by accident. The layer must stay valid for as long as a check may run.
    static cMyUsb *current();
    static void install(cMyUsb *usb);
};

#endif
