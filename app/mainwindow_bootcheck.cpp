// The start-up look for a Tamira left in its USB bootloader.
#include "mainwindow.h"

void MainWindow::checkBootDevices() {}
