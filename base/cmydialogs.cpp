#include "base/cmydialogs.h"

#include <QDebug>

namespace {

class SilentDialogs : public cMyDialogs
{
public:
    Button message(QObject *, Icon, const QString &title, const QString &text, Buttons, Button) override
    {
        qWarning().noquote() << "dialog without a user:" << title << text;
        return NoButton;
    }
    QString openFileName(QObject *, const QString &, const QString &, const QString &) override { return QString(); }
    QString saveFileName(QObject *, const QString &, const QString &, const QString &) override { return QString(); }
};

SilentDialogs silentDialogs;
cMyDialogs *installed = nullptr;

} // namespace

cMyDialogs &cMyDialogs::current()
{
    return installed ? *installed : static_cast<cMyDialogs &>(silentDialogs);
}

void cMyDialogs::install(cMyDialogs *dialogs)
{
    installed = dialogs;
}
