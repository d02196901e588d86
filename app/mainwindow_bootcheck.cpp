// The start-up look for a Tamira left in its USB bootloader, and the later looks for one that
// cannot be reached.

#include "app/mainwindow.h"

#include "app/cmybootloaderwatch.h"
#include "app/cmynodevicepanel.h"
#include "app/cmyportselect.h"

#include <QTimer>

void MainWindow::checkBootDevices()
{
    m_bootCheckTimer->stop(); // once per run, also where called before its time
    auto *watch = new cMyBootloaderWatch(this);
    if (auto *panel = findChild<cMyNoDevicePanel *>())
        connect(watch, &cMyBootloaderWatch::unreachableChanged, panel, &cMyNoDevicePanel::setBootloaderUnreachable);
    // A bootloader has no port, but its coming and going is a change of the machine's devices.
    connect(m_portSelect, &cMyPortSelect::devicesMayHaveChanged, watch, &cMyBootloaderWatch::look);
    watch->check();
}
