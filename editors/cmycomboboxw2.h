#ifndef EDITORS_CMYCOMBOBOXW2_H
#define EDITORS_CMYCOMBOBOXW2_H

// A coded byte (or word) of the settings image chosen from a two-column value list.

#include "editors/cmyfileposition.h"

#include <QComboBox>

class QStyleOptionComboBox;

class cMyComboBoxW2 : public QComboBox, public cMyFilePosition
{
    Q_OBJECT

public:
    explicit cMyComboBoxW2(QWidget *parent = nullptr);

    // Makes current every row whose stored value is `value` (the last match wins). When no
    // row carries it, no row is current and the box shows the value, marked as unknown,
    // storing nothing; returns false then.
    bool selectValue(int value);

signals:
    void valueChanged(quint32 newAddress, QVector<quint8> values);

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void indexChanged(int newIndex);
};

// The stored value of a row of a combo box's value list, 0 when the row or its text is invalid.
uint comboRowValue(const QComboBox *box, int row);
// Shared by both bound combo boxes.
bool selectComboValue(QComboBox *box, int value);
// Qt 5.15 draws no placeholder text in a combo box without a current row; the bound boxes
// draw it themselves, to show a stored code their list lacks.
bool showsPlaceholder(const QComboBox *box);
void paintPlaceholder(QComboBox *box, QStyleOptionComboBox &option);

#endif
