#ifndef EDITORS_RULEGRID_H
#define EDITORS_RULEGRID_H

// Fills the grids of the 8 timer rules and the 24 message rules: column headings, then for each
// rule a row of editors at fixed columns, so the form can find them by position, and below it a
// line that reads the rule in plain words. Every editor has a name for screen readers and a
// tool tip that says what its column means.

class QGridLayout;

namespace RuleGrid {

constexpr int kTimerRules = 8;
constexpr int kMessageRules = 24;

// The grid row of a rule's editors: the headings take row 0 and each rule's reading the row
// under its editors.
constexpr int editorRow(int rule)
{
    return 1 + 2 * rule;
}

// Columns: 0 number, 1 condition, 2 measured value, 3 comparison, 4 threshold, 5 action, 6 time.
void buildTimerRules(QGridLayout *grid);
// Columns: 0 number, 1 condition, 2 measured value, 3 comparison, 4 threshold, 5 "say",
// 6 message, 7 format, 8 repetition.
void buildMessageRules(QGridLayout *grid);

// Sets the headings, names, tool tips and readings again, in the language now installed.
void retranslateTimerRules(QGridLayout *grid);
void retranslateMessageRules(QGridLayout *grid);

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
// `rule` counts from 0.
RuleEditors timerRule(QGridLayout *grid, int rule);
RuleEditors messageRule(QGridLayout *grid, int rule);
} // namespace RuleGrid

#endif
