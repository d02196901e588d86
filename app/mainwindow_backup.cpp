// The backups a settings write leaves behind (cmybackupstore.h): "Restore a backup..." opens
// their folder in the open dialog and loads the chosen one as a new, unsaved document.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmytranslatedtext.h"
#include "jobs/cmybackupstore.h"
#include "device/cmydialogs.h"
#include "model/cmymemoryarea.h"

#include <QAction>
#include <QDir>

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
    cMyDialogs &dialogs = cMyDialogs::current();
    if (m_image->isModified() && m_templateLoaded
        && dialogs.question(this, tr("Tamira"), tr("Zachować zmiany?")) == cMyDialogs::Yes)
        ui->actionSave->trigger();

    const QString folder = cMyBackupStore::folder();
    QDir().mkpath(folder);
    const QString path = dialogs.openFileName(this, tr("Przywróć kopię zapasową"), folder, tr("Pliki nastaw (*.tmo)"));
    if (path.isEmpty())
        return;
    // Not the backup's own document: a Save asks for a name instead of changing the backup.
    m_currentFile = QFileInfo();
    openFile(path);
    m_image->setModified(true);
    refreshSettingsForm();
    updateTitle();
    m_templateLoaded = true;
}
