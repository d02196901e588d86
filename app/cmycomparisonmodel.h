#ifndef APP_CMYCOMPARISONMODEL_H
#define APP_CMYCOMPARISONMODEL_H

// The rows of a comparison of the form with another side (Tamira, a file, a backup) as a table:
// Page, Setting, the form's value, the other side's. A screen reader hears each row as one
// sentence, whichever of its cells has the focus: "Message rule 3, Tamira: never, form: ...".

#include "model/cmysettingscomparison.h"

#include <QAbstractTableModel>

class cMyComparisonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Page, Setting, Left, Right, ColumnCount };

    explicit cMyComparisonModel(QObject *parent = nullptr);

    // `left`/`right`: how the two sides are named in the headings and in the spoken rows.
    void setRows(const QVector<cMySettingsComparison::Row> &rows, const QString &leftHeading, const QString &left,
                 const QString &right);
    const cMySettingsComparison::Row &row(int index) const { return m_rows.at(index); }
    QString sentence(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<cMySettingsComparison::Row> m_rows;
    QString m_leftHeading, m_left, m_right;
};

#endif
