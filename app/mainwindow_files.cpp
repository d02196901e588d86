// File commands: the specified slots hand them to the document's file commands
// (cmyfilecommands.h), which also ask about unsaved changes (cmyunsavedchanges.h). Closing the
// window and dropping a settings file on it go the same way.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfilecommands.h"
#include "model/cmymemoryarea.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

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
    setAcceptDrops(true);
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
    event->setAccepted(m_files->mayReplace());
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!cMyFileCommands::droppedSettingsFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = cMyFileCommands::droppedSettingsFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked once the drop is over: the program the file came from is not kept waiting.
    QMetaObject::invokeMethod(
        m_files, [this, path] { m_files->openDropped(path); }, Qt::QueuedConnection);
}
