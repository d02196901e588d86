// The demo device: Help's "Try without a device", the overview's panel shown while no Tamira
// is attached, and the --demo command line attach the bundled emulator in place of a Tamira.
// While it is attached, the port chooser and the title say so.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmydemodevice.h"
#include "app/cmynodevicepanel.h"
#include "app/cmyoverviewpage.h"
#include "app/cmyportselect.h"
#include "app/cmytranslatedtext.h"
#include "base/cmydialogs.h"

void MainWindow::setupDemo()
{
    m_demoAction = new QAction(this);
    TranslatedText::set(m_demoAction, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "&Wypróbuj bez urządzenia"));
    m_demoAction->setObjectName(QStringLiteral("actionDemo"));
    ui->menuPomoc->insertAction(ui->actionAbout, m_demoAction);
    connect(m_demoAction, &QAction::triggered, this, &MainWindow::startDemo);

    auto *panel = new cMyNoDevicePanel(ui->tabStart);
    ui->gridStart->addWidget(panel, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignLeft);
    // The page was shown (and styled) when it became the current one: its style for this too.
    ui->tabStart->adopt(panel);
    connect(panel, &cMyNoDevicePanel::demoRequested, this, &MainWindow::startDemo);
    connect(m_portSelect, &QComboBox::currentTextChanged, panel,
            [this, panel] { panel->setVisible(!m_portSelect->hasPort()); });
}

bool MainWindow::demoAttached() const
{
    return m_demo && m_demo->isRunning() && m_portSelect->showsDemoPort();
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
        connect(m_demo, &cMyDemoDevice::stopped, m_demoAction, [this] {
            m_demoAction->setEnabled(true);
            m_portSelect->setDemoPort(QString());
            updateTitle();
        });
        connect(m_demo, &cMyDemoDevice::started, this, [this](const QString &port) {
            m_portSelect->setDemoPort(port);
            updateTitle();
        });
    }
    if (m_demo->isRunning())
        return;
    m_demoAction->setEnabled(false);
    m_demo->start();
}
