#ifndef MODEL_RULEREADING_H
#define MODEL_RULEREADING_H

// A rule in plain words, made of the texts its fields show (the value lists' own texts), for
// example: during descent, when Depth >= 25.00 [m]: say "Mouthfill", only once. The rule grids
// read their editors this way, and a reading of a settings image reads its bytes the same way.

#include "model/settingsmap.h"

#include <QString>

namespace RuleReading {

// What a rule's fields show. A code is -1 where its list lacks the stored one.
struct Words
{
    int condition = -1;
    int measured = -1;
    int action = -1; // a timer's action, or the message said
    QString conditionText, measuredText, comparisonText, threshold, actionText;
    QString time;               // a timer rule's
    QString format, repetition; // a message rule's
};

QString read(SettingsMap::RuleKind::Kind kind, const Words &words);

} // namespace RuleReading

#endif
