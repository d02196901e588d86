#ifndef APP_CMYUNSAVEDCHANGES_H
#define APP_CMYUNSAVEDCHANGES_H

// The one answer to "may the current document be replaced?", asked before New, Open, Restore a
// backup, the settings read from Tamira, a dropped or recent file take the window's document,
// and before the window closes. The question names the document and what comes next.

#include <QCoreApplication>

#include <functional>

class QFileInfo;
class QWidget;
class cMyMemoryArea;

class cMyUnsavedChanges
{
    Q_DECLARE_TR_FUNCTIONS(cMyUnsavedChanges)

public:
    // What takes the document's place once the user has answered.
    enum Next { NewDocument, OpenFile, RestoreBackup, ReadFromTamira, OpenNamedFile, CloseWindow };

    // `save` saves the document (asking for a name where it has none) and says whether it did.
    cMyUnsavedChanges(QWidget *window, const cMyMemoryArea *image, std::function<bool()> save);

    // Without unsaved changes, yes. With them the user chooses: Yes saves them, and a save that
    // was cancelled or failed answers no; No discards them; Cancel, Escape or closing the box
    // answers no. `document`: the current file (none for a new document); `named`: the file
    // OpenNamedFile opens.
    bool mayReplace(Next next, const QFileInfo &document, const QString &named = QString()) const;

private:
    QWidget *m_window;
    const cMyMemoryArea *m_image;
    std::function<bool()> m_save;
};

#endif
