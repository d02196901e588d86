#ifndef APP_CMYPAGESWITCHER_H
#define APP_CMYPAGESWITCHER_H

// The View menu: each page of the window by name (Alt+1 to Alt+4) and the next and previous page
// (Ctrl+Tab and Ctrl+PgDown, Ctrl+Shift+Tab and Ctrl+PgUp). They are the window's shortcuts, so
// they switch pages wherever the focus is: an editor never takes these keys for its value.

#include <QMenu>

class QActionGroup;
class QTabWidget;

class cMyPageSwitcher : public QMenu
{
    Q_OBJECT

public:
    // `names`: the pages' texts for the menu, marked with QT_TRANSLATE_NOOP in `context`.
    cMyPageSwitcher(QTabWidget *pages, const char *context, const QVector<const char *> &names, QWidget *window);

private:
    void step(int delta);

    QTabWidget *m_pages;
    QActionGroup *m_group;
};

#endif
