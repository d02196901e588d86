#include "servicetool/cmyservicedialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace servicetool {

cMyDialogs::Button cMyServiceDialogs::message(QObject *parent, Icon icon, const QString &title,
                                              const QString &text, Buttons buttons, Button defaultButton)
{
    static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Critical, QMessageBox::Question};
    QMessageBox box(icons[icon], title, text, QMessageBox::StandardButtons(int(buttons)),
                    qobject_cast<QWidget *>(parent));
    box.setDefaultButton(QMessageBox::StandardButton(defaultButton));
    return Button(box.exec());
}

QString cMyServiceDialogs::openFileName(QObject *parent, const QString &caption, const QString &dir,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(qobject_cast<QWidget *>(parent), caption, dir, filter);
}

QString cMyServiceDialogs::saveFileName(QObject *parent, const QString &caption, const QString &dir,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(qobject_cast<QWidget *>(parent), caption, dir, filter);
}

} // namespace servicetool
