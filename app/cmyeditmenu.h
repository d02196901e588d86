#ifndef APP_CMYEDITMENU_H
#define APP_CMYEDITMENU_H

// The Edit menu: Undo and Redo of the settings document (the platform's usual keys), each named
// after the field of the step it takes back or makes again ("Undo 5. Dive start threshold").
// The keys undo the document wherever the focus is in the window: a text field or spin box keeps
// no undo of its own beside it.

#include <QMenu>

class QUndoStack;

class cMyEditMenu : public QMenu
{
    Q_OBJECT

public:
    cMyEditMenu(QUndoStack *stack, QWidget *window);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateTexts();

    QWidget *m_window;
    QUndoStack *m_stack;
    QAction *m_undo;
    QAction *m_redo;
};

#endif
