#include "editors/rulegrid.h"

#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

namespace {

template <typename T> T *add(QGridLayout *grid, int row, int column, const QString &name)
{
    auto *w = new T(grid->parentWidget());
    w->setObjectName(name);
    grid->addWidget(w, row, column);
    return w;
}

QLabel *number(QGridLayout *grid, int row)
{
    auto *label = new QLabel(QString::number(row + 1), grid->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, 0);
    return label;
}

cMyDoubleSpinBoxInt *spin(QGridLayout *grid, int row, int column, const QString &name)
{
    auto *s = add<cMyDoubleSpinBoxInt>(grid, row, column, name);
    s->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    s->setDecimals(0);
    s->setMinimumWidth(110); // room for "-327.68 [m/s]"
    return s;
}

// Combo boxes of long lists share the width so rows line up and the grid stays compact.
template <typename T> T *combo(QGridLayout *grid, int row, int column, const QString &name, int characters)
{
    auto *c = add<T>(grid, row, column, name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(characters);
    return c;
}

} // namespace

void RuleGrid::buildTimerRules(QGridLayout *grid)
{
    for (int r = 0; r < kTimerRules; ++r) {
        const QString n = QString::number(r + 1);
        number(grid, r);
        combo<cMyComboBoxW2>(grid, r, 1, QStringLiteral("tim%1Cb1").arg(n), 18);
        combo<cMyComboBoxW6>(grid, r, 2, QStringLiteral("tim%1Cb2").arg(n), 20);
        add<cMyComboBoxW2>(grid, r, 3, QStringLiteral("tim%1Cb3").arg(n));
        spin(grid, r, 4, QStringLiteral("tim%1Sb1").arg(n));
        combo<cMyComboBoxW2>(grid, r, 5, QStringLiteral("tim%1Cb4").arg(n), 16);
        spin(grid, r, 6, QStringLiteral("tim%1Sb2").arg(n));
    }
    for (int c : {1, 2, 5})
        grid->setColumnStretch(c, 1);
}

void RuleGrid::buildMessageRules(QGridLayout *grid)
{
    const QString say = QCoreApplication::translate("MainWindow", "podaj");
    for (int r = 0; r < kMessageRules; ++r) {
        const QString n = QStringLiteral("%1").arg(r + 1, 2, 10, QLatin1Char('0'));
        number(grid, r);
        combo<cMyComboBoxW2>(grid, r, 1, QStringLiteral("par%1Cb1").arg(n), 10);
        combo<cMyComboBoxW6>(grid, r, 2, QStringLiteral("par%1Cb2").arg(n), 15);
        add<cMyComboBoxW2>(grid, r, 3, QStringLiteral("par%1Cb3").arg(n));
        spin(grid, r, 4, QStringLiteral("par%1Sb1").arg(n));
        grid->addWidget(new QLabel(say, grid->parentWidget()), r, 5);
        combo<cMyComboBoxW2>(grid, r, 6, QStringLiteral("par%1Cb4").arg(n), 12);
        combo<cMyComboBoxW2>(grid, r, 7, QStringLiteral("par%1Cb5").arg(n), 14);
        combo<cMyComboBoxW2>(grid, r, 8, QStringLiteral("par%1Cb6").arg(n), 9);
    }
    for (int c : {1, 2, 6, 7, 8})
        grid->setColumnStretch(c, 1);
}
