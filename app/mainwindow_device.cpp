// Device commands: settings read and write, service commands, sound library update.
#include "mainwindow.h"

void MainWindow::tamiraWriteProgress(int min, int max, int progress) { Q_UNUSED(min) Q_UNUSED(max) Q_UNUSED(progress) }
void MainWindow::newDataRead(MemoryType area, uint address, QVector<quint8> data) { Q_UNUSED(area) Q_UNUSED(address) Q_UNUSED(data) }
void MainWindow::writeSettingsToTamira() {}
void MainWindow::readSettingsFromTamira() {}
void MainWindow::on_actionLibraryUpdate_triggered() {}
void MainWindow::on_actionFirmwareUpdate_triggered() {}
void MainWindow::on_actionReset_triggered() {}
void MainWindow::on_actionClearStats_triggered() {}
void MainWindow::on_actionPowerOff_triggered() {}
