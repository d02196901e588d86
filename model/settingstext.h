#ifndef MODEL_SETTINGSTEXT_H
#define MODEL_SETTINGSTEXT_H

// How the settings form writes a value, without its widgets: numbers with a decimal point and as
// many decimals as their factor gives, a stored code its list lacks. The editors show values
// this way, and so does anything else that shows settings in the form's words.

#include <QLocale>
#include <QString>

namespace SettingsText {

// The one way the program writes numbers, in every field, label and plot: a decimal point, no
// group separators, whatever the system's locale.
QLocale numberLocale();
// The decimals a number stored as shown × `factor` is shown with: 1 gives 0, 10 gives 1, 100
// and 327.68 (a percentage of 32768) give 2; any other factor leaves `otherwise`.
int decimals(double factor, int otherwise);
// `value` with `decimals` decimals, then `suffix` as it stands (" [m]").
QString number(double value, int decimals, const QString &suffix = QString());
// A stored code that the field's value list lacks: "99 (unknown)".
QString unknownCode(int code);

} // namespace SettingsText

#endif
