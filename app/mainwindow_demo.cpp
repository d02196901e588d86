// The demo device: Help's "Try without a device" and the --demo command line attach the
// bundled emulator in place of a Tamira.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmydemodevice.h"
#include "device/cmydialogs.h"

void MainWindow::setupDemo()
{
    m_demoAction = new QAction(tr("&Wypróbuj bez urządzenia"), this);
    m_demoAction->setObjectName(QStringLiteral("actionDemo"));
    ui->menuPomoc->insertAction(ui->actionAbout, m_demoAction);
    connect(m_demoAction, &QAction::triggered, this, &MainWindow::startDemo);
}

void MainWindow::startDemo()
{
    if (!m_demo) {
        m_demo = new cMyDemoDevice(this);
        connect(m_demo, &cMyDemoDevice::failed, this, [this](const QString &reason) {
            m_demoAction->setEnabled(true);
            cMyDialogs::current().critical(this, tr("Błąd"), reason);
        });
        // One demo device at a time; another may be started once this one has gone.
        connect(m_demo, &cMyDemoDevice::stopped, m_demoAction, [this] { m_demoAction->setEnabled(true); });
    }
    if (m_demo->isRunning())
        return;
    m_demoAction->setEnabled(false);
    m_demo->start();
}
