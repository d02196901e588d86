#include "app/cmyfilecommands.h"

#include "base/cmydialogs.h"
#include "base/cmyfileaccess.h"
#include "base/cmyremembered.h"
#include "jobs/cmybackupstore.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QApplication>
#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QDropEvent>
#include <QLoggingCategory>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

// Which settings file a load reads; on with QT_LOGGING_RULES="tamira.files.debug=true".
Q_LOGGING_CATEGORY(lcFiles, "tamira.files", QtInfoMsg)

namespace {

const QString kTemplateFile = QStringLiteral("clear.tmo");
const QString kFolderKind = QStringLiteral("settings");
const QString kBuiltInTemplate = QStringLiteral(":/pliki/clear.tmo");

QString problem(const cMySettingsFile::ReadResult &result)
{
    using Result = cMySettingsFile::ReadResult;
    switch (result.stop) {
    case Result::Complete:
        return result.records == 0
                   ? cMyFileCommands::tr("plik nie zawiera rekordów")
                   : cMyFileCommands::tr("jego rekordy nie zawierają żadnego bajtu nastaw (adresy 0-1023)");
    case Result::Missing:
    case Result::CannotOpen:
        return cMyFileCommands::tr("nie można otworzyć pliku: %1").arg(result.error);
    case Result::NotARecord:
        return cMyFileCommands::tr("wiersz %1: to nie jest rekord Intel HEX").arg(result.line);
    case Result::BadChecksum:
        return cMyFileCommands::tr("wiersz %1: błędna suma kontrolna").arg(result.line);
    case Result::AddressOutside:
        return cMyFileCommands::tr("wiersz %1: rekord adresu przenosi dane poza blok nastaw").arg(result.line);
    case Result::UnsupportedType:
        return cMyFileCommands::tr("wiersz %1: nieobsługiwany typ rekordu %2")
            .arg(result.line)
            .arg(result.recordType, 2, 16, QLatin1Char('0'));
    }
    return QString();
}

QString settingsFilter()
{
    return cMyFileCommands::tr("Pliki nastaw (*.tmo)");
}

} // namespace

cMyFileCommands::cMyFileCommands(QWidget *window, cMyMemoryArea *image)
    : QObject(window), m_window(window), m_image(image), m_unsaved(window, image, [this] { return save(); }),
      m_recovery(
          image, [this] { return document(); }, this)
{
    // Drags go to the widget under the pointer first; a line edit would take the file's name
    // as text. Looking at them before any widget does keeps a dropped settings file a file.
    window->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

QString cMyFileCommands::startFolder() const
{
    return cMyRemembered::startFolder(kFolderKind, m_file.filePath().isEmpty() ? QString() : m_file.absolutePath());
}

void cMyFileCommands::newDocument()
{
    if (mayReplace(cMyUnsavedChanges::NewDocument))
        loadTemplate();
}

void cMyFileCommands::open()
{
    if (!mayReplace(cMyUnsavedChanges::OpenFile))
        return;
    const QString path =
        cMyDialogs::current().openFileName(m_window, tr("Otworz plik"), startFolder(),
                                           settingsFilter() + QStringLiteral(";;") + tr("Wszystkie pliki (*)"));
    cMyRemembered::rememberFolder(kFolderKind, path);
    if (!path.isEmpty())
        openPath(path);
}

void cMyFileCommands::openNamed(const QString &path)
{
    if (mayReplace(cMyUnsavedChanges::OpenNamedFile, path))
        openPath(path);
}

QString cMyFileCommands::chooseBackup()
{
    const QString folder = cMyBackupStore::folder();
    QDir().mkpath(folder);
    return cMyDialogs::current().openFileName(m_window, tr("Przywróć kopię zapasową"), folder, settingsFilter());
}

bool cMyFileCommands::restoreBackup(const QString &path)
{
    if (!mayReplace(cMyUnsavedChanges::RestoreBackup))
        return false;
    // Not the backup's own document: a Save asks for a name instead of changing the backup.
    if (load(path) == Nothing)
        return false;
    adopt(QFileInfo(), false);
    emit restored(path);
    return true;
}

QString cMyFileCommands::chooseFileToCompare()
{
    QString path =
        cMyDialogs::current().openFileName(m_window, tr("Porównaj z plikiem"), startFolder(),
                                           settingsFilter() + QStringLiteral(";;") + tr("Wszystkie pliki (*)"));
    cMyRemembered::rememberFolder(kFolderKind, path);
    return path;
}

bool cMyFileCommands::readSettings(const QString &path, QVector<quint8> &settings, QString *why)
{
    cMyMemoryArea image;
    cMySettingsFile::read(kBuiltInTemplate, image);
    const cMySettingsFile::ReadResult result = cMySettingsFile::read(path, image);
    if (!result.complete() || result.nothingRead()) {
        if (why)
            *why = problem(result);
        return false;
    }
    settings = image.readBytes(0, cMySettingsFile::kImageSize);
    settings.resize(cMySettingsFile::kImageSize);
    return true;
}

void cMyFileCommands::loadTemplate()
{
    loadTemplateImage();
    adopt(QFileInfo(), false);
}

void cMyFileCommands::loadTemplateImage()
{
    const bool own = QFileInfo(kTemplateFile).isFile();
    // The built-in template goes first: where a template in the working folder is damaged or
    // short, the new document holds blank values, not the previous document's.
    cMySettingsFile::read(kBuiltInTemplate, *m_image);
    if (own)
        load(kTemplateFile);
}

void cMyFileCommands::loadFromCommandLine(const QString &path)
{
    // The blank template is in the image already, which a name that does not exist keeps.
    const Load result = load(path);
    if (result != Nothing)
        adopt(QFileInfo(path), result == Partly);
    if (result == Whole || result == Partly)
        emit opened(path);
}

void cMyFileCommands::openPath(const QString &path)
{
    qCDebug(lcFiles) << "reading" << path;
    const Load result = load(path);
    if (result == NewName)
        loadTemplateImage();
    if (result != Nothing)
        adopt(QFileInfo(path), result == Partly);
    if (result == Whole || result == Partly)
        emit opened(path);
}

void cMyFileCommands::readInto(const QString &path)
{
    load(path);
}

cMyFileCommands::Load cMyFileCommands::load(const QString &path)
{
    const cMySettingsFile::ReadResult result = cMySettingsFile::read(path, *m_image);
    if (result.stop == cMySettingsFile::ReadResult::Missing)
        return NewName; // a new document: Save creates the file
    if (result.complete() && !result.nothingRead())
        return Whole;
    const QString file = QDir::toNativeSeparators(path);
    const QString text =
        result.nothingRead()
            ? tr("Z pliku %1 nie odczytano żadnego rekordu nastaw (%2).\nNastawy, bieżący plik i tytuł okna nie zostały "
                 "zmienione.")
                  .arg(file, problem(result))
            : tr("Odczyt pliku %1 zatrzymał się (%2).\nOdczytano rekordów: %3. Pozostałe nastawy nie zostały "
                 "zmienione.\nZapisz zapyta o nazwę pliku, aby nie zastąpić reszty tego pliku.")
                  .arg(file, problem(result))
                  .arg(result.records);
    cMyDialogs::current().message(m_window, cMyDialogs::Warning, tr("Uwaga"), text, cMyDialogs::Ok);
    return result.nothingRead() ? Nothing : Partly;
}

cMyRecovery::Document cMyFileCommands::document() const
{
    return {m_file.filePath().isEmpty() ? QString() : m_file.absoluteFilePath(), m_saveAsks};
}

bool cMyFileCommands::mayClose()
{
    if (!mayReplace(cMyUnsavedChanges::CloseWindow))
        return false;
    m_recovery.discard();
    return true;
}

void cMyFileCommands::offerRecovery()
{
    m_recovery.offerLeftBehind(m_window, [this](const cMyRecovery::Copy &copy) { return openRecovered(copy); });
}

bool cMyFileCommands::openRecovered(const cMyRecovery::Copy &copy)
{
    QBuffer records;
    records.setData(copy.records);
    records.open(QIODevice::ReadOnly);
    cMyMemoryArea recovered;
    const bool untitled = copy.document.file.isEmpty();
    if (!cMySettingsFile::read(records, recovered).complete() || recovered.pageSize(0) < cMySettingsFile::kImageSize
        || !mayReplace(untitled ? cMyUnsavedChanges::NewDocument : cMyUnsavedChanges::OpenNamedFile,
                       copy.document.file))
        return false;
    m_image->setData(0, recovered.readBytes(0, cMySettingsFile::kImageSize));
    adopt(copy.document.file.isEmpty() ? QFileInfo() : QFileInfo(copy.document.file), copy.document.saveAsks);
    m_image->setModified(true); // the edits are still unsaved
    return true;
}

void cMyFileCommands::adopt(const QFileInfo &file, bool saveAsks)
{
    m_file = file;
    m_saveAsks = saveAsks;
    m_identity = file.filePath().isEmpty() ? QString() : cMyFileAccess::identity(file.absoluteFilePath());
    emit documentReplaced();
    // Loading is no edit, nor is what the editors store while they take the new document.
    m_image->setModified(false);
    emit currentFileChanged();
}

bool cMyFileCommands::save()
{
    if (m_file.filePath().isEmpty() || m_saveAsks)
        return saveAs();
    if (!mayOverwrite(m_file.absoluteFilePath()) || !saveTo(m_file.absoluteFilePath()))
        return false;
    m_file = QFileInfo(m_file.filePath()); // it may have been made just now
    m_identity = cMyFileAccess::identity(m_file.absoluteFilePath());
    emit currentFileChanged();
    return true;
}

bool cMyFileCommands::mayOverwrite(const QString &path)
{
    // A name that names nothing now takes the new file without harm.
    const QString now = cMyFileAccess::identity(path);
    if (now.isEmpty() || now == m_identity)
        return true;
    const QString target = QFileInfo(path).canonicalFilePath();
    const QString name = QDir::toNativeSeparators(path);
    return cMyDialogs::current().question(
               m_window, tr("Tamira"),
               tr("Plik %1 nie jest już plikiem, który został otwarty lub ostatnio zapisany: zajął jego miejsce inny "
                  "plik albo dowiązanie.\nZapisać nastawy w %2, zastępując jego zawartość?")
                   .arg(name, target == path ? name : QDir::toNativeSeparators(target)))
           == cMyDialogs::Yes;
}

bool cMyFileCommands::saveAs()
{
    // After a load that stopped early the dialog offers that file's own name: choosing it asks
    // before the file is replaced.
    const QString start = m_saveAsks ? m_file.absoluteFilePath() : startFolder();
    const QString path = cMyDialogs::current().saveFileName(m_window, tr("Zapisz do pliku"), start, settingsFilter());
    cMyRemembered::rememberFolder(kFolderKind, path);
    if (path.isEmpty())
        return false;
    if (!saveTo(path))
        return false;
    m_file = QFileInfo(path);
    m_saveAsks = false;
    m_identity = cMyFileAccess::identity(path);
    emit currentFileChanged();
    return true;
}

bool cMyFileCommands::saveTo(const QString &path)
{
    QString error;
    if (!cMySettingsFile::write(path, *m_image, &error)) {
        cMyDialogs::current().critical(
            m_window, tr("Błąd"), tr("Nie można zapisać pliku %1:\n%2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_image->setModified(false);
    emit saved(path);
    return true;
}

bool cMyFileCommands::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = droppedSettingsFile(drop->mimeData());
    if (!widget || widget->window() != m_window || path.isEmpty())
        return false;
    drop->acceptProposedAction();
    // Asked once the drop is over: the program the file came from is not kept waiting.
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { openNamed(path); }, Qt::QueuedConnection);
    return true;
}

QString cMyFileCommands::droppedSettingsFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return path.endsWith(QLatin1String(".tmo"), Qt::CaseInsensitive) ? path : QString();
}
