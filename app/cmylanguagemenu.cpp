#include "app/cmylanguagemenu.h"

#include "resources/tamiraresources.h"

#include <QActionGroup>
#include <QEvent>

cMyLanguageMenu::cMyLanguageMenu(QWidget *window) : QMenu(window)
{
    setObjectName(QStringLiteral("menuJezyk"));
    setTitle(tr("&Język"));
    auto *group = new QActionGroup(this);
    // Each language by its own name, whatever the language shown.
    const struct
    {
        const char *name, *text;
        bool english;
    } languages[] = {{"actionEnglish", "English", true}, {"actionPolski", "Polski", false}};
    for (const auto &language : languages) {
        QAction *action = addAction(QString::fromUtf8(language.text));
        action->setObjectName(QLatin1String(language.name));
        action->setCheckable(true);
        action->setChecked(language.english);
        group->addAction(action);
        const bool english = language.english;
        connect(action, &QAction::triggered, this, [english] { useEnglishCatalogue(english); });
    }
}

void cMyLanguageMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setTitle(tr("&Język"));
    QMenu::changeEvent(event);
}
