#ifndef APP_CMYLANGUAGEMENU_H
#define APP_CMYLANGUAGEMENU_H

// The Language menu: English or Polski (the texts as written) for every text of the program at
// once, until it ends. The program starts in English. The menu tells its window when the
// language has changed, so that the window can set again the texts it made itself.

#include <QMenu>

class cMyLanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit cMyLanguageMenu(QWidget *window);

signals:
    void languageChanged();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
