#include "editors/cmyaccessiblename.h"

#include <QComboBox>
#include <QLabel>
#include <QTextDocument>
#include <QTextDocumentFragment>

void AccessibleName::set(QWidget *editor, const QString &name)
{
    editor->setAccessibleName(name);
    QWidget *parent = editor->parentWidget();
    if (!qobject_cast<QComboBox *>(editor) || !parent)
        return;
    const QString labelName = editor->objectName() + QStringLiteral("_name");
    auto *label = parent->findChild<QLabel *>(labelName, Qt::FindDirectChildrenOnly);
    if (!label) {
        label = new QLabel(parent);
        label->setObjectName(labelName);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(editor);
        label->hide();
    }
    label->setText(name);
}

QString AccessibleName::of(const QWidget *editor)
{
    if (!editor->accessibleName().isEmpty())
        return editor->accessibleName();
    for (const QLabel *label : editor->window()->findChildren<QLabel *>())
        if (label->buddy() == editor) {
            QString text = label->text().remove(QLatin1Char('&')).trimmed();
            if (text.endsWith(QLatin1Char(':')))
                text.chop(1);
            return text;
        }
    return QString();
}

void AccessibleName::describePlainly(QWidget *root)
{
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : qAsConst(widgets)) {
        const QString tip = w->toolTip();
        if (Qt::mightBeRichText(tip))
            w->setAccessibleDescription(QTextDocumentFragment::fromHtml(tip).toPlainText());
    }
}
