#ifndef DIALOGS_CMYWIDGETDIALOGS_H
#define DIALOGS_CMYWIDGETDIALOGS_H

// The real dialogs behind the dialog seam (base/cmydialogs.h), for both programs: QMessageBox
// and QFileDialog, parented to the widget given. Tests install a scripted seam instead.

#include "base/cmydialogs.h"

class cMyWidgetDialogs : public cMyDialogs
{
public:
    Button message(QObject *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    QString openFileName(QObject *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QObject *parent, const QString &caption, const QString &dir, const QString &filter) override;
};

#endif
