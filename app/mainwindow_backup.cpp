// The backups a settings write leaves behind (cmybackupstore.h): "Restore a backup..." opens
// their folder in the open dialog and shows the chosen one against the form
// (mainwindow_compare.cpp), whose "Restore this backup" loads it as a new document
// (cmyfilecommands.h). A backup that cannot be read whole is loaded, with its warning, at once.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmycomparisonwindow.h"
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
    connect(action, &QAction::triggered, this, &MainWindow::restoreBackup);
}

void MainWindow::restoreBackup()
{
    const QString path = m_files->chooseBackup();
    if (path.isEmpty())
        return;
    QVector<quint8> settings;
    if (cMyFileCommands::readSettings(path, settings, nullptr))
        showComparison(comparison(cMyComparisonWindow::Backup, path), settings);
    else
        m_files->restoreBackup(path);
}
