#ifndef BOOTCHECK_CMYLIBUSB_H
#define BOOTCHECK_CMYLIBUSB_H

// The USB seam as the program uses it, on the system's libusb. Each platform has its own source
// file, chosen by CMake: libusb-0.1 on Linux (the libusb-compat library), libusb-1.0 on Windows.
// createSystemUsb() gives the layer the program installs: on Windows libusb-1.0, with the
// bootloader driver's own libusb0.dll for the devices libusb-1.0 cannot open.

#include "bootcheck/cmyusb.h"

#include <deque>

class cMyLibUsb : public cMyUsb
{
public:
    cMyLibUsb();
    ~cMyLibUsb() override;

    void init() override;
    int findBusses() override;
    int findDevices() override;
    cMyUsbBus *busses() override;
    cMyUsbHandle *open(cMyUsbDevice *device) override;
    int controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes, int size,
                   int timeout) override;
    int close(cMyUsbHandle *handle) override;

private:
    // The lists handed out by busses(), rebuilt by each call (deques keep addresses stable).
    std::deque<cMyUsbBus> m_buses;
    std::deque<cMyUsbDevice> m_devices;
    // Used by libusb-1.0's file only; libusb-0.1 keeps both inside itself.
    [[maybe_unused]] void *m_context = nullptr; // the library's session, where it has one
    [[maybe_unused]] void *m_list = nullptr;    // the library's device list, where it hands out one
};

// Made once by the program and never destroyed: a check may still be inside a USB call when
// the program ends.
cMyUsb *createSystemUsb();

#endif
