#include "app/cmypageswitcher.h"

#include "app/cmytranslatedtext.h"

#include <QActionGroup>
#include <QTabWidget>

cMyPageSwitcher::cMyPageSwitcher(QTabWidget *pages, const char *context, const QVector<const char *> &names,
                                 QWidget *window)
    : QMenu(window), m_pages(pages), m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("menuWidok"));
    TranslatedText::set(menuAction(), "cMyPageSwitcher", QT_TRANSLATE_NOOP("cMyPageSwitcher", "&Widok"));
    for (int i = 0; i < names.size(); ++i) {
        QAction *page = addAction(QString());
        page->setObjectName(QStringLiteral("actionPage%1").arg(i + 1));
        TranslatedText::set(page, context, names.at(i));
        page->setShortcut(QKeySequence(QStringLiteral("Alt+%1").arg(i + 1)));
        page->setCheckable(true);
        page->setChecked(pages->currentIndex() == i);
        m_group->addAction(page);
        connect(page, &QAction::triggered, this, [this, i] { m_pages->setCurrentIndex(i); });
    }
    addSeparator();
    struct Step
    {
        const char *name, *text;
        int delta;
        QList<QKeySequence> keys;
    };
    const Step steps[] = {
        {"actionNextPage",
         QT_TRANSLATE_NOOP("cMyPageSwitcher", "&Następna strona"),
         1,
         {QKeySequence(QStringLiteral("Ctrl+PgDown")), QKeySequence(QStringLiteral("Ctrl+Tab"))}},
        {"actionPreviousPage",
         QT_TRANSLATE_NOOP("cMyPageSwitcher", "&Poprzednia strona"),
         -1,
         {QKeySequence(QStringLiteral("Ctrl+PgUp")), QKeySequence(QStringLiteral("Ctrl+Shift+Backtab")),
          QKeySequence(QStringLiteral("Ctrl+Shift+Tab"))}},
    };
    for (const Step &s : steps) {
        QAction *action = addAction(QString());
        action->setObjectName(QLatin1String(s.name));
        TranslatedText::set(action, "cMyPageSwitcher", s.text);
        action->setShortcuts(s.keys);
        const int delta = s.delta;
        connect(action, &QAction::triggered, this, [this, delta] { step(delta); });
    }
    // Also the window's own: its shortcuts work while the menu bar is locked (a simulation runs).
    window->addActions(actions());
    connect(pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (QAction *page = m_group->actions().value(index))
            page->setChecked(true);
    });
}

void cMyPageSwitcher::step(int delta)
{
    const int count = m_pages->count();
    if (count > 0)
        m_pages->setCurrentIndex((m_pages->currentIndex() + delta + count) % count);
}
