#ifndef APP_CMYUNSAVEDCHANGES_H
#define APP_CMYUNSAVEDCHANGES_H

// The one answer to "may the current document be replaced?", asked before New, Open, Restore a
// backup, the settings read from Tamira and a dropped file take the window's document, and
// before the window closes.

#include <QCoreApplication>

#include <functional>

class QWidget;
class cMyMemoryArea;

class cMyUnsavedChanges
{
    Q_DECLARE_TR_FUNCTIONS(cMyUnsavedChanges)

public:
    // `save` saves the document (asking for a name where it has none) and says whether it did.
    cMyUnsavedChanges(QWidget *window, const cMyMemoryArea *image, std::function<bool()> save);

    // Without unsaved changes, yes. With them the user chooses: Yes saves them, and a save that
    // was cancelled or failed answers no; No discards them; Cancel, Escape or closing the box
    // answers no.
    bool mayReplace() const;

private:
    QWidget *m_window;
    const cMyMemoryArea *m_image;
    std::function<bool()> m_save;
};

#endif
