#include "model/settingstext.h"

#include <QCoreApplication>

QLocale SettingsText::numberLocale()
{
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

int SettingsText::decimals(double factor, int otherwise)
{
    if (factor == 1)
        return 0;
    if (factor == 10)
        return 1;
    if (factor == 100 || factor == 327.68)
        return 2;
    return otherwise;
}

QString SettingsText::number(double value, int decimals, const QString &suffix)
{
    return numberLocale().toString(value, 'f', decimals) + suffix;
}

QString SettingsText::unknownCode(int code)
{
    return QCoreApplication::translate("SettingsText", "%1 (nieznana)").arg(code);
}
