#include "editors/cmydoublespinboxint.h"

#include "editors/cmyvaluemark.h"
#include "model/settingstext.h"

cMyDoubleSpinBoxInt::cMyDoubleSpinBoxInt(QWidget *parent) : cMyDecimalSpinBox(parent)
{
    connect(this, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &cMyDoubleSpinBoxInt::updateValue);
}

void cMyDoubleSpinBoxInt::mySetFaktor(double newFaktor)
{
    m_faktor = newFaktor;
    const int decimals = SettingsText::decimals(newFaktor, this->decimals());
    // Each of these re-lays out the shown text, even when nothing changes; a refresh of the
    // form calls them for every rule.
    if (decimals != this->decimals())
        setDecimals(decimals);
    emit valueChanged(address(), toBytes(value() * m_faktor));
}

void cMyDoubleSpinBoxInt::mySetUnit(QString newUnit)
{
    const QString suffix = QLatin1Char(' ') + newUnit;
    if (suffix != this->suffix())
        setSuffix(suffix);
    setValue(0);
}

void cMyDoubleSpinBoxInt::mySetRange(double newMin, double newMax)
{
    cMyValueMark::clear(this);
    if (newMin != minimum() || newMax != maximum())
        setRange(newMin, newMax);
    setEnabled(!(newMin == 0 && newMax == 0));
}

void cMyDoubleSpinBoxInt::setStoredValue(qint32 raw)
{
    m_showingStored = true;
    const bool changed = cMyValueMark::showValue(this, raw / (m_faktor == 0 ? 1 : m_faktor));
    m_showingStored = false;
    if (changed)
        emit valueChanged(address(), toBytes(raw));
}

void cMyDoubleSpinBoxInt::updateValue(double newValue)
{
    if (!m_showingStored)
        emit valueChanged(address(), toBytes(newValue * m_faktor));
}
