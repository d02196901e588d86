// File commands: the window's file slots hand them to the document's file commands
// (cmyfilecommands.h), which also ask about unsaved changes (cmyunsavedchanges.h) and open a
// settings file dropped on the window or chosen from the recent files (cmyrecentfiles.h).
// Closing the window asks the same question.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfilecommands.h"
#include "app/cmyrecentfiles.h"
#include "model/cmymemoryarea.h"

#include <QCloseEvent>
#include <QDir>

namespace {
// How long the status bar keeps the word of where a save went.
constexpr int kSavedMessageMs = 15000;
} // namespace

void MainWindow::setupFileCommands()
{
    m_files = new cMyFileCommands(this, m_image);
    connect(m_files, &cMyFileCommands::documentReplaced, this, &MainWindow::refreshSettingsForm);
    connect(m_files, &cMyFileCommands::currentFileChanged, this, &MainWindow::updateTitle);
    connect(m_files, &cMyFileCommands::saved, this, [this](const QString &path) {
        ui->statusBar->showMessage(tr("Zapisano w pliku %1.").arg(QDir::toNativeSeparators(path)), kSavedMessageMs);
    });
    connect(m_image, &cMyMemoryArea::modifiedChanged, this, &QWidget::setWindowModified);
    // What a restored backup is, and is not: the device has not changed.
    connect(m_files, &cMyFileCommands::restored, this, [this](const QString &path) {
        ui->statusBar->showMessage(tr("Wczytano kopię zapasową %1. Tamira pozostaje bez zmian, dopóki nastawy nie "
                                      "zostaną zapisane do Tamiry.")
                                       .arg(QDir::toNativeSeparators(path)));
    });

    auto *recent = new cMyRecentFiles(this);
    recent->menuAction()->setObjectName(QStringLiteral("actionRecentFiles"));
    ui->menuPlik->insertMenu(ui->actionSave, recent);
    connect(m_files, &cMyFileCommands::opened, recent, &cMyRecentFiles::add);
    connect(m_files, &cMyFileCommands::saved, recent, &cMyRecentFiles::add);
    connect(recent, &cMyRecentFiles::chosen, m_files, &cMyFileCommands::openNamed);
    connect(recent, &cMyRecentFiles::removed, this, [this](const QString &path) {
        ui->statusBar->showMessage(
            tr("Pliku %1 już nie ma; usunięto go z listy ostatnich plików.").arg(QDir::toNativeSeparators(path)),
            kSavedMessageMs);
    });
}

QFileInfo MainWindow::currentFile() const
{
    return m_files->currentFile();
}

void MainWindow::openFileDialog(QString mode)
{
    if (mode == QLatin1String("NewFile"))
        m_files->newDocument();
    else if (mode == QLatin1String("OpenFile"))
        m_files->open();
}

void MainWindow::loadFromCommandLine(const QString &path)
{
    m_files->loadFromCommandLine(path);
}

void MainWindow::openFile(QString path)
{
    m_files->readInto(path);
}

void MainWindow::saveFileDialog(QString mode)
{
    if (mode == QLatin1String("Save"))
        m_files->save();
    else if (mode == QLatin1String("SaveAs"))
        m_files->saveAs();
}

bool MainWindow::saveFile(QString path)
{
    return m_files->saveTo(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->setAccepted(m_files->mayClose());
    if (event->isAccepted())
        rememberWindow();
}

void MainWindow::offerRecovery()
{
    m_files->offerRecovery();
}

void MainWindow::keepRecoveryCopy()
{
    m_files->keepRecoveryCopy();
}
