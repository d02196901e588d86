#include "bootcheck/cmylibusb0dll.h"

#include "bootcheck/cmyusbmirror.h"

#include <qt_windows.h>

#include <cstddef>

// libusb-win32's lists as its libusb-0.1 API documents them for 64-bit Windows, declared here up
// to the members the check reads (the DLL allocates them; nothing here is ever allocated):
//   struct usb_device { usb_device *next, *prev; char filename[512]; usb_bus *bus;
//                       usb_device_descriptor descriptor; ... };
//   struct usb_bus { usb_bus *next, *prev; char dirname[512]; usb_device *devices; ... };
// The library packs its structures to single bytes; the members read here fall on the same
// offsets packed or not (pointers after 512 bytes of name, a descriptor of even-sized fields).
namespace libusb0 {

constexpr int kPathMax = 512;

struct DeviceDescriptor
{
    quint8 bLength;
    quint8 bDescriptorType;
    quint16 bcdUSB;
    quint8 bDeviceClass;
    quint8 bDeviceSubClass;
    quint8 bDeviceProtocol;
    quint8 bMaxPacketSize0;
    quint16 idVendor;
    quint16 idProduct;
};

struct Bus;

struct Device
{
    Device *next;
    Device *prev;
    char filename[kPathMax];
    Bus *bus;
    DeviceDescriptor descriptor;
};

struct Bus
{
    Bus *next;
    Bus *prev;
    char dirname[kPathMax];
    Device *devices;
};

static_assert(offsetof(Device, descriptor) == 536 && offsetof(DeviceDescriptor, idProduct) == 10,
              "usb_device as libusb-win32 lays it out on 64-bit Windows");
static_assert(offsetof(Bus, devices) == 528, "usb_bus as libusb-win32 lays it out on 64-bit Windows");

struct DevHandle; // usb_dev_handle

} // namespace libusb0

struct cMyLibUsb0Dll::Api
{
    HMODULE module = nullptr;
    void (*init)() = nullptr;
    int (*findBusses)() = nullptr;
    int (*findDevices)() = nullptr;
    libusb0::Bus *(*getBusses)() = nullptr;
    libusb0::DevHandle *(*open)(libusb0::Device *) = nullptr;
    int (*controlMsg)(libusb0::DevHandle *, int, int, int, int, char *, int, int) = nullptr;
    int (*close)(libusb0::DevHandle *) = nullptr;
};

namespace {

template <typename Function> bool resolve(HMODULE module, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    return function != nullptr;
}

libusb0::DevHandle *handleOf(cMyUsbHandle *handle)
{
    return reinterpret_cast<libusb0::DevHandle *>(handle);
}

} // namespace

cMyLibUsb0Dll::cMyLibUsb0Dll() = default;

cMyLibUsb0Dll::~cMyLibUsb0Dll()
{
    // The library is left loaded: its lists may still be in use by a check that was abandoned.
    delete m_api;
}

void cMyLibUsb0Dll::init()
{
    if (!m_looked) {
        m_looked = true;
        // From the system folder only, where the driver's installer puts it, never from the
        // program's or the current folder.
        const HMODULE module = LoadLibraryExW(L"libusb0.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module)
            return;
        auto *api = new Api;
        api->module = module;
        if (resolve(module, "usb_init", api->init) && resolve(module, "usb_find_busses", api->findBusses)
            && resolve(module, "usb_find_devices", api->findDevices)
            && resolve(module, "usb_get_busses", api->getBusses) && resolve(module, "usb_open", api->open)
            && resolve(module, "usb_control_msg", api->controlMsg) && resolve(module, "usb_close", api->close)) {
            m_api = api;
        } else {
            delete api;
            FreeLibrary(module);
            return;
        }
    }
    if (m_api)
        m_api->init();
}

int cMyLibUsb0Dll::findBusses()
{
    return m_api ? m_api->findBusses() : 0;
}

int cMyLibUsb0Dll::findDevices()
{
    return m_api ? m_api->findDevices() : 0;
}

cMyUsbBus *cMyLibUsb0Dll::busses()
{
    return mirrorUsbBuses(m_api ? m_api->getBusses() : nullptr, m_buses, m_devices);
}

cMyUsbHandle *cMyLibUsb0Dll::open(cMyUsbDevice *device)
{
    return reinterpret_cast<cMyUsbHandle *>(m_api->open(static_cast<libusb0::Device *>(device->system)));
}

int cMyLibUsb0Dll::controlMsg(cMyUsbHandle *handle, int requestType, int request, int value, int index, char *bytes,
                              int size, int timeout)
{
    return m_api->controlMsg(handleOf(handle), requestType, request, value, index, bytes, size, timeout);
}

int cMyLibUsb0Dll::close(cMyUsbHandle *handle)
{
    return m_api->close(handleOf(handle));
}
