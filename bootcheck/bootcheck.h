#ifndef BOOTCHECK_BOOTCHECK_H
#define BOOTCHECK_BOOTCHECK_H

// Start-up check for Tamiras left in Atmel's DFU bootloader (after a firmware update that was
// never finished): each one found is offered to be returned to normal operation.

#include "base/cmydialogs.h"

#include <functional>

class QObject;
class cMyUsb;

namespace BootCheck {

// Walks every USB bus and device in list order. For each 03EB:2FF0 device that opens, asks the
// user through `ask`; Yes sends the DFU "start application" request, No or a closed box ends
// the whole check. Reports nothing; transfer results are ignored, so a device that does not
// restart simply stays in its bootloader. Blocks for as long as the transfers take (up to 20 s
// each): cMyBootCheck runs it on a thread of its own.
void checkBootDevices(cMyUsb &usb, const std::function<cMyDialogs::Button()> &ask);

// The question for one bootloader found, as a warning box parented to dialogParent.
cMyDialogs::Button askToRestart(QObject *dialogParent);

} // namespace BootCheck

#endif
