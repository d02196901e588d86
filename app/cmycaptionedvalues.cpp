#include "app/cmycaptionedvalues.h"

#include <QAccessibleWidget>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

const char kCaption[] = "tamiraCaption";
const char kNote[] = "tamiraValueNote";

QString shownText(const QObject *caption)
{
    QString text;
    if (const auto *label = qobject_cast<const QLabel *>(caption))
        text = label->text();
    else if (const auto *group = qobject_cast<const QGroupBox *>(caption))
        text = group->title();
    return text.remove(QLatin1Char('&')).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

class CaptionedLabel : public QAccessibleWidget
{
public:
    explicit CaptionedLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        if (t != QAccessible::Name || !label->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        const QString caption = shownText(label->property(kCaption).value<QObject *>());
        QString name =
            caption + (caption.endsWith(QLatin1Char(':')) ? QStringLiteral(" ") : QStringLiteral(", ")) + label->text();
        const QString note = label->property(kNote).toString();
        if (!note.isEmpty())
            name += QStringLiteral(", ") + note;
        return name;
    }
};

QAccessibleInterface *captionedLabels(const QString &key, QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    if (key != QLatin1String("QLabel") || !label || !label->property(kCaption).value<QObject *>())
        return nullptr;
    return new CaptionedLabel(label);
}

// A label that shows a text: a value or a caption.
QLabel *textLabel(QLayoutItem *item)
{
    auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
    return label && label->pixmap(Qt::ReturnByValue).isNull() ? label : nullptr;
}

void pair(QLabel *value, QObject *caption)
{
    static const bool installed = (QAccessible::installFactory(captionedLabels), true);
    Q_UNUSED(installed)
    if (!value || !caption || value == caption)
        return;
    value->setProperty(kCaption, QVariant::fromValue(caption));
    // A label that has shown a text has its plain interface already (Qt makes one for each change
    // of text); the next one asked for is made with the caption.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(value)));
}

} // namespace

void CaptionedValues::name(QWidget *root)
{
    for (QGridLayout *grid : root->findChildren<QGridLayout *>()) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLabel *caption = textLabel(grid->itemAtPosition(row, 0));
            for (int column = 1; caption && column < grid->columnCount(); ++column) {
                QLayoutItem *item = grid->itemAtPosition(row, column);
                if (item && item != grid->itemAtPosition(row, 0))
                    pair(textLabel(item), caption);
            }
        }
    }
    for (QFormLayout *form : root->findChildren<QFormLayout *>())
        for (int row = 0; row < form->rowCount(); ++row)
            pair(textLabel(form->itemAt(row, QFormLayout::FieldRole)),
                 textLabel(form->itemAt(row, QFormLayout::LabelRole)));
    for (QGroupBox *group : root->findChildren<QGroupBox *>())
        if (group->layout() && group->layout()->count() == 1)
            pair(textLabel(group->layout()->itemAt(0)), group);
}

void CaptionedValues::setNote(QLabel *value, const QString &note)
{
    value->setProperty(kNote, note);
}
