#ifndef EDITORS_CMYDOUBLESPINBOXINT_H
#define EDITORS_CMYDOUBLESPINBOXINT_H

// A number of the settings image shown in display units and stored as value × factor. Takes "."
// and "," alike as the decimal separator (cmydecimalspinbox.h).

#include "editors/cmydecimalspinbox.h"
#include "editors/cmyfileposition.h"

class cMyDoubleSpinBoxInt : public cMyDecimalSpinBox, public cMyFilePosition
{
    Q_OBJECT

public:
    explicit cMyDoubleSpinBoxInt(QWidget *parent = nullptr);

    double faktor() const { return m_faktor; }
    // Shows the number stored in the image as `raw`, also outside the range the user may enter
    // (marked then), and stores exactly `raw` again when the shown value changed: the shown
    // value may be rounded to the decimals, the stored one never is.
    void setStoredValue(qint32 raw);

signals:
    void valueChanged(quint32 address, QVector<quint8> newValue);

public slots:
    void mySetFaktor(double newFaktor);
    void mySetUnit(QString newUnit);
    void mySetRange(double newMin, double newMax);

private slots:
    void updateValue(double newValue);

private:
    double m_faktor = 1;
    bool m_showingStored = false;
};

#endif
