// The settings form is cMySettingsForm (editors/cmysettingsform.h); the window's own operations
// and slots for it forward to it. The overview page mirrors the texts.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyoverviewpage.h"
#include "app/cmyundohistory.h"
#include "editors/cmysettingsform.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "model/cmyvaluelists.h"

void MainWindow::setupSettingsForm()
{
    m_image = new cMyMemoryArea(this);
    m_image->setData(cMySettingsFile::kImageSize - 1, quint8(0));
    m_lists = new cMyValueLists(this);
    m_form = new cMySettingsForm(m_image, m_lists, this);
}

void MainWindow::ensureSettingsForm()
{
    // The editors taking the document are no edit of the user's.
    if (!m_form->isBuilt())
        m_history->unrecorded([this] { m_form->build(ui->tabTimery, ui->tabKomunikaty); });
}

void MainWindow::refreshSettingsForm()
{
    m_form->refresh();
    cMyOverviewPage::showPlainText(ui->lParamAutor, m_form->author());
    cMyOverviewPage::showPlainText(ui->lParamTytul, m_form->title());
    const QString description = m_form->description();
    if (ui->pteParamDesc->toPlainText() != description)
        ui->pteParamDesc->setPlainText(description);
}

void MainWindow::param11Changed(double)
{
    m_form->altitudeChanged();
}

void MainWindow::param12Changed(double)
{
    m_form->latitudeChanged();
}

void MainWindow::param13Changed(int newValue)
{
    m_form->volumeChanged(newValue);
}

void MainWindow::descriptionReached()
{
    m_form->descriptionReached();
}

void MainWindow::parseDescription()
{
    m_form->storeTexts();
}
