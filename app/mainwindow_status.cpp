// Device status: the overview labels, the self-test warning and the status dialog, and what
// the simulation page learns from the status.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfaultbanner.h"
#include "app/cmyoverviewpage.h"
#include "app/cmyportselect.h"
#include "app/cmytamirastatus.h"
#include "app/cmytranslatedtext.h"
#include "simulation/cmysimwidget.h"

void MainWindow::newStatusRead(QStringList lista)
{
    const quint8 flags = quint8(lista.value(0).toInt() & 0xFF);
    TranslatedText::set(ui->lTamiraStatus, "MainWindow",
                        (flags & 0x01) ? QT_TRANSLATE_NOOP("MainWindow", "Tamira działa")
                                       : QT_TRANSLATE_NOOP("MainWindow", "Tamira nie działa"));
    m_statusDialog->setStatus(char(flags));
    ui->tabStart->faultBanner()->showFlags(flags);
    ui->simWidget->setDeviceStatistics(lista.value(3), lista.value(1), lista.value(2));
    ui->lmaxDepth->setText(lista.value(1));
    ui->lDiveTime->setText(lista.value(2));
    ui->lSerialNumber->setText(lista.value(3));
    ui->lHardwareVesrion->setText(lista.value(4));
    ui->lMemoryAmount->setText(lista.value(5) + QStringLiteral(" MB"));
    ui->lFirmwareVersion->setText(lista.value(6));
    ui->lVoiceLang->setText(lista.value(7));
    ui->lVoiceVersion->setText(lista.value(8));
    ui->lParamVersion->setText(lista.value(9));
    cMyOverviewPage::showPlainText(ui->lParamAutor, lista.value(10));
    cMyOverviewPage::showPlainText(ui->lParamTytul, lista.value(11));
    ui->pteParamDesc->setPlainText(lista.value(12));
}

void MainWindow::showTamiraStatus()
{
    m_statusDialog->exec();
}

void MainWindow::setupDeviceStatus()
{
    // Another port: the warning belonged to the device that was there.
    connect(m_portSelect, &QComboBox::currentTextChanged, ui->tabStart->faultBanner(), &cMyFaultBanner::clear);
    ui->simWidget->setDeviceLink(m_link);
}
