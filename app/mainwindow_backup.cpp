// The backups a settings write leaves behind (cmybackupstore.h): "Restore a backup..." opens
// their folder in the open dialog and loads the chosen one as a new document (cmyfilecommands.h).

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfilecommands.h"

#include <QAction>

void MainWindow::insertRestoreBackupAction()
{
    auto *action = new QAction(tr("&Przywróć kopię zapasową..."), this);
    action->setObjectName(QStringLiteral("actionRestoreBackup"));
    ui->menuPlik->insertAction(ui->actionExit, action);
    ui->menuPlik->insertSeparator(ui->actionExit);
    connect(action, &QAction::triggered, this, [this] { m_files->restoreBackup(); });
}
