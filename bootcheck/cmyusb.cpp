#include "bootcheck/cmyusb.h"

#include <atomic>

namespace {
std::atomic<cMyUsb *> installed{nullptr};
}

cMyUsb *cMyUsb::current()
{
    return installed.load();
}

void cMyUsb::install(cMyUsb *usb)
{
    installed.store(usb);
}
