#include "model/rulereading.h"

#include <QCoreApplication>

namespace {

// Codes of the value lists that change how a rule reads.
constexpr int kNever = 254;       // condition: the rule is unused
constexpr int kRegardless = 255;  // measured value: nothing is compared
constexpr int kDoNothing = 127;   // timer action or message
constexpr int kFirstPhrase = 64;  // messages below this speak a measured value
constexpr int kTimer1Start = 129; // timer actions that start a timer with a time
constexpr int kTimer3Start = 131;

QString when(const RuleReading::Words &w)
{
    if (w.measured == kRegardless)
        return w.conditionText;
    return QCoreApplication::translate("RuleReading", "%1, gdy %2 %3 %4")
        .arg(w.conditionText, w.measuredText, w.comparisonText, w.threshold.trimmed());
}

QString timerAction(const RuleReading::Words &w, const QString &first)
{
    if (w.action >= kTimer1Start && w.action <= kTimer3Start)
        return QCoreApplication::translate("RuleReading", "%1: %2, mija po %3")
            .arg(first, w.actionText, w.time.trimmed());
    return QStringLiteral("%1: %2").arg(first, w.actionText);
}

QString message(const RuleReading::Words &w, const QString &first)
{
    if (w.action == kDoNothing)
        return QStringLiteral("%1: %2").arg(first, w.actionText);
    if (w.action >= 0 && w.action < kFirstPhrase)
        return QCoreApplication::translate("RuleReading", "%1: powiedz „%2” %3, %4")
            .arg(first, w.actionText, w.format, w.repetition);
    return QCoreApplication::translate("RuleReading", "%1: powiedz „%2”, %3").arg(first, w.actionText, w.repetition);
}

} // namespace

QString RuleReading::read(SettingsMap::RuleKind::Kind kind, const Words &words)
{
    if (words.condition == kNever)
        return QCoreApplication::translate("RuleReading", "%1: reguła nieużywana").arg(words.conditionText);
    const QString first = when(words);
    return kind == SettingsMap::RuleKind::Timer ? timerAction(words, first) : message(words, first);
}
