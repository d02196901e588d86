#ifndef APP_CMYLANGUAGEMENU_H
#define APP_CMYLANGUAGEMENU_H

// The Language menu: English or Polski (the texts as written) for every text of the program at
// once. The choice is remembered and taken again at the next start; without one the program
// starts in English. Each widget sets its own texts again on the language change that follows.

#include <QMenu>

class cMyLanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit cMyLanguageMenu(QWidget *window);

    // At start-up, before the window is built: the language chosen last time, if any.
    static void useRememberedLanguage();

protected:
    void changeEvent(QEvent *event) override;
};

#endif
