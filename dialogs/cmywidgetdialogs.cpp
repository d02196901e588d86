#include "dialogs/cmywidgetdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QWidget *asWidget(QObject *parent)
{
    return qobject_cast<QWidget *>(parent);
}

QMessageBox::Icon boxIcon(cMyDialogs::Icon icon)
{
    switch (icon) {
    case cMyDialogs::Information:
        return QMessageBox::Information;
    case cMyDialogs::Warning:
        return QMessageBox::Warning;
    case cMyDialogs::Critical:
        return QMessageBox::Critical;
    case cMyDialogs::Question:
        return QMessageBox::Question;
    case cMyDialogs::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

cMyDialogs::Button cMyWidgetDialogs::message(QObject *parent, Icon icon, const QString &title, const QString &text,
                                             Buttons buttons, Button defaultButton)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::StandardButtons(int(buttons)), asWidget(parent));
    if (defaultButton != NoButton)
        box.setDefaultButton(QMessageBox::StandardButton(defaultButton));
    return Button(box.exec());
}

QString cMyWidgetDialogs::openFileName(QObject *parent, const QString &caption, const QString &dir,
                                       const QString &filter)
{
    return QFileDialog::getOpenFileName(asWidget(parent), caption, dir, filter);
}

QString cMyWidgetDialogs::saveFileName(QObject *parent, const QString &caption, const QString &dir,
                                       const QString &filter)
{
    return QFileDialog::getSaveFileName(asWidget(parent), caption, dir, filter);
}
