#include "cmycomboboxw6.h"

#include "cmycomboboxw2.h"

#include <QAbstractItemModel>

cMyComboBoxW6::cMyComboBoxW6(QWidget *parent)
    : QComboBox(parent)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &cMyComboBoxW6::indexChanged);
}

bool cMyComboBoxW6::selectValue(int value)
{
    return selectComboValue(this, value);
}

QString cMyComboBoxW6::field(int row, int column) const
{
    const QAbstractItemModel *m = model();
    if (!m || row < 0 || row >= m->rowCount())
        return QString();
    return m->data(m->index(row, column)).toString();
}

double cMyComboBoxW6::currentFaktor() const
{
    return field(currentIndex(), 2).toDouble();
}

void cMyComboBoxW6::indexChanged(int newIndex)
{
    emit valueChanged(address(), toBytes(comboRowValue(this, newIndex) & 0xFFFF));
    emit faktorChanged(field(newIndex, 2).toDouble());
    emit unitChanged(field(newIndex, 3));
    emit rangeChanged(field(newIndex, 4).toDouble(), field(newIndex, 5).toDouble());
}
