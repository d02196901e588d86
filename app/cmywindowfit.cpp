#include "app/cmywindowfit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

cMyWindowFit::cMyWindowFit(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool cMyWindowFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            fit();
        } else if (m_shown && (event->type() == QEvent::Move || event->type() == QEvent::Resize)
                   && m_window->frameGeometry() != m_window->geometry()) {
            // The frame is known now (on X11 only once the window is mapped): fit once more.
            m_window->removeEventFilter(this);
            fit();
        }
    }
    return QObject::eventFilter(watched, event);
}

void cMyWindowFit::fit()
{
    if (m_window->isMaximized() || m_window->isFullScreen() || !m_window->screen())
        return;
    const QRect area = m_window->screen()->availableGeometry();
    const QRect frame = m_window->frameGeometry();
    const QSize decoration = frame.size() - m_window->size();
    const QSize size = m_window->size().boundedTo(area.size() - decoration).expandedTo(m_window->minimumSizeHint());
    if (size != m_window->size())
        m_window->resize(size);
    // Where the frame would still stick out, the window moves in (its top left corner first).
    const QSize outer = size + decoration;
    QPoint corner = frame.topLeft();
    corner.setX(qMax(area.left(), qMin(corner.x(), area.right() + 1 - outer.width())));
    corner.setY(qMax(area.top(), qMin(corner.y(), area.bottom() + 1 - outer.height())));
    if (corner != frame.topLeft())
        m_window->move(corner);
}
