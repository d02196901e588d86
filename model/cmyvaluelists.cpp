#include "model/cmyvaluelists.h"

#include "model/cmytablemodel.h"
#include "model/settingstext.h"

cMyValueLists::cMyValueLists(QObject *parent) : QObject(parent) {}

cMyTableModel *cMyValueLists::list(const char *name)
{
    cMyTableModel *&list = m_lists[QByteArray(name)];
    if (!list)
        list = new cMyTableModel(QStringLiteral(":/models/%1.csv").arg(QLatin1String(name)), this);
    return list;
}

int cMyValueLists::row(const char *name, int code)
{
    return list(name)->lastRowOfValue(QString::number(code));
}

QString cMyValueLists::text(const char *name, int code)
{
    const int found = row(name, code);
    if (found < 0)
        return SettingsText::unknownCode(code);
    cMyTableModel *model = list(name);
    return model->data(model->index(found, 0)).toString();
}

void cMyValueLists::retranslate()
{
    for (cMyTableModel *list : qAsConst(m_lists))
        list->retranslate();
}
