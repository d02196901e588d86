#include "editors/rulegrid.h"

#include "editors/cmyaccessiblename.h"
#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/cmyrulereading.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

using SettingsMap::Field;
using SettingsMap::RuleKind;
using SettingsMap::Shown;

namespace {

QString translate(const char *text)
{
    return QCoreApplication::translate("RuleGrid", text);
}

template <typename T> T *add(QGridLayout *grid, int row, int column, const QString &name)
{
    auto *w = new T(grid->parentWidget());
    w->setObjectName(name);
    grid->addWidget(w, row, column);
    return w;
}

template <typename T> T *at(QGridLayout *grid, int row, int column)
{
    QLayoutItem *item = grid->itemAtPosition(row, column);
    return item ? qobject_cast<T *>(item->widget()) : nullptr;
}

int lastColumn(const RuleKind &kind)
{
    return kind.fields.last().column;
}

// A column between the table's that no field takes: the word "say" before a message.
bool isGap(const RuleKind &kind, int column)
{
    for (const Field &f : kind.fields)
        if (f.column == column)
            return false;
    return column > 0 && column < lastColumn(kind);
}

void number(QGridLayout *grid, int rule)
{
    auto *label = new QLabel(QString::number(rule + 1), grid->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, RuleGrid::editorRow(rule), 0);
}

void editor(QGridLayout *grid, int rule, const RuleKind &kind, const Field &field)
{
    const int row = RuleGrid::editorRow(rule);
    const QString name = kind.editorName(rule, field);
    if (field.shown == Shown::Threshold || field.shown == Shown::Seconds) {
        auto *s = add<cMyDoubleSpinBoxInt>(grid, row, field.column, name);
        s->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        s->setDecimals(0);
        s->setMinimumWidth(110); // room for "-327.68 [m/s]"
        return;
    }
    QComboBox *box = field.shown == Shown::Measured
                         ? static_cast<QComboBox *>(add<cMyComboBoxW6>(grid, row, field.column, name))
                         : add<cMyComboBoxW2>(grid, row, field.column, name);
    // Combo boxes of long lists share the width so rows line up and the grid stays compact.
    if (field.characters > 0) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(field.characters);
    }
}

// The line under a rule's editors that reads the rule, across the editors' columns.
void reading(QGridLayout *grid, int rule, const RuleKind &kind)
{
    auto *label = new QLabel(grid->parentWidget());
    label->setObjectName(QStringLiteral("%1Reading%2").arg(grid->objectName()).arg(rule + 1));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setContentsMargins(4, 0, 0, 4);
    QFont italic = label->font();
    italic.setItalic(true);
    label->setFont(italic);
    grid->addWidget(label, RuleGrid::editorRow(rule) + 1, 1, 1, lastColumn(kind));
    new cMyRuleReading(label, RuleGrid::rule(grid, kind, rule), kind.kind);
}

} // namespace

void RuleGrid::build(QGridLayout *grid, const RuleKind &kind)
{
    for (const Field &f : kind.fields) {
        auto *label =
            add<QLabel>(grid, 0, f.column, QStringLiteral("%1Heading%2").arg(grid->objectName()).arg(f.column));
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    for (int r = 0; r < kind.count; ++r) {
        number(grid, r);
        for (int c = 1; c <= lastColumn(kind); ++c)
            if (isGap(kind, c))
                grid->addWidget(new QLabel(grid->parentWidget()), editorRow(r), c);
        for (const Field &f : kind.fields)
            ::editor(grid, r, kind, f);
        reading(grid, r, kind);
    }
    for (const Field &f : kind.fields)
        if (f.characters > 0)
            grid->setColumnStretch(f.column, 1);
    retranslate(grid, kind);
}

void RuleGrid::retranslate(QGridLayout *grid, const RuleKind &kind)
{
    const QString say = QCoreApplication::translate("MainWindow", "podaj");
    for (int r = 0; r < kind.count; ++r)
        for (int c = 1; c <= lastColumn(kind); ++c)
            if (auto *label = isGap(kind, c) ? at<QLabel>(grid, editorRow(r), c) : nullptr)
                label->setText(say);
    for (const Field &f : kind.fields) {
        const QString heading = translate(f.caption);
        const QString toolTip = translate(f.toolTip);
        if (auto *label = at<QLabel>(grid, 0, f.column)) {
            label->setText(heading);
            label->setToolTip(toolTip);
        }
        for (int r = 0; r < kind.count; ++r) {
            QWidget *e = editor(grid, r, f);
            AccessibleName::set(e, translate(kind.name).arg(r + 1).arg(heading.toLower()));
            e->setToolTip(toolTip);
        }
    }
    for (int r = 0; r < kind.count; ++r)
        if (auto *label = at<QLabel>(grid, editorRow(r) + 1, 1))
            if (auto *reading = label->findChild<cMyRuleReading *>())
                reading->update();
}

QWidget *RuleGrid::editor(QGridLayout *grid, int rule, const Field &field)
{
    return at<QWidget>(grid, editorRow(rule), field.column);
}

RuleEditors RuleGrid::rule(QGridLayout *grid, const RuleKind &kind, int rule)
{
    using SettingsMap::Role;
    RuleEditors e;
    for (const Field &f : kind.fields) {
        QWidget *w = editor(grid, rule, f);
        switch (f.role) {
        case Role::Condition:
            e.condition = qobject_cast<cMyComboBoxW2 *>(w);
            break;
        case Role::Measured:
            e.measured = qobject_cast<cMyComboBoxW6 *>(w);
            break;
        case Role::Comparison:
            e.comparison = qobject_cast<cMyComboBoxW2 *>(w);
            break;
        case Role::Threshold:
            e.threshold = qobject_cast<cMyDoubleSpinBoxInt *>(w);
            break;
        case Role::Action:
            e.action = qobject_cast<cMyComboBoxW2 *>(w);
            break;
        case Role::Time:
            e.time = qobject_cast<cMyDoubleSpinBoxInt *>(w);
            break;
        case Role::Format:
            e.format = qobject_cast<cMyComboBoxW2 *>(w);
            break;
        case Role::Repetition:
            e.repetition = qobject_cast<cMyComboBoxW2 *>(w);
            break;
        case Role::None:
            break;
        }
    }
    return e;
}
