#ifndef EDITORS_RULEGRID_H
#define EDITORS_RULEGRID_H

// Fills the grids of the 8 timer rules and the 24 message rules: one row per rule, each editor
// at a fixed column, so the form can find them by position.

class QGridLayout;

namespace RuleGrid {

constexpr int kTimerRules = 8;
constexpr int kMessageRules = 24;

// Columns: 0 number, 1 condition, 2 measured value, 3 comparison, 4 threshold, 5 action, 6 time.
void buildTimerRules(QGridLayout *grid);
// Columns: 0 number, 1 condition, 2 measured value, 3 comparison, 4 threshold, 5 "say",
// 6 message, 7 format, 8 repetition.
void buildMessageRules(QGridLayout *grid);

} // namespace RuleGrid

#endif
