// The Language menu, and the window's texts set again when the language changes: the forms'
// own texts through their retranslateUi, the rule grids', and those the window set itself.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmylanguagemenu.h"
#include "app/cmytranslatedtext.h"
#include "editors/cmysettingsform.h"

void MainWindow::setupLanguage()
{
    ui->menuBar->insertMenu(ui->menuPomoc->menuAction(), new cMyLanguageMenu(this));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    m_form->retranslate(ui->tabTimery, ui->tabKomunikaty);
    TranslatedText::refresh(this);
    updateTitle();
}
