#ifndef SERVICETOOL_CMYSERVICEDIALOGS_H
#define SERVICETOOL_CMYSERVICEDIALOGS_H

// The service console's real dialogs behind the shared dialog seam: message boxes and file
// dialogs parented to its window. Tests install a scripted seam instead.

#include "device/cmydialogs.h"

namespace servicetool {

class cMyServiceDialogs : public cMyDialogs
{
public:
    Button message(QObject *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    QString openFileName(QObject *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QObject *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
};

} // namespace servicetool

#endif
