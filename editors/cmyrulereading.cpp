#include "editors/cmyrulereading.h"

#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "model/rulereading.h"

#include <QEvent>
#include <QLabel>

namespace {

// What the box shows: its current entry, or the stored code its list lacks.
QString shown(const QComboBox *box)
{
    return box ? (box->currentIndex() >= 0 ? box->currentText() : box->placeholderText()) : QString();
}

int code(const QComboBox *box)
{
    return box && box->currentIndex() >= 0 ? int(comboRowValue(box, box->currentIndex())) : -1;
}

} // namespace

cMyRuleReading::cMyRuleReading(QLabel *label, const RuleEditors &rule, Kind kind)
    : QObject(label), m_label(label), m_rule(rule), m_kind(kind)
{
    QList<QComboBox *> boxes{rule.condition, rule.measured, rule.comparison, rule.action};
    if (kind == SettingsMap::RuleKind::Message)
        boxes << rule.format << rule.repetition;
    for (QComboBox *box : qAsConst(boxes)) {
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, &cMyRuleReading::update);
        box->installEventFilter(this);
    }
    QList<cMyDoubleSpinBoxInt *> spins{rule.threshold};
    if (kind == SettingsMap::RuleKind::Timer)
        spins << rule.time;
    for (cMyDoubleSpinBoxInt *spin : qAsConst(spins)) {
        connect(spin, &QDoubleSpinBox::textChanged, this, &cMyRuleReading::update);
        spin->installEventFilter(this);
    }
    update();
}

QString cMyRuleReading::read(const RuleEditors &rule, Kind kind)
{
    RuleReading::Words words;
    words.condition = code(rule.condition);
    words.measured = code(rule.measured);
    words.action = code(rule.action);
    words.conditionText = shown(rule.condition);
    words.measuredText = shown(rule.measured);
    words.comparisonText = shown(rule.comparison);
    words.threshold = rule.threshold->text();
    words.actionText = shown(rule.action);
    if (rule.time)
        words.time = rule.time->text();
    words.format = shown(rule.format);
    words.repetition = shown(rule.repetition);
    return RuleReading::read(kind, words);
}

void cMyRuleReading::update()
{
    const QString text = read(m_rule, m_kind);
    if (m_label->text() == text)
        return;
    m_label->setText(text);
    // Tabbing through the rule, a screen reader says what the whole rule does.
    for (QWidget *editor :
         std::initializer_list<QWidget *>{m_rule.condition, m_rule.measured, m_rule.comparison, m_rule.threshold,
                                          m_rule.action, m_rule.time, m_rule.format, m_rule.repetition})
        if (editor)
            editor->setAccessibleDescription(text);
}

bool cMyRuleReading::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        update();
    return QObject::eventFilter(watched, event);
}
