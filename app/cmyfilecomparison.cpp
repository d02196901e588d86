#include "app/cmyfilecomparison.h"

#include "app/cmycomparisonmodel.h"
#include "app/cmyfilecommands.h"
#include "model/cmyvaluelists.h"

#include <QDir>

#include <utility>

namespace {

// One field of a line: a line break or a tab in a text would split the row.
QString field(const QVariant &value)
{
    QString text = value.toString();
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

} // namespace

cMyFileComparison::Status cMyFileComparison::run(const QString &a, const QString &b, QString &out, QString &error)
{
    QVector<quint8> left, right;
    for (const auto &side : {std::make_pair(a, &left), std::make_pair(b, &right)}) {
        const QString &path = side.first;
        QString why;
        if (!cMyFileCommands::readSettings(path, *side.second, &why)) {
            error += tr("TAMIRAdesk: nie można porównać pliku %1 (%2)").arg(QDir::toNativeSeparators(path), why)
                     + QLatin1Char('\n');
            return BadFile;
        }
    }
    cMyValueLists lists;
    cMyComparisonModel table;
    table.setRows(cMySettingsComparison(&lists).compare(left, right), a, a, b);
    out += tr("Znacznik wersji nastaw (nie jest różnicą): %1 %2, %3 %4")
               .arg(a, cMySettingsWords::stamp(left), b, cMySettingsWords::stamp(right))
           + QLatin1Char('\n');
    if (table.rowCount() == 0) {
        out += tr("%1 i %2 zawierają te same nastawy.").arg(a, b) + QLatin1Char('\n');
        return Same;
    }
    for (int row = -1; row < table.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < table.columnCount(); ++column)
            fields << field(row < 0 ? table.headerData(column, Qt::Horizontal) : table.data(table.index(row, column)));
        out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return Differ;
}
