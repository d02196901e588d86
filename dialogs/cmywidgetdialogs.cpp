#include "dialogs/cmywidgetdialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QWidget *asWidget(QObject *parent)
{
    return qobject_cast<QWidget *>(parent);
}

// "tmo" for "Setup file (*.tmo)": the suffix the save dialog adds to a name typed without one,
// before it asks whether to replace a file of that name. None for "(*)" or several patterns.
QString suffixOf(const QString &filter)
{
    const int open = filter.lastIndexOf(QLatin1Char('(')), close = filter.lastIndexOf(QLatin1Char(')'));
    const QString pattern = filter.mid(open + 1, close - open - 1).trimmed();
    if (open < 0 || close < open || !pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(' ')))
        return QString();
    return pattern.mid(2);
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
    QFileDialog dialog(asWidget(parent), caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffixOf(filter.section(QStringLiteral(";;"), 0, 0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
