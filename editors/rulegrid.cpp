#include "editors/rulegrid.h"

#include "editors/cmyaccessiblename.h"
#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/cmyrulereading.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

namespace {

// A column's heading, and the tool tip of its heading and of every editor in it.
struct Column
{
    int column;
    const char *heading;
    const char *toolTip;
};

// The columns both kinds of rule have, at the same places.
const Column kCondition = {1, QT_TRANSLATE_NOOP("RuleGrid", "Warunek"),
                           QT_TRANSLATE_NOOP("RuleGrid", "Kiedy reguła działa")};
const Column kMeasured = {
    2, QT_TRANSLATE_NOOP("RuleGrid", "Wartość mierzona"),
    QT_TRANSLATE_NOOP("RuleGrid", "Wartość porównywana z progiem (Regardless of any value: bez porównania)")};
const Column kComparison = {3, QT_TRANSLATE_NOOP("RuleGrid", "Porównanie"),
                            QT_TRANSLATE_NOOP("RuleGrid", "Jak wartość mierzona jest porównywana z progiem")};
const Column kThreshold = {4, QT_TRANSLATE_NOOP("RuleGrid", "Próg"),
                           QT_TRANSLATE_NOOP("RuleGrid", "Próg w jednostce wartości mierzonej")};

const Column kTimerColumns[] = {
    kCondition,
    kMeasured,
    kComparison,
    kThreshold,
    {5, QT_TRANSLATE_NOOP("RuleGrid", "Akcja"), QT_TRANSLATE_NOOP("RuleGrid", "Co zrobić ze stoperem lub timerem")},
    {6, QT_TRANSLATE_NOOP("RuleGrid", "Czas"),
     QT_TRANSLATE_NOOP("RuleGrid", "Czas timera: tyle sekund po starcie timer mija")},
};

const Column kMessageColumns[] = {
    kCondition,
    kMeasured,
    kComparison,
    kThreshold,
    {6, QT_TRANSLATE_NOOP("RuleGrid", "Komunikat"),
     QT_TRANSLATE_NOOP("RuleGrid", "Co powiedzieć: wartość mierzoną, zwrot albo własny komunikat")},
    {7, QT_TRANSLATE_NOOP("RuleGrid", "Format"), QT_TRANSLATE_NOOP("RuleGrid", "Jak powiedzieć wartość mierzoną")},
    {8, QT_TRANSLATE_NOOP("RuleGrid", "Powtarzanie"), QT_TRANSLATE_NOOP("RuleGrid", "Jak często powtarzać komunikat")},
};

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

QLabel *number(QGridLayout *grid, int rule)
{
    auto *label = new QLabel(QString::number(rule + 1), grid->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, RuleGrid::editorRow(rule), 0);
    return label;
}

cMyDoubleSpinBoxInt *spin(QGridLayout *grid, int rule, int column, const QString &name)
{
    auto *s = add<cMyDoubleSpinBoxInt>(grid, RuleGrid::editorRow(rule), column, name);
    s->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    s->setDecimals(0);
    s->setMinimumWidth(110); // room for "-327.68 [m/s]"
    return s;
}

// Combo boxes of long lists share the width so rows line up and the grid stays compact.
template <typename T> T *combo(QGridLayout *grid, int rule, int column, const QString &name, int characters)
{
    auto *c = add<T>(grid, RuleGrid::editorRow(rule), column, name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(characters);
    return c;
}

template <size_t N> void headings(QGridLayout *grid, const Column (&columns)[N])
{
    for (const Column &c : columns) {
        auto *label =
            add<QLabel>(grid, 0, c.column, QStringLiteral("%1Heading%2").arg(grid->objectName()).arg(c.column));
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
}

// The line under a rule's editors that reads the rule, across the editors' columns.
void reading(QGridLayout *grid, int rule, int lastColumn, const RuleEditors &editors, cMyRuleReading::Kind kind)
{
    auto *label = new QLabel(grid->parentWidget());
    label->setObjectName(QStringLiteral("%1Reading%2").arg(grid->objectName()).arg(rule + 1));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setContentsMargins(4, 0, 0, 4);
    QFont italic = label->font();
    italic.setItalic(true);
    label->setFont(italic);
    grid->addWidget(label, RuleGrid::editorRow(rule) + 1, 1, 1, lastColumn);
    new cMyRuleReading(label, editors, kind);
}

template <size_t N> void retranslate(QGridLayout *grid, const Column (&columns)[N], int rules, const char *ruleName)
{
    for (const Column &c : columns) {
        const QString heading = translate(c.heading);
        const QString toolTip = translate(c.toolTip);
        if (auto *label = at<QLabel>(grid, 0, c.column)) {
            label->setText(heading);
            label->setToolTip(toolTip);
        }
        for (int r = 0; r < rules; ++r) {
            QWidget *editor = at<QWidget>(grid, RuleGrid::editorRow(r), c.column);
            AccessibleName::set(editor, translate(ruleName).arg(r + 1).arg(heading.toLower()));
            editor->setToolTip(toolTip);
        }
    }
    for (int r = 0; r < rules; ++r)
        if (auto *label = at<QLabel>(grid, RuleGrid::editorRow(r) + 1, 1))
            if (auto *reading = label->findChild<cMyRuleReading *>())
                reading->update();
}

} // namespace

void RuleGrid::buildTimerRules(QGridLayout *grid)
{
    headings(grid, kTimerColumns);
    for (int r = 0; r < kTimerRules; ++r) {
        const QString n = QString::number(r + 1);
        number(grid, r);
        combo<cMyComboBoxW2>(grid, r, 1, QStringLiteral("tim%1Cb1").arg(n), 18);
        combo<cMyComboBoxW6>(grid, r, 2, QStringLiteral("tim%1Cb2").arg(n), 20);
        add<cMyComboBoxW2>(grid, editorRow(r), 3, QStringLiteral("tim%1Cb3").arg(n));
        spin(grid, r, 4, QStringLiteral("tim%1Sb1").arg(n));
        combo<cMyComboBoxW2>(grid, r, 5, QStringLiteral("tim%1Cb4").arg(n), 16);
        spin(grid, r, 6, QStringLiteral("tim%1Sb2").arg(n));
        reading(grid, r, 6, timerRule(grid, r), cMyRuleReading::TimerRule);
    }
    for (int c : {1, 2, 5})
        grid->setColumnStretch(c, 1);
    retranslateTimerRules(grid);
}

void RuleGrid::buildMessageRules(QGridLayout *grid)
{
    headings(grid, kMessageColumns);
    for (int r = 0; r < kMessageRules; ++r) {
        const QString n = QStringLiteral("%1").arg(r + 1, 2, 10, QLatin1Char('0'));
        number(grid, r);
        combo<cMyComboBoxW2>(grid, r, 1, QStringLiteral("par%1Cb1").arg(n), 10);
        combo<cMyComboBoxW6>(grid, r, 2, QStringLiteral("par%1Cb2").arg(n), 15);
        add<cMyComboBoxW2>(grid, editorRow(r), 3, QStringLiteral("par%1Cb3").arg(n));
        spin(grid, r, 4, QStringLiteral("par%1Sb1").arg(n));
        grid->addWidget(new QLabel(grid->parentWidget()), editorRow(r), 5);
        combo<cMyComboBoxW2>(grid, r, 6, QStringLiteral("par%1Cb4").arg(n), 12);
        combo<cMyComboBoxW2>(grid, r, 7, QStringLiteral("par%1Cb5").arg(n), 9);
        combo<cMyComboBoxW2>(grid, r, 8, QStringLiteral("par%1Cb6").arg(n), 9);
        reading(grid, r, 8, messageRule(grid, r), cMyRuleReading::MessageRule);
    }
    for (int c : {1, 2, 6, 7, 8})
        grid->setColumnStretch(c, 1);
    retranslateMessageRules(grid);
}

void RuleGrid::retranslateTimerRules(QGridLayout *grid)
{
    retranslate(grid, kTimerColumns, kTimerRules, QT_TRANSLATE_NOOP("RuleGrid", "Reguła timera %1, %2"));
}

void RuleGrid::retranslateMessageRules(QGridLayout *grid)
{
    const QString say = QCoreApplication::translate("MainWindow", "podaj");
    for (int r = 0; r < kMessageRules; ++r)
        if (auto *label = at<QLabel>(grid, editorRow(r), 5))
            label->setText(say);
    retranslate(grid, kMessageColumns, kMessageRules, QT_TRANSLATE_NOOP("RuleGrid", "Reguła komunikatu %1, %2"));
}

// The columns both kinds of rule share: condition, measured value, comparison, threshold.
static RuleEditors commonColumns(QGridLayout *grid, int row)
{
    RuleEditors e;
    e.condition = at<cMyComboBoxW2>(grid, row, 1);
    e.measured = at<cMyComboBoxW6>(grid, row, 2);
    e.comparison = at<cMyComboBoxW2>(grid, row, 3);
    e.threshold = at<cMyDoubleSpinBoxInt>(grid, row, 4);
    return e;
}

RuleEditors RuleGrid::timerRule(QGridLayout *grid, int rule)
{
    const int row = editorRow(rule);
    RuleEditors e = commonColumns(grid, row);
    e.action = at<cMyComboBoxW2>(grid, row, 5);
    e.time = at<cMyDoubleSpinBoxInt>(grid, row, 6);
    return e;
}

RuleEditors RuleGrid::messageRule(QGridLayout *grid, int rule)
{
    const int row = editorRow(rule);
    RuleEditors e = commonColumns(grid, row);
    e.action = at<cMyComboBoxW2>(grid, row, 6);
    e.format = at<cMyComboBoxW2>(grid, row, 7);
    e.repetition = at<cMyComboBoxW2>(grid, row, 8);
    return e;
}
