// The start-up look for a Tamira left in its USB bootloader.

#include "app/mainwindow.h"

#include "bootcheck/cmybootcheck.h"
#include "bootcheck/cmyusb.h"

void MainWindow::checkBootDevices()
{
    cMyUsb *usb = cMyUsb::current();
    if (!usb)
        return;
    // Off the GUI thread: a transfer to a bootloader that does not answer blocks for 20 s.
    auto *check = new cMyBootCheck(*usb, this, this);
    connect(check, &cMyBootCheck::finished, check, &QObject::deleteLater);
    check->start();
}
