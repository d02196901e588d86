#include "editors/cmyrulereading.h"

#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"

#include <QEvent>
#include <QLabel>

namespace {

// Codes of the value lists that change how a rule reads.
constexpr int kNever = 254;       // condition: the rule is unused
constexpr int kRegardless = 255;  // measured value: nothing is compared
constexpr int kDoNothing = 127;   // timer action or message
constexpr int kFirstPhrase = 64;  // messages below this speak a measured value
constexpr int kTimer1Start = 129; // timer actions that start a timer with a time
constexpr int kTimer3Start = 131;

// What the box shows: its current entry, or the stored code its list lacks.
QString shown(const QComboBox *box)
{
    return box->currentIndex() >= 0 ? box->currentText() : box->placeholderText();
}

int code(const QComboBox *box)
{
    return box->currentIndex() >= 0 ? int(comboRowValue(box, box->currentIndex())) : -1;
}

QString when(const RuleEditors &rule)
{
    QString condition = shown(rule.condition);
    if (code(rule.measured) == kRegardless)
        return condition;
    return cMyRuleReading::tr("%1, gdy %2 %3 %4")
        .arg(condition, shown(rule.measured), shown(rule.comparison), rule.threshold->text());
}

QString timerAction(const RuleEditors &rule, const QString &first)
{
    const int action = code(rule.action);
    if (action >= kTimer1Start && action <= kTimer3Start)
        return cMyRuleReading::tr("%1: %2, mija po %3").arg(first, shown(rule.action), rule.time->text());
    return QStringLiteral("%1: %2").arg(first, shown(rule.action));
}

QString message(const RuleEditors &rule, const QString &first)
{
    const int said = code(rule.action);
    if (said == kDoNothing)
        return QStringLiteral("%1: %2").arg(first, shown(rule.action));
    if (said >= 0 && said < kFirstPhrase)
        return cMyRuleReading::tr("%1: powiedz „%2” %3, %4")
            .arg(first, shown(rule.action), shown(rule.format), shown(rule.repetition));
    return cMyRuleReading::tr("%1: powiedz „%2”, %3").arg(first, shown(rule.action), shown(rule.repetition));
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
    if (code(rule.condition) == kNever)
        return cMyRuleReading::tr("%1: reguła nieużywana").arg(shown(rule.condition));
    const QString first = when(rule);
    return kind == SettingsMap::RuleKind::Timer ? timerAction(rule, first) : message(rule, first);
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
