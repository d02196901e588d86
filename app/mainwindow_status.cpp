// Device status: the overview labels and the status dialog.
#include "mainwindow.h"

void MainWindow::showTamiraStatus() {}
void MainWindow::newStatusRead(QStringList lista) { Q_UNUSED(lista) }
