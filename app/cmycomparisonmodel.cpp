#include "app/cmycomparisonmodel.h"

cMyComparisonModel::cMyComparisonModel(QObject *parent) : QAbstractTableModel(parent) {}

void cMyComparisonModel::setRows(const QVector<cMySettingsComparison::Row> &rows, const QString &leftHeading,
                                 const QString &left, const QString &right)
{
    beginResetModel();
    m_rows = rows;
    m_leftHeading = leftHeading;
    m_left = left;
    m_right = right;
    endResetModel();
}

QString cMyComparisonModel::sentence(int row) const
{
    const cMySettingsComparison::Row &r = m_rows.at(row);
    // An empty text is said to be empty, not left out.
    const auto said = [](const QString &value) { return value.isEmpty() ? tr("(pusty)") : value; };
    return tr("%1, %2: %3, %4: %5").arg(r.setting, m_right, said(r.right), m_left, said(r.left));
}

int cMyComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int cMyComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant cMyComparisonModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const cMySettingsComparison::Row &r = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case Page:
            return r.page;
        case Setting:
            return r.setting;
        case Left:
            return r.left;
        case Right:
            return r.right;
        default:
            return QVariant();
        }
    case Qt::AccessibleTextRole:
        return sentence(index.row());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignTop);
    default:
        return QVariant();
    }
}

QVariant cMyComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Page:
        return tr("Strona");
    case Setting:
        return tr("Nastawa");
    case Left:
        return m_leftHeading;
    case Right:
        return m_right;
    default:
        return QVariant();
    }
}
