#ifndef TESTS_SUPPORT_ACCESSIBLENAMES_H
#define TESTS_SUPPORT_ACCESSIBLENAMES_H

// What a screen reader announces for each control of a window, through Qt's own accessibility
// interfaces (no assistive technology needed, so it runs on the offscreen platform too).

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QMap>
#include <QStringList>
#include <QWidget>

namespace AccessibleNames {

// The name a control is announced by. Qt on Linux announces a combo box by its current entry
// and names it through the label it is the buddy of (a group box's title comes after).
inline QString of(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return QString();
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return iface->text(QAccessible::Name);
}

// Every control under `root` that the keyboard reaches and that shows while `root` shows,
// without a name or with a name another such control has: "objectName (class): name".
inline QStringList problems(QWidget *root)
{
    QMap<QString, QStringList> byName;
    QStringList found;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        // A spin box's own line edit is announced as part of the spin box; a widget with a focus
        // proxy hands the focus on.
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(root) || w->focusProxy()
            || qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        const QString name = of(w).trimmed();
        const QString who = QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
        if (name.isEmpty())
            found << who + QStringLiteral(": no name");
        else
            byName[name] << who;
    }
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        if (it.value().size() > 1)
            found << it.value().join(QStringLiteral(", ")) + QStringLiteral(": all named \"%1\"").arg(it.key());
    return found;
}

} // namespace AccessibleNames

#endif
