#include "app/cmylanguagemenu.h"

#include "base/cmyremembered.h"
#include "resources/tamiraresources.h"

#include <QActionGroup>
#include <QEvent>

namespace {
const QString kLanguageKey = QStringLiteral("language");
const QString kPolish = QStringLiteral("pl");
const QString kEnglish = QStringLiteral("en");
} // namespace

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
        action->setChecked(language.english == englishCatalogueInUse());
        group->addAction(action);
        const bool english = language.english;
        connect(action, &QAction::triggered, this, [english] {
            useEnglishCatalogue(english);
            cMyRemembered::settings()->setValue(kLanguageKey, english ? kEnglish : kPolish);
        });
    }
}

void cMyLanguageMenu::useRememberedLanguage()
{
    const QString language = cMyRemembered::settings()->value(kLanguageKey).toString();
    if (language == kPolish || language == kEnglish)
        useEnglishCatalogue(language == kEnglish);
}

void cMyLanguageMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setTitle(tr("&Język"));
    QMenu::changeEvent(event);
}
