#ifndef TESTS_SUPPORT_CUTOFFWIDGETS_H
#define TESTS_SUPPORT_CUTOFFWIDGETS_H

// What is cut off in a shown window: each visible widget must lie inside its parent (only a
// scroll area's content may be larger than its view, which scrolls), a button, a group box or a
// label that does not wrap must have room for its text, and a push button's text must keep a
// quarter of a character off its edges. One line per fault; none is good.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

inline QStringList cutOffWidgets(QWidget *window)
{
    QStringList cut;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->isWindow())
            continue;
        QWidget *parent = widget->parentWidget();
        auto *area = qobject_cast<QAbstractScrollArea *>(parent->parentWidget());
        const bool scrolls = area && area->viewport() == parent;
        const QString name = QString("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
        if (!scrolls && !parent->rect().contains(widget->geometry()))
            cut << name + " outside its parent";
        auto *label = qobject_cast<QLabel *>(widget);
        const bool text = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QGroupBox *>(widget)
                          || (label && !label->wordWrap());
        auto *button = qobject_cast<QPushButton *>(widget);
        if (button && !button->text().isEmpty()) {
            const QFontMetrics metrics(button->font());
            const int advance = metrics.horizontalAdvance(QString(button->text()).remove('&'));
            if (button->width() < advance + metrics.averageCharWidth() / 2)
                cut << QString("%1 %2 wide, its text %3").arg(name).arg(button->width()).arg(advance);
        }
        const QSize least = widget->minimumSizeHint();
        if (text && (widget->width() < least.width() || widget->height() < least.height()))
            cut << QString("%1 %2 x %3, needs %4 x %5")
                       .arg(name)
                       .arg(widget->width())
                       .arg(widget->height())
                       .arg(least.width())
                       .arg(least.height());
    }
    return cut;
}

#endif
