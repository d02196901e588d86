#ifndef APP_CMYWINDOWFIT_H
#define APP_CMYWINDOWFIT_H

// Keeps a window's first size within the available area of its screen (the part that task bars
// leave), at any scale factor: when the window is first shown it is made smaller where it
// would not fit, never larger, and once the window system has put a frame around it, smaller
// again and moved where the frame would still reach beyond the area.

#include <QObject>

class QWidget;

class cMyWindowFit : public QObject
{
    Q_OBJECT

public:
    explicit cMyWindowFit(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit();

    QWidget *m_window;
    bool m_shown = false;
};

#endif
