#ifndef MODEL_CMYTABLEMODEL_H
#define MODEL_CMYTABLEMODEL_H

// One value list: rows of display text, stored value and, for measured values, factor, unit
// and range, read from a semicolon-separated resource. Combo boxes show column 0. The list files
// hold the English texts; a list read from a file shows each through the "ValueList" context of
// the installed catalogues (the Polish one when Polish is chosen); a text without a translation
// stays as written.

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

class cMyTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    cMyTableModel(const QString &fileName, QObject *parent);
    cMyTableModel(const QList<QStringList> &rows, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Field text as the file holds it, or an empty string outside the table.
    QString field(int row, int column) const;
    // The shown texts have changed language: views take them again.
    void retranslate();
    // The last row whose value column (1) holds exactly `value`, or -1.
    int lastRowOfValue(const QString &value) const { return m_rowOfValue.value(value, -1); }

private:
    void indexValues();

    QList<QStringList> m_rows;
    bool m_translated = false;        // a list file's texts go through the catalogues
    QHash<QString, int> m_rowOfValue; // the lists never change, so the lookup is built once
};

#endif
