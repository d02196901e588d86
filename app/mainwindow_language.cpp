// The Language menu, and the window's texts set again when the language changes: the forms'
// own texts through their retranslateUi, the rule grids', and those the window set itself.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "ui_messagespage.h"
#include "ui_parameterspage.h"

#include "app/cmylanguagemenu.h"
#include "app/cmytranslatedtext.h"
#include "editors/cmyaccessiblename.h"

void MainWindow::setupLanguage()
{
    auto *menu = new cMyLanguageMenu(this);
    ui->menuBar->insertMenu(ui->menuPomoc->menuAction(), menu);
    connect(menu, &cMyLanguageMenu::languageChanged, this, &MainWindow::retranslate);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    if (m_params) {
        m_params->retranslateUi(ui->tabTimery->findChild<QWidget *>(QStringLiteral("ParametersPage")));
        m_messages->retranslateUi(ui->tabKomunikaty->findChild<QWidget *>(QStringLiteral("MessagesPage")));
        RuleGrid::retranslateTimerRules(m_params->timLayout);
        RuleGrid::retranslateMessageRules(m_messages->msgLayout);
        AccessibleName::describePlainly(ui->tabTimery);
    }
    TranslatedText::refresh(this);
    updateTitle();
}
