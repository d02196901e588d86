// The Language menu, and the window's texts set again when the language changes: the forms'
// own texts through their retranslateUi, the rule grids', and those the window set itself.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmylanguagemenu.h"
#include "app/cmytranslatedtext.h"
#include "editors/cmysettingsform.h"

void MainWindow::setupLanguage()
{
    auto *menu = new cMyLanguageMenu(this);
    ui->menuBar->insertMenu(ui->menuPomoc->menuAction(), menu);
    connect(menu, &cMyLanguageMenu::languageChanged, this, &MainWindow::retranslate);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    m_form->retranslate(ui->tabTimery, ui->tabKomunikaty);
    TranslatedText::refresh(this);
    updateTitle();
}
