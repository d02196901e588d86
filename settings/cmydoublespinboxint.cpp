#include "cmydoublespinboxint.h"

cMyDoubleSpinBoxInt::cMyDoubleSpinBoxInt(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    connect(this, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &cMyDoubleSpinBoxInt::updateValue);
}

void cMyDoubleSpinBoxInt::mySetFaktor(double newFaktor)
{
    m_faktor = newFaktor;
    if (newFaktor == 1)
        setDecimals(0);
    else if (newFaktor == 10)
        setDecimals(1);
    else if (newFaktor == 100 || newFaktor == 327.68)
        setDecimals(2);
    emit valueChanged(address(), toBytes(value() * m_faktor));
}

void cMyDoubleSpinBoxInt::mySetUnit(QString newUnit)
{
    setSuffix(QLatin1Char(' ') + newUnit);
    setValue(0);
}

void cMyDoubleSpinBoxInt::mySetRange(double newMin, double newMax)
{
    setRange(newMin, newMax);
    setEnabled(!(newMin == 0 && newMax == 0));
}

void cMyDoubleSpinBoxInt::updateValue(double newValue)
{
    emit valueChanged(address(), toBytes(newValue * m_faktor));
}
