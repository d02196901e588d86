#include "app/cmytranslatedtext.h"

#include <QCoreApplication>
#include <QObject>
#include <QVariant>

namespace {
const char kContext[] = "tamiraTextContext";
const char kSource[] = "tamiraTextSource";
const char kShown[] = "tamiraTextShown";
} // namespace

void TranslatedText::set(QObject *target, const char *context, const char *source)
{
    const QString text = QCoreApplication::translate(context, source);
    target->setProperty(kContext, QByteArray(context));
    target->setProperty(kSource, QByteArray(source));
    target->setProperty(kShown, text);
    target->setProperty("text", text);
}

void TranslatedText::refresh(QObject *root)
{
    QList<QObject *> objects = root->findChildren<QObject *>();
    objects.prepend(root);
    for (QObject *o : qAsConst(objects)) {
        const QByteArray source = o->property(kSource).toByteArray();
        if (source.isEmpty())
            continue;
        if (o->property("text").toString() != o->property(kShown).toString()) {
            o->setProperty(kSource, QVariant());
            continue;
        }
        set(o, o->property(kContext).toByteArray().constData(), source.constData());
    }
}
