#ifndef EDITORS_RULEGRID_H
#define EDITORS_RULEGRID_H

// Fills the grid of a kind of rule (8 timer rules, 24 message rules) from its table in the
// settings map: column headings, then for each rule a row of editors at the table's columns,
// named as the table says, so the form can find them by position or by name, and below it a
// line that reads the rule in plain words. Every editor has a name for screen readers and a
// tool tip that says what its column means.

#include "model/settingsmap.h"

class QGridLayout;
class QWidget;
class cMyComboBoxW2;
class cMyComboBoxW6;
class cMyDoubleSpinBoxInt;

// The editors of one rule, found by their grid position. Timer rules have an action and a
// time; message rules a message (as their action), a format and a repetition.
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

// The grid row of a rule's editors: the headings take row 0 and each rule's reading the row
// under its editors.
constexpr int editorRow(int rule)
{
    return 1 + 2 * rule;
}

// Column 0 holds the rule's number; a column between the table's that no field takes holds the
// word "podaj" (a message rule: "say" message).
void build(QGridLayout *grid, const SettingsMap::RuleKind &kind);
// Sets the headings, names, tool tips and readings again, in the language now installed.
void retranslate(QGridLayout *grid, const SettingsMap::RuleKind &kind);

// `rule` counts from 0.
QWidget *editor(QGridLayout *grid, int rule, const SettingsMap::Field &field);
RuleEditors rule(QGridLayout *grid, const SettingsMap::RuleKind &kind, int rule);

} // namespace RuleGrid

#endif
