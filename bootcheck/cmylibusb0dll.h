#ifndef BOOTCHECK_CMYLIBUSB0DLL_H
#define BOOTCHECK_CMYLIBUSB0DLL_H

// The USB seam on libusb0.dll, the libusb-0.1 API of the libusb-win32 driver that Atmel FLIP
// installs for the bootloader. The DLL comes with that driver, not with this program: it is
// looked for when the check starts, and where it is missing this layer lists no device.

#include "bootcheck/cmyusb.h"

#include <deque>

class cMyLibUsb0Dll : public cMyUsb
{
public:
    cMyLibUsb0Dll();
    ~cMyLibUsb0Dll() override;

    void init() override;
    int findBusses() override;
    int findDevices() override;
    cMyUsbBus *busses() override;
    cMyUsbHandle *open(cMyUsbDevice *device) override;
    int controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes, int size,
                   int timeout) override;
    int close(cMyUsbHandle *handle) override;

private:
    struct Api;
    Api *m_api = nullptr; // the DLL's functions, once it has been found
    bool m_looked = false;
    std::deque<cMyUsbBus> m_buses;
    std::deque<cMyUsbDevice> m_devices;
};

#endif
