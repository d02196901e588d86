#include "app/cmyunsavedchanges.h"

#include "base/cmydialogs.h"
#include "model/cmymemoryarea.h"

#include <QFileInfo>
#include <QWidget>

cMyUnsavedChanges::cMyUnsavedChanges(QWidget *window, const cMyMemoryArea *image, std::function<bool()> save)
    : m_window(window), m_image(image), m_save(std::move(save))
{}

bool cMyUnsavedChanges::mayReplace(Next next, const QFileInfo &document, const QString &named) const
{
    if (!m_image->isModified())
        return true;
    QString then;
    switch (next) {
    case NewDocument:
        then = tr("zanim powstanie nowy dokument");
        break;
    case OpenFile:
        then = tr("zanim zostanie otwarty inny plik");
        break;
    case RestoreBackup:
        then = tr("zanim zostanie wczytana kopia zapasowa");
        break;
    case ReadFromTamira:
        then = tr("zanim nastawy zostaną odczytane z Tamiry");
        break;
    case OpenNamedFile:
        then = tr("zanim zostanie otwarty plik %1").arg(QFileInfo(named).fileName());
        break;
    case CloseWindow:
        then = tr("zanim okno zostanie zamknięte");
        break;
    }
    const QString what =
        document.filePath().isEmpty()
            ? tr("Zmiany w nowym dokumencie zostaną zapisane (Tak) albo porzucone (Nie), %1.").arg(then)
            : tr("Zmiany w pliku %1 zostaną zapisane (Tak) albo porzucone (Nie), %2.").arg(document.fileName(), then);
    const cMyDialogs::Button answer = cMyDialogs::current().message(
        m_window, cMyDialogs::Question, tr("Tamira"), tr("Zachować zmiany?") + QLatin1Char('\n') + what,
        cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No | cMyDialogs::Cancel, cMyDialogs::Yes);
    switch (answer) {
    case cMyDialogs::Yes:
        return m_save();
    case cMyDialogs::No:
        return true;
    default: // Cancel, Escape, the box closed
        return false;
    }
}
