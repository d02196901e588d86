#ifndef EDITORS_CMYRULEREADING_H
#define EDITORS_CMYRULEREADING_H

// A rule in plain words (model/rulereading.h), made of the texts its editors show, for
// example: during descent, when Depth >= 25.00 [m]: say "Mouthfill", only once.

#include "editors/rulegrid.h"

#include <QObject>

class QLabel;

class cMyRuleReading : public QObject
{
    Q_OBJECT

public:
    using Kind = SettingsMap::RuleKind::Kind;

    // Keeps `label` showing the reading of `rule` while its editors change, and gives it to the
    // editors as their accessible description; owned by the label.
    cMyRuleReading(QLabel *label, const RuleEditors &rule, Kind kind);

    static QString read(const RuleEditors &rule, Kind kind);

public slots:
    void update();

protected:
    // A stored code or value the editor cannot offer is shown with a mark, which changes the
    // tool tip but emits no change of the editor's value.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label;
    RuleEditors m_rule;
    Kind m_kind;
};

#endif
