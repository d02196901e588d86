#include "app/cmyundohistory.h"

#include "model/cmymemoryarea.h"

#include <QUndoStack>

// One step of the history: the writes of one change. Pushed once they are in the image, so the
// first redo (which QUndoStack calls on push) writes nothing.
class cMyUndoStep : public QUndoCommand
{
public:
    // Steps of the same text that merge: its letters typed one after another.
    static constexpr int kTypedId = 1;

    cMyUndoStep(cMyUndoHistory *history, const cMyUndoHistory::Field &field, QVector<cMyUndoHistory::Edit> edits,
                bool done)
        : QUndoCommand(field.name), m_history(history), m_edits(std::move(edits)), m_done(done), m_typed(field.typed)
    {}

    int id() const override { return m_typed ? kTypedId : -1; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const cMyUndoStep *>(other);
        if (next->text() != text())
            return false;
        m_edits += next->m_edits;
        return true;
    }

    void undo() override { m_history->put(m_edits, true); }

    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_history->put(m_edits, false);
    }

private:
    cMyUndoHistory *m_history;
    QVector<cMyUndoHistory::Edit> m_edits;
    bool m_done;
    bool m_typed;
};

cMyUndoHistory::cMyUndoHistory(cMyMemoryArea *image, QObject *parent)
    : QObject(parent), m_image(image), m_stack(new QUndoStack(this))
{
    connect(image, &cMyMemoryArea::edited, this, &cMyUndoHistory::edited);
    connect(m_stack, &QUndoStack::cleanChanged, image, [image](bool clean) { image->setModified(!clean); });
    connect(image, &cMyMemoryArea::modifiedChanged, this, [this](bool modified) {
        if (!modified) {
            closeStep();
            m_stack->setClean();
        }
    });
}

void cMyUndoHistory::edited(quint32 address, const QVector<quint8> &before, const QVector<quint8> &after)
{
    switch (m_mode) {
    case Applying:
        return;
    case Unrecorded:
        for (int i = 0; i < before.size(); ++i)
            if (!m_unrecordedBefore.contains(address + quint32(i)))
                m_unrecordedBefore.insert(address + quint32(i), before.at(i));
        return;
    case Recording:
        break;
    }
    m_pending.append({address, before, after});
    // Everything written before the program returns to the event loop is one change.
    if (!m_closing) {
        m_closing = true;
        QMetaObject::invokeMethod(this, &cMyUndoHistory::closeStep, Qt::QueuedConnection);
    }
}

void cMyUndoHistory::closeStep()
{
    m_closing = false;
    if (m_pending.isEmpty())
        return;
    Field field;
    for (const Edit &e : qAsConst(m_pending)) {
        if (m_fields)
            field = m_fields(e.address);
        if (!field.name.isEmpty())
            break;
    }
    const QVector<Edit> edits = std::move(m_pending);
    m_pending.clear();
    m_stack->push(new cMyUndoStep(this, field, edits, true));
}

void cMyUndoHistory::put(const QVector<Edit> &edits, bool undo)
{
    closeStep();
    m_mode = Applying;
    for (int i = 0; i < edits.size(); ++i) {
        const Edit &e = edits.at(undo ? edits.size() - 1 - i : i);
        m_image->setData(e.address, undo ? e.before : e.after);
    }
    if (m_refresh)
        m_refresh();
    m_mode = Recording;
}

void cMyUndoHistory::startFresh(bool saved)
{
    m_pending.clear();
    m_stack->clear();
    if (!saved)
        m_stack->resetClean();
    m_image->setModified(!saved);
}

void cMyUndoHistory::unrecorded(const std::function<void()> &change)
{
    closeStep();
    const Mode before = m_mode;
    m_mode = Unrecorded;
    m_unrecordedBefore.clear();
    change();
    m_mode = before;
    // Editors that stored a value and then the one they were given again changed nothing.
    for (auto it = m_unrecordedBefore.cbegin(); it != m_unrecordedBefore.cend(); ++it) {
        quint8 now = 0;
        m_image->getByte(it.key(), now);
        if (now != it.value()) {
            m_stack->resetClean();
            break;
        }
    }
}

void cMyUndoHistory::applyEdit(const QString &name, quint32 address, const QVector<quint8> &bytes)
{
    applyEdit(name, QVector<Edit>{{address, {}, bytes}});
}

void cMyUndoHistory::applyEdit(const QString &name, const QVector<Edit> &writes)
{
    closeStep();
    QVector<Edit> edits;
    bool changes = false;
    for (const Edit &w : writes) {
        Edit e{w.address, {}, w.after};
        for (int i = 0; i < w.after.size(); ++i) {
            quint8 b = 0;
            m_image->getByte(w.address + quint32(i), b);
            e.before.append(b);
        }
        changes = changes || e.before != e.after;
        edits.append(e);
    }
    if (changes)
        m_stack->push(new cMyUndoStep(this, Field{name, false}, edits, false));
}
