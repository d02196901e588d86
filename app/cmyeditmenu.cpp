#include "app/cmyeditmenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QUndoStack>

cMyEditMenu::cMyEditMenu(QUndoStack *stack, QWidget *window)
    : QMenu(window), m_window(window), m_stack(stack), m_undo(addAction(QString())), m_redo(addAction(QString()))
{
    setObjectName(QStringLiteral("menuEdycja"));
    m_undo->setObjectName(QStringLiteral("actionUndo"));
    m_undo->setShortcuts(QKeySequence::Undo);
    m_redo->setObjectName(QStringLiteral("actionRedo"));
    m_redo->setShortcuts(QKeySequence::Redo);
    connect(m_undo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::indexChanged, this, &cMyEditMenu::updateTexts);
    connect(stack, &QUndoStack::cleanChanged, this, &cMyEditMenu::updateTexts);
    updateTexts();
    qApp->installEventFilter(this);
}

bool cMyEditMenu::eventFilter(QObject *watched, QEvent *event)
{
    // A field that would take the keys for its own undo is told no, so they reach the actions.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == m_window) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return QMenu::eventFilter(watched, event);
}

void cMyEditMenu::updateTexts()
{
    setTitle(tr("&Edycja"));
    const QString undone = m_stack->undoText(), redone = m_stack->redoText();
    m_undo->setText(undone.isEmpty() ? tr("&Cofnij") : tr("&Cofnij %1").arg(undone));
    m_redo->setText(redone.isEmpty() ? tr("&Ponów") : tr("&Ponów %1").arg(redone));
    m_undo->setEnabled(m_stack->canUndo());
    m_redo->setEnabled(m_stack->canRedo());
}

void cMyEditMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        updateTexts();
    QMenu::changeEvent(event);
}
