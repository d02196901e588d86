#ifndef EDITORS_CMYDECIMALSPINBOX_H
#define EDITORS_CMYDECIMALSPINBOX_H

// A number field that takes "." and "," alike as the decimal separator, whatever its locale:
// "5.5" and "5,5" are five and a half, never 55 (Qt's own spin box reads the locale's group
// separator as nothing at all). A field of whole numbers takes "5.5" too, and rounds it when it
// is left (to 6, half away from zero), rather than dropping the point and making it 55.

#include <QDoubleSpinBox>

class cMyDecimalSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit cMyDecimalSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    double valueFromText(const QString &text) const override;
    void fixup(QString &input) const override;

private:
    // Where the number is in the text, between the prefix and the unit.
    int numberStart() const { return prefix().size(); }
    int numberEnd(const QString &input) const;
    void useDecimalPoint(QString &input) const;
};

#endif
