#ifndef BOOTCHECK_H
#define BOOTCHECK_H

// Start-up check for Tamiras left in Atmel's DFU bootloader (after a firmware update that was
// never finished): each one found is offered to be returned to normal operation.

class QObject;
class cMyUsb;

namespace BootCheck {

// Walks every USB bus and device in list order. For each 03EB:2FF0 device that opens, asks the
// user (the message box is parented to dialogParent); Yes sends the DFU "start application"
// request, No or a closed box ends the whole check. Reports nothing; transfer results are
// ignored, so a device that does not restart simply stays in its bootloader.
void checkBootDevices(cMyUsb &usb, QObject *dialogParent);

} // namespace BootCheck

#endif
