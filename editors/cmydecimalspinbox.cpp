#include "editors/cmydecimalspinbox.h"

#include <cmath>

cMyDecimalSpinBox::cMyDecimalSpinBox(QWidget *parent) : QDoubleSpinBox(parent) {}

int cMyDecimalSpinBox::numberEnd(const QString &input) const
{
    return input.endsWith(suffix()) ? input.size() - suffix().size() : input.size();
}

void cMyDecimalSpinBox::useDecimalPoint(QString &input) const
{
    const int end = numberEnd(input);
    const QChar point = locale().decimalPoint();
    for (int i = numberStart(); i < end; ++i) {
        if (input.at(i) == QLatin1Char('.') || input.at(i) == QLatin1Char(','))
            input[i] = point;
    }
}

QValidator::State cMyDecimalSpinBox::validate(QString &input, int &pos) const
{
    useDecimalPoint(input);
    const QValidator::State state = QDoubleSpinBox::validate(input, pos);
    if (state != QValidator::Invalid || decimals() > 0)
        return state;
    // A whole number typed with a fraction: kept as typed, to be rounded by fixup().
    const QString number = input.mid(numberStart(), numberEnd(input) - numberStart()).trimmed();
    bool ok = false;
    locale().toDouble(number, &ok);
    return ok && number.contains(locale().decimalPoint()) ? QValidator::Intermediate : QValidator::Invalid;
}

void cMyDecimalSpinBox::fixup(QString &input) const
{
    useDecimalPoint(input);
    const int start = numberStart(), end = numberEnd(input);
    bool ok = false;
    const double typed = locale().toDouble(input.mid(start, end - start).trimmed(), &ok);
    if (ok && decimals() == 0 && input.mid(start, end - start).contains(locale().decimalPoint())) {
        const double whole = typed < 0 ? std::ceil(typed - 0.5) : std::floor(typed + 0.5);
        input.replace(start, end - start, locale().toString(whole, 'f', 0));
        return;
    }
    QDoubleSpinBox::fixup(input);
}

double cMyDecimalSpinBox::valueFromText(const QString &text) const
{
    QString copy = text;
    useDecimalPoint(copy);
    return QDoubleSpinBox::valueFromText(copy);
}
