#ifndef EDITORS_CMYCOMBOBOXW6_H
#define EDITORS_CMYCOMBOBOXW6_H

// The measured value of a rule, chosen from a six-column list; it also hands the value's
// factor, unit and range to the rule's threshold editor.

#include "editors/cmyfileposition.h"

#include <QComboBox>

class cMyComboBoxW6 : public QComboBox, public cMyFilePosition
{
    Q_OBJECT

public:
    explicit cMyComboBoxW6(QWidget *parent = nullptr);

    // As cMyComboBoxW2::selectValue; an unknown value also gives the threshold factor 1, no
    // unit and no range.
    bool selectValue(int value);

signals:
    void valueChanged(quint32 newAddress, QVector<quint8> values);
    void faktorChanged(double newFaktor);
    void unitChanged(QString newUnit);
    void rangeChanged(double newMin, double newMax);

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void indexChanged(int newIndex);

private:
    QString field(int row, int column) const;
};

#endif
