#ifndef BOOTCHECK_BOOTCHECK_H
#define BOOTCHECK_BOOTCHECK_H

// Start-up check for Tamiras left in Atmel's DFU bootloader (after a firmware update that was
// never finished): each one found is offered to be returned to normal operation.

#include "base/cmydialogs.h"

#include <functional>

class QObject;
class cMyUsb;

namespace BootCheck {

// What a walk saw: the bootloaders listed, and how many of them no USB layer could open (no
// driver that lets the program reach them, or no permission).
struct Seen
{
    int listed = 0;
    int unopened = 0;
};

// Walks every USB bus and device in list order. For each 03EB:2FF0 device that opens, asks the
// user through `ask`; Yes sends the DFU "start application" request, No or a closed box ends
// the whole check. Transfer results are ignored, so a device that does not restart simply stays
// in its bootloader. Blocks for as long as the transfers take (up to 20 s each): cMyBootCheck
// runs it on a thread of its own. Returns the bootloaders walked and those that did not open.
Seen checkBootDevices(cMyUsb &usb, const std::function<cMyDialogs::Button()> &ask);

// A later look, after a change of the machine's devices: asks nothing and sends nothing. Only
// when more bootloaders are listed than `before` says are they opened (and closed at once) to
// learn whether the new one can be reached; otherwise none is touched, so a bootloader in use by
// a firmware update tool is left alone.
Seen look(cMyUsb &usb, const Seen &before);

// The question for one bootloader found, as a warning box parented to dialogParent.
cMyDialogs::Button askToRestart(QObject *dialogParent);

} // namespace BootCheck

#endif
