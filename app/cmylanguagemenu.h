#ifndef APP_CMYLANGUAGEMENU_H
#define APP_CMYLANGUAGEMENU_H

// The Language menu: English or Polski (the texts as written) for every text of the program at
// once, until it ends. The program starts in English. Each widget sets its own texts again on
// the language change that follows.

#include <QMenu>

class cMyLanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit cMyLanguageMenu(QWidget *window);

protected:
    void changeEvent(QEvent *event) override;
};

#endif
