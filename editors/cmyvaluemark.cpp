#include "editors/cmyvaluemark.h"

#include "model/settingstext.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// The two spin box kinds seen as one.
struct Spin
{
    explicit Spin(QObject *box) : d(qobject_cast<QDoubleSpinBox *>(box)), i(qobject_cast<QSpinBox *>(box)) {}

    double minimum() const { return d ? d->minimum() : i ? i->minimum() : 0; }
    double maximum() const { return d ? d->maximum() : i ? i->maximum() : 0; }
    double value() const { return d ? d->value() : i ? i->value() : 0; }
    // Only when it changes: each call re-lays out the box, and a refresh calls it for every one.
    void setRange(double lo, double hi) const
    {
        if (lo == minimum() && hi == maximum())
            return;
        if (d)
            d->setRange(lo, hi);
        else if (i)
            i->setRange(qRound(lo), qRound(hi));
    }
    void setValue(double v) const
    {
        if (d)
            d->setValue(v);
        else if (i)
            i->setValue(qRound(v));
    }
    QString text(double v) const
    {
        const QAbstractSpinBox *box = d ? static_cast<QAbstractSpinBox *>(d) : i;
        return box->locale().toString(v, 'f', d ? d->decimals() : 0);
    }
    QString unit() const
    {
        const QString suffix = (d ? d->suffix() : i ? i->suffix() : QString()).trimmed();
        return suffix.isEmpty() ? suffix : QLatin1Char(' ') + suffix;
    }

    QDoubleSpinBox *d;
    QSpinBox *i;
};

} // namespace

cMyValueMark::cMyValueMark(QWidget *editor) : QObject(editor), m_editor(editor)
{
    const Spin spin(editor);
    if (spin.d)
        connect(spin.d, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &cMyValueMark::spinValueChanged);
    else if (spin.i)
        connect(spin.i, qOverload<int>(&QSpinBox::valueChanged), this, &cMyValueMark::spinValueChanged);
}

cMyValueMark *cMyValueMark::of(const QWidget *editor)
{
    return editor->findChild<cMyValueMark *>(QString(), Qt::FindDirectChildrenOnly);
}

bool cMyValueMark::isMarked(const QWidget *editor)
{
    const cMyValueMark *mark = of(editor);
    return mark && mark->m_active;
}

cMyValueMark *cMyValueMark::mark(QWidget *editor, const QString &toolTip)
{
    cMyValueMark *mark = of(editor);
    if (!mark)
        mark = new cMyValueMark(editor);
    if (!mark->m_active) {
        mark->m_active = true;
        mark->m_toolTip = editor->toolTip();
        mark->m_ownPalette = editor->testAttribute(Qt::WA_SetPalette);
        mark->m_palette = editor->palette();
        QPalette warning = editor->palette();
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
            warning.setColor(role, QColor(255, 222, 150));
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            warning.setColor(role, QColor(150, 0, 0));
        editor->setPalette(warning);
    }
    editor->setToolTip(toolTip);
    return mark;
}

void cMyValueMark::release()
{
    if (!m_active)
        return;
    m_active = false;
    m_editor->setToolTip(m_toolTip);
    // An empty palette hands the editor back to the palette it inherits.
    m_editor->setPalette(m_ownPalette ? m_palette : QPalette());
}

void cMyValueMark::clear(QWidget *editor)
{
    if (cMyValueMark *mark = of(editor))
        mark->release();
}

bool cMyValueMark::showValue(QAbstractSpinBox *box, double value)
{
    const Spin spin(box);
    cMyValueMark *mark = of(box);
    double lo = spin.minimum(), hi = spin.maximum();
    if (mark && mark->m_active) {
        lo = mark->m_min;
        hi = mark->m_max;
        mark->release();
    }
    const double before = spin.value();
    // Room for the value first, so that nothing is clamped (and stored) on the way.
    spin.setRange(qMin(spin.minimum(), value), qMax(spin.maximum(), value));
    spin.setValue(value);
    const double shown = spin.value();
    const bool outside = shown < lo || shown > hi;
    spin.setRange(outside ? qMin(lo, shown) : lo, outside ? qMax(hi, shown) : hi);
    if (outside) {
        mark = cMyValueMark::mark(box, tr("Zapisana wartość jest poza dozwolonym zakresem %1 – %2%3.")
                                           .arg(spin.text(lo), spin.text(hi), spin.unit()));
        mark->m_min = lo;
        mark->m_max = hi;
    }
    return shown != before;
}

void cMyValueMark::showUnknown(QComboBox *box, int value)
{
    {
        const QSignalBlocker quiet(box);
        box->setPlaceholderText(SettingsText::unknownCode(value));
        box->setCurrentIndex(-1);
    }
    mark(box, tr("Zapisanej wartości %1 nie ma na liście.").arg(value));
}

void cMyValueMark::spinValueChanged()
{
    const Spin spin(m_editor);
    const double value = spin.value();
    if (!m_active || value < m_min || value > m_max)
        return;
    release();
    spin.setRange(m_min, m_max);
}
