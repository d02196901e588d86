// File commands: New, Open, Save and Save As, the command-line load, and the question about
// unsaved changes.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "device/cmydialogs.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QDebug>
#include <QDir>
#include <QLoggingCategory>

// Which settings file a load reads; on with QT_LOGGING_RULES="tamira.files.debug=true".
Q_LOGGING_CATEGORY(lcFiles, "tamira.files", QtInfoMsg)

namespace {
const QString kTemplateFile = QStringLiteral("clear.tmo");
const QString kBuiltInTemplate = QStringLiteral(":/pliki/clear.tmo");

QString problem(const cMySettingsFile::ReadResult &result)
{
    using Result = cMySettingsFile::ReadResult;
    switch (result.stop) {
    case Result::Complete:
        return MainWindow::tr("plik nie zawiera rekordów");
    case Result::CannotOpen:
        return MainWindow::tr("nie można otworzyć pliku: %1").arg(result.error);
    case Result::NotARecord:
        return MainWindow::tr("wiersz %1: to nie jest rekord Intel HEX").arg(result.line);
    case Result::BadChecksum:
        return MainWindow::tr("wiersz %1: błędna suma kontrolna").arg(result.line);
    case Result::AddressOutside:
        return MainWindow::tr("wiersz %1: rekord adresu przenosi dane poza blok nastaw").arg(result.line);
    case Result::UnsupportedType:
        return MainWindow::tr("wiersz %1: nieobsługiwany typ rekordu %2")
            .arg(result.line)
            .arg(result.recordType, 2, 16, QLatin1Char('0'));
    }
    return QString();
}
} // namespace

void MainWindow::openFileDialog(QString mode)
{
    cMyDialogs &dialogs = cMyDialogs::current();
    if (m_image->isModified() && m_templateLoaded
        && dialogs.question(this, tr("Tamira"), tr("Zachować zmiany?")) == cMyDialogs::Yes) {
        m_saveFailed = false;
        ui->actionSave->trigger();
        // The user asked for the changes to be kept: a save that failed must not lose them.
        if (m_saveFailed)
            return;
    }

    QString path;
    const bool isNew = mode == QLatin1String("NewFile");
    if (isNew) {
        path = QFileInfo(kTemplateFile).isFile() ? kTemplateFile : kBuiltInTemplate;
        // The built-in template goes first: where a template in the working folder is damaged
        // or short, the new document holds blank values, not the previous document's.
        if (path != kBuiltInTemplate)
            cMySettingsFile::read(kBuiltInTemplate, *m_image);
    } else if (mode == QLatin1String("OpenFile")) {
        path = dialogs.openFileName(this, tr("Otworz plik"), startFolder(), tr("Pliki nastaw (*.tmo)"));
        if (path.isEmpty())
            return;
    } else {
        return;
    }
    qCDebug(lcFiles) << "reading" << path;
    const bool loaded = readSettingsFile(path) || isNew;
    m_templateLoaded = true;
    if (!loaded)
        return;
    m_currentFile = isNew ? QFileInfo() : QFileInfo(path);
    refreshSettingsForm();
    updateTitle();
}

void MainWindow::loadFromCommandLine(const QString &path)
{
    if (!readSettingsFile(path))
        return;
    m_currentFile = QFileInfo(path);
    refreshSettingsForm();
    updateTitle();
}

void MainWindow::openFile(QString path)
{
    readSettingsFile(path);
}

bool MainWindow::readSettingsFile(const QString &path)
{
    const cMySettingsFile::ReadResult result = cMySettingsFile::read(path, *m_image);
    if (result.complete() && result.records > 0)
        return true;
    // A name that does not exist yet is a new document: Save creates the file.
    if (result.stop == cMySettingsFile::ReadResult::CannotOpen && !QFileInfo::exists(path))
        return true;
    const QString file = QDir::toNativeSeparators(path);
    const QString text = result.records > 0
        ? tr("Odczyt pliku %1 zatrzymał się (%2).\nOdczytano rekordów: %3. Pozostałe nastawy nie zostały zmienione.")
              .arg(file, problem(result))
              .arg(result.records)
        : tr("Z pliku %1 nie odczytano żadnego rekordu nastaw (%2).\nNastawy, bieżący plik i tytuł okna nie zostały zmienione.")
              .arg(file, problem(result));
    cMyDialogs::current().message(this, cMyDialogs::Warning, tr("Uwaga"), text, cMyDialogs::Ok);
    return result.records > 0;
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
    QString error;
    if (!cMySettingsFile::write(path, *m_image, &error)) {
        cMyDialogs::current().critical(
            this, tr("Błąd"), tr("Nie można zapisać pliku %1:\n%2").arg(QDir::toNativeSeparators(path), error));
        m_saveFailed = true;
        return false;
    }
    m_image->setModified(false);
    return true;
}

QString MainWindow::startFolder() const
{
    return m_currentFile.filePath().isEmpty() ? QString() : m_currentFile.absolutePath();
}
