#include "simulation/cmysimprofilesaver.h"

#include "base/cmydialogs.h"
#include "base/cmyremembered.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QtConcurrent>

namespace {
const QString kFolderKind = QStringLiteral("profile");
} // namespace

cMySimProfileSaver::cMySimProfileSaver(QObject *dialogParent) : QObject(dialogParent), m_dialogParent(dialogParent)
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &cMySimProfileSaver::written);
}

cMySimProfileSaver::~cMySimProfileSaver()
{
    m_watcher.waitForFinished();
}

void cMySimProfileSaver::save(const cMySimProfileData &data)
{
    if (isSaving())
        return;
    cMyDialogs &dialogs = cMyDialogs::current();
    // A name of its own for each run, in the folder the last profile went to.
    const QString suggested =
        QDir(cMyRemembered::startFolder(kFolderKind))
            .filePath(tr("profil-nurkowania-%1.csv")
                          .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm"))));
    QString path =
        dialogs.saveFileName(m_dialogParent, tr("Zapisz profil nurkowania"), suggested, tr("Pliki CSV (*.csv)"));
    cMyRemembered::rememberFolder(kFolderKind, path);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
        // The file dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path)
            && dialogs.question(
                   m_dialogParent, tr("Zapisz profil nurkowania"),
                   tr("Plik %1 już istnieje.\nCzy chcesz go zastąpić?").arg(QDir::toNativeSeparators(path)))
                   != cMyDialogs::Yes)
            return;
    }
    m_path = path;
    m_saving = true;
    // A copy: the page goes on with its own (a new run clears it).
    m_watcher.setFuture(QtConcurrent::run([data, path] {
        QString error;
        return data.saveCsv(path, &error) ? QString() : error;
    }));
    emit statusMessage(tr("Zapisywanie profilu w %1...").arg(QDir::toNativeSeparators(path)));
    emit savingChanged(true);
}

void cMySimProfileSaver::written()
{
    const QString error = m_watcher.result();
    const QString shown = QDir::toNativeSeparators(m_path);
    if (error.isEmpty())
        emit statusMessage(tr("Profil zapisany w %1.").arg(shown));
    else
        emit statusMessage(tr("Nie można zapisać profilu w %1: %2").arg(shown, error));
    m_saving = false;
    emit savingChanged(false);
}
