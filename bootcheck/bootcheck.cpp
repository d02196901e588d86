#include "bootcheck/bootcheck.h"

#include "bootcheck/cmyusb.h"
#include "device/portdiscovery.h"

#include <QCoreApplication>

namespace {

// DFU_DNLOAD, a class request to interface 0 (bmRequestType: host to device, class, interface).
constexpr int kRequestTypeOut = 0x21;
constexpr int kDfuDnload = 1;
constexpr int kTimeoutMs = 20000;

bool isBootloader(const cMyUsbDevice *device)
{
    return PortDiscovery::isBootloaderIds(device->vendorId, device->productId);
}

// Atmel's bootloader command "execute (0x04), start application (0x03), jump to an address
// (0x01), address 0x0000 (high byte first)"; the empty download after it makes the bootloader
// carry the command out. Both results are ignored: there is nothing the user could do about a
// failure here, and the device just stays in its bootloader until the next start.
void startApplication(cMyUsb &usb, cMyUsbHandle *handle)
{
    char command[] = {0x04, 0x03, 0x01, 0x00, 0x00};
    usb.controlMsg(handle, kRequestTypeOut, kDfuDnload, 0, 0, command, int(sizeof command), kTimeoutMs);
    usb.controlMsg(handle, kRequestTypeOut, kDfuDnload, 1, 0, nullptr, 0, kTimeoutMs);
}

} // namespace

cMyDialogs::Button BootCheck::askToRestart(QObject *dialogParent)
{
    // The texts belong to the main window's translation context: the check is its slot.
    const QString title = QCoreApplication::translate("MainWindow", "Tamira");
    const QString text = QCoreApplication::translate(
        "MainWindow", "Wykryto Tamirę w trybie aktualizacji firmware.\nCzy przywrócić ją do pracy?");
    return cMyDialogs::current().message(dialogParent, cMyDialogs::Warning, title, text,
                                         cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No, cMyDialogs::No);
}

namespace {

cMyUsbBus *listBuses(cMyUsb &usb)
{
    usb.init();
    usb.findBusses();
    usb.findDevices();
    return usb.busses();
}

} // namespace

BootCheck::Seen BootCheck::checkBootDevices(cMyUsb &usb, const std::function<cMyDialogs::Button()> &ask)
{
    Seen seen;
    for (cMyUsbBus *bus = listBuses(usb); bus; bus = bus->next) {
        for (cMyUsbDevice *device = bus->devices; device; device = device->next) {
            if (!isBootloader(device))
                continue;
            ++seen.listed;
            cMyUsbHandle *handle = usb.open(device);
            if (!handle) {
                ++seen.unopened; // no driver the layers reach it through, or no permission
                continue;
            }
            if (!ask) {
                usb.close(handle);
                continue;
            }
            if (ask() != cMyDialogs::Yes) {
                usb.close(handle);
                return seen; // the user declined: leave this and every later bootloader alone
            }
            startApplication(usb, handle);
            usb.close(handle);
        }
    }
    return seen;
}

BootCheck::Seen BootCheck::look(cMyUsb &usb, const Seen &before)
{
    Seen listed;
    for (cMyUsbBus *bus = listBuses(usb); bus; bus = bus->next)
        for (cMyUsbDevice *device = bus->devices; device; device = device->next)
            listed.listed += isBootloader(device) ? 1 : 0;
    if (listed.listed > before.listed)
        return checkBootDevices(usb, {});
    // Fewer or as many: which one went is not known, so at most as many stay unreachable.
    listed.unopened = qMin(before.unopened, listed.listed);
    return listed;
}
