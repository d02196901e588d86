// File commands: New, Open, Save, Save As.
#include "mainwindow.h"

void MainWindow::openFileDialog(QString mode) { Q_UNUSED(mode) m_templateLoaded = true; }
void MainWindow::openFile(QString path) { Q_UNUSED(path) }
void MainWindow::saveFileDialog(QString mode) { Q_UNUSED(mode) }
bool MainWindow::saveFile(QString path) { Q_UNUSED(path) return false; }
