#include "model/cmytablemodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

cMyTableModel::cMyTableModel(const QString &fileName, QObject *parent) : QAbstractTableModel(parent), m_translated(true)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.setCodec("ISO-8859-1"); // the lists are 8-bit text; 0xB0 is the degree sign
    int widest = 0;
    do {
        const QStringList parts = in.readLine().split(QLatin1Char(';'), Qt::KeepEmptyParts);
        widest = qMax(widest, parts.size());
        m_rows.append(parts);
    } while (!in.atEnd());
    file.close();
    for (QStringList &row : m_rows) {
        while (row.size() < widest)
            row.append(QString());
    }
    indexValues();
}

void cMyTableModel::indexValues()
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).size() > 1)
            m_rowOfValue.insert(m_rows.at(row).at(1), row);
    }
}

cMyTableModel::cMyTableModel(const QList<QStringList> &rows, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows)
{
    indexValues();
}

int cMyTableModel::rowCount(const QModelIndex &) const
{
    return m_rows.size();
}

int cMyTableModel::columnCount(const QModelIndex &) const
{
    return m_rows.isEmpty() ? 0 : m_rows.first().size();
}

QString cMyTableModel::field(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows.at(row).size())
        return QString();
    return m_rows.at(row).at(column);
}

QVariant cMyTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    const int row = index.row();
    const int column = index.column();
    if (row >= m_rows.size() || column >= m_rows.at(row).size())
        return QVariant();
    const QString &text = m_rows.at(row).at(column);
    if (column == 0 && m_translated && !text.isEmpty())
        return QCoreApplication::translate("ValueList", text.toUtf8().constData());
    return text;
}

void cMyTableModel::retranslate()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, 0), {Qt::DisplayRole});
}

QVariant cMyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QVariant();
    switch (section) {
    case 0:
        return tr("Nazwa");
    case 1:
        return tr("Wartosc");
    case 2:
        return tr("Faktor");
    case 3:
        return tr("Jednostka");
    default:
        return QVariant();
    }
}

Qt::ItemFlags cMyTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsEnabled;
    return QAbstractTableModel::flags(index);
}
