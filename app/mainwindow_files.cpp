// File commands: New, Open, Save and Save As, and the question about unsaved changes.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "cmydialogs.h"
#include "cmymemoryarea.h"
#include "cmysettingsfile.h"

#include <QDebug>

namespace {
const QString kTemplateFile = QStringLiteral("clear.tmo");
const QString kBuiltInTemplate = QStringLiteral(":/pliki/clear.tmo");
} // namespace

void MainWindow::openFileDialog(QString mode)
{
    cMyDialogs &dialogs = cMyDialogs::current();
    if (m_image->isModified() && m_templateLoaded) {
        if (dialogs.question(this, tr("Tamira"), tr("Zachować zmiany?")) == cMyDialogs::Yes)
            ui->actionSave->trigger();
    }

    QString path;
    if (mode == QLatin1String("NewFile")) {
        path = QFileInfo(kTemplateFile).isFile() ? kTemplateFile : kBuiltInTemplate;
        m_currentFile = QFileInfo();
    } else if (mode == QLatin1String("OpenFile")) {
        path = dialogs.openFileName(this, tr("Otworz plik"), startFolder(), tr("Pliki nastaw (*.tmo)"));
        if (path.isEmpty())
            return;
        m_currentFile = QFileInfo(path);
    } else {
        return;
    }
    qDebug() << path;
    openFile(path);
    refreshSettingsForm();
    updateTitle();
    m_templateLoaded = true;
}

void MainWindow::openFile(QString path)
{
    cMySettingsFile::read(path, *m_image);
}

void MainWindow::saveFileDialog(QString mode)
{
    QString path;
    if (mode == QLatin1String("Save"))
        path = m_currentFile.filePath().isEmpty() ? QString() : m_currentFile.absoluteFilePath();
    else if (mode != QLatin1String("SaveAs"))
        return;
    if (path.isEmpty()) {
        path = cMyDialogs::current().saveFileName(this, tr("Zapisz do pliku"), startFolder(),
                                                  tr("Pliki nastaw (*.tmo)"));
        if (path.isEmpty())
            return;
    }
    if (saveFile(path))
        m_currentFile = QFileInfo(path);
    updateTitle();
}

bool MainWindow::saveFile(QString path)
{
    if (!cMySettingsFile::write(path, *m_image))
        return false;
    m_image->setModified(false);
    return true;
}

QString MainWindow::startFolder() const
{
    return m_currentFile.filePath().isEmpty() ? QString() : m_currentFile.absolutePath();
}
