#include "editors/cmycomboboxw6.h"

#include "editors/cmycomboboxw2.h"
#include "editors/cmyvaluemark.h"

#include <QAbstractItemModel>
#include <QStyleOptionComboBox>

cMyComboBoxW6::cMyComboBoxW6(QWidget *parent) : QComboBox(parent)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &cMyComboBoxW6::indexChanged);
}

bool cMyComboBoxW6::selectValue(int value)
{
    if (selectComboValue(this, value))
        return true;
    cMyValueMark::showUnknown(this, value);
    // The threshold of an unknown measured value has no known unit or scale: it shows the
    // raw number and cannot be edited.
    emit faktorChanged(1);
    emit unitChanged(QString());
    emit rangeChanged(0, 0);
    return false;
}

QString cMyComboBoxW6::field(int row, int column) const
{
    const QAbstractItemModel *m = model();
    if (!m || row < 0 || row >= m->rowCount())
        return QString();
    return m->data(m->index(row, column)).toString();
}

void cMyComboBoxW6::paintEvent(QPaintEvent *event)
{
    if (!showsPlaceholder(this))
        return QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    paintPlaceholder(this, option);
}

void cMyComboBoxW6::indexChanged(int newIndex)
{
    cMyValueMark::clear(this);
    emit valueChanged(address(), toBytes(comboRowValue(this, newIndex) & 0xFFFF));
    emit faktorChanged(field(newIndex, 2).toDouble());
    emit unitChanged(field(newIndex, 3));
    emit rangeChanged(field(newIndex, 4).toDouble(), field(newIndex, 5).toDouble());
}
