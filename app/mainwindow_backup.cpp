// The backups a settings write leaves behind (cmybackupstore.h): "Restore a backup..." opens
// their folder in the open dialog and loads the chosen one as a new document (cmyfilecommands.h).

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfilecommands.h"
#include "app/cmytranslatedtext.h"

#include <QAction>

void MainWindow::insertRestoreBackupAction()
{
    auto *action = new QAction(this);
    TranslatedText::set(action, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "&Przywróć kopię zapasową..."));
    action->setObjectName(QStringLiteral("actionRestoreBackup"));
    ui->menuPlik->insertAction(ui->actionExit, action);
    ui->menuPlik->insertSeparator(ui->actionExit);
    connect(action, &QAction::triggered, this, [this] { m_files->restoreBackup(); });
}
