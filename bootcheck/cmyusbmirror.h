#ifndef BOOTCHECK_CMYUSBMIRROR_H
#define BOOTCHECK_CMYUSBMIRROR_H

// A libusb-0.1 bus list (linked buses, each with its linked devices) mirrored into the seam's own
// lists, for the implementations on a libusb-0.1 API (the system's library on Linux, libusb0.dll
// on Windows, each with its own declarations of the lists).

#include "bootcheck/cmyusb.h"

#include <deque>

template <typename Bus>
cMyUsbBus *mirrorUsbBuses(Bus *first, std::deque<cMyUsbBus> &buses, std::deque<cMyUsbDevice> &devices)
{
    buses.clear();
    devices.clear();
    cMyUsbBus *lastBus = nullptr;
    for (Bus *bus = first; bus; bus = bus->next) {
        buses.emplace_back();
        cMyUsbBus *mine = &buses.back();
        if (lastBus)
            lastBus->next = mine;
        lastBus = mine;
        cMyUsbDevice *lastDevice = nullptr;
        for (auto *device = bus->devices; device; device = device->next) {
            devices.emplace_back();
            cMyUsbDevice *entry = &devices.back();
            entry->vendorId = device->descriptor.idVendor;
            entry->productId = device->descriptor.idProduct;
            entry->system = device;
            (lastDevice ? lastDevice->next : mine->devices) = entry;
            lastDevice = entry;
        }
    }
    return buses.empty() ? nullptr : &buses.front();
}

#endif
