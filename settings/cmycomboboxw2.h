#ifndef CMYCOMBOBOXW2_H
#define CMYCOMBOBOXW2_H

// A coded byte (or word) of the settings image chosen from a two-column value list.

#include "cmyfileposition.h"

#include <QComboBox>

class cMyComboBoxW2 : public QComboBox, public cMyFilePosition
{
    Q_OBJECT

public:
    explicit cMyComboBoxW2(QWidget *parent = nullptr);

    // Makes current every row whose stored value is `value` (the last match wins); returns
    // false, changing nothing, when no row carries it.
    bool selectValue(int value);

signals:
    void valueChanged(quint32 newAddress, QVector<quint8> values);

private slots:
    void indexChanged(int newIndex);
};

// The stored value of a row of a combo box's value list, 0 when the row or its text is invalid.
uint comboRowValue(const QComboBox *box, int row);
// Shared by both bound combo boxes.
bool selectComboValue(QComboBox *box, int value);

#endif
