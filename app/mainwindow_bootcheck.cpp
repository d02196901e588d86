// The start-up look for a Tamira left in its USB bootloader.

#include "mainwindow.h"

#include "bootcheck.h"
#include "cmylibusb.h"

void MainWindow::checkBootDevices()
{
    cMyLibUsb usb;
    BootCheck::checkBootDevices(usb, this);
}
