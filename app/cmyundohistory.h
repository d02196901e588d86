#ifndef APP_CMYUNDOHISTORY_H
#define APP_CMYUNDOHISTORY_H

// Undo and redo of the settings document, at the level of the settings image: every change the
// form makes there is told with its bytes before and after (cMyMemoryArea::edited), and what one
// change of an editor writes (a rule's measured value with its threshold, the altitude with the
// gravity word) becomes one step, named after the editor's field. Undo and redo put the bytes
// back through the image and reload the editors. A load starts a fresh history. The image's
// modified flag and the history's clean state follow each other: the flag cleared (by a save)
// makes the state the saved one, and undoing back to it clears the title's mark.

#include <QHash>
#include <QObject>
#include <QVector>

#include <functional>

class QUndoStack;
class cMyMemoryArea;

class cMyUndoHistory : public QObject
{
    Q_OBJECT

public:
    // The field an address belongs to: its name as a screen reader says it (empty for bytes of
    // no editor), and whether it is a text, whose letters typed one after another make one step.
    struct Field
    {
        QString name;
        bool typed = false;
    };
    // One write: the bytes from `address`, before and after.
    struct Edit
    {
        quint32 address;
        QVector<quint8> before, after;
    };

    cMyUndoHistory(cMyMemoryArea *image, QObject *parent);

    QUndoStack *stack() const { return m_stack; }
    void setFields(std::function<Field(quint32 address)> fields) { m_fields = std::move(fields); }
    // Reloads the editors from the image after an undo or redo.
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }

    // A new document: no steps. `saved`: it is as a file holds it (a load); else it is in no file
    // yet (the settings read from Tamira).
    void startFresh(bool saved);
    // Runs `change`, whose writes to the image are no step (the version stamp, the editors
    // taking the document when the pages are built); where they changed the document, no step
    // leads back to the saved one any more.
    void unrecorded(const std::function<void()> &change);
    // One named step that writes `bytes` at `address`, as an edit in the form would.
    void applyEdit(const QString &name, quint32 address, const QVector<quint8> &bytes);
    // One named step of several writes (each edit's `after` at its address, in order).
    void applyEdit(const QString &name, const QVector<Edit> &writes);

private:
    friend class cMyUndoStep;
    enum Mode { Recording, Unrecorded, Applying };

    void edited(quint32 address, const QVector<quint8> &before, const QVector<quint8> &after);
    // The writes of the change that has just ended become a step.
    void closeStep();
    // Writes one side of a step (undo: `before`, in reverse order) and reloads the editors.
    void put(const QVector<Edit> &edits, bool undo);

    cMyMemoryArea *m_image;
    QUndoStack *m_stack;
    std::function<Field(quint32)> m_fields;
    std::function<void()> m_refresh;
    Mode m_mode = Recording;
    QHash<quint32, quint8> m_unrecordedBefore; // each byte as it was before an unrecorded change
    QVector<Edit> m_pending;
    bool m_closing = false; // a closeStep is on its way
};

#endif
