#ifndef BOOTCHECK_CMYUSBFALLBACK_H
#define BOOTCHECK_CMYUSBFALLBACK_H

// Two USB layers as one: the devices are the first layer's, and a device that the first layer
// cannot open is opened through the second, which may reach it through another driver. On
// Windows the first is libusb-1.0 (a bootloader bound to WinUSB) and the second libusb0.dll (a
// bootloader bound to the libusb-win32 driver that Atmel FLIP installs).
//
// The two layers name a device differently, so the second layer's stand-in for a device is its
// first not yet tried device with the same vendor and product, in list order.

#include "bootcheck/cmyusb.h"

#include <memory>
#include <vector>

class cMyUsbFallback : public cMyUsb
{
public:
    // Both layers must outlive this one.
    cMyUsbFallback(cMyUsb &first, cMyUsb &second);
    ~cMyUsbFallback() override;

    void init() override;
    int findBusses() override;
    int findDevices() override;
    cMyUsbBus *busses() override;
    cMyUsbHandle *open(cMyUsbDevice *device) override;
    int controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes, int size,
                   int timeout) override;
    int close(cMyUsbHandle *handle) override;

private:
    struct Handle
    {
        cMyUsb *layer;
        cMyUsbHandle *handle;
    };
    cMyUsbDevice *standIn(const cMyUsbDevice *device);
    static Handle *handleOf(cMyUsbHandle *handle) { return reinterpret_cast<Handle *>(handle); }

    cMyUsb &m_first;
    cMyUsb &m_second;
    cMyUsbBus *m_secondBuses = nullptr;
    std::vector<const cMyUsbDevice *> m_tried; // the second layer's devices already stood in
    std::vector<std::unique_ptr<Handle>> m_open;
};

#endif
