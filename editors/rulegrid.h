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


class cMyComboBoxW2;
class cMyComboBoxW6;
class cMyDoubleSpinBoxInt;

// The editors of one rule, found by their grid position. Timer rules have an action and a
// time; message rules a message, a format and a repetition.
struct RuleEditors
{
    cMyComboBoxW2 *condition = nullptr;
    cMyComboBoxW6 *measured = nullptr;
    cMyComboBoxW2 *comparison = nullptr;
    cMyDoubleSpinBoxInt *threshold = nullptr;
    cMyComboBoxW2 *action = nullptr;
    cMyDoubleSpinBoxInt *time = nullptr;
    cMyComboBoxW2 *format = nullptr;
    cMyComboBoxW2 *repetition = nullptr;
};

namespace RuleGrid {
RuleEditors timerRule(QGridLayout *grid, int row);
RuleEditors messageRule(QGridLayout *grid, int row);
} // namespace RuleGrid

#endif
