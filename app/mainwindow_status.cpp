// Device status: the overview labels, the self-test warning and the status dialog, and what
// the simulation page learns from the status.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmycaptionedvalues.h"
#include "app/cmyfaultbanner.h"
#include "app/cmyoverviewpage.h"
#include "app/cmyportselect.h"
#include "app/cmytamirastatus.h"
#include "app/cmytranslatedtext.h"
#include "device/cmystatusdecoder.h"
#include "simulation/cmysimwidget.h"

void MainWindow::newStatusRead(QStringList lista)
{
    using S = cMyStatusDecoder;
    const quint8 flags = quint8(lista.value(S::StatusBits).toInt() & 0xFF);
    TranslatedText::set(ui->lTamiraStatus, "MainWindow",
                        (flags & 0x01) ? QT_TRANSLATE_NOOP("MainWindow", "Tamira działa")
                                       : QT_TRANSLATE_NOOP("MainWindow", "Tamira nie działa"));
    m_statusDialog->setStatus(char(flags));
    ui->tabStart->faultBanner()->showFlags(flags);
    ui->simWidget->setDeviceStatistics(lista.value(S::SerialNumber), lista.value(S::MaxDepth),
                                       lista.value(S::DiveTime));
    ui->lmaxDepth->setText(lista.value(S::MaxDepth));
    ui->lDiveTime->setText(lista.value(S::DiveTime));
    ui->lSerialNumber->setText(lista.value(S::SerialNumber));
    ui->lHardwareVesrion->setText(lista.value(S::HardwareVersion));
    ui->lMemoryAmount->setText(lista.value(S::MemorySize) + QStringLiteral(" MB"));
    ui->lFirmwareVersion->setText(lista.value(S::FirmwareVersion));
    ui->lVoiceLang->setText(lista.value(S::LibraryLanguage));
    ui->lVoiceVersion->setText(lista.value(S::LibraryVersion));
    ui->lParamVersion->setText(lista.value(S::SettingsVersion));
    cMyOverviewPage::showPlainText(ui->lParamAutor, lista.value(S::SettingsAuthor));
    cMyOverviewPage::showPlainText(ui->lParamTytul, lista.value(S::SettingsTitle));
    ui->pteParamDesc->setPlainText(lista.value(S::SettingsDescription));
}

void MainWindow::showTamiraStatus()
{
    m_statusDialog->exec();
}

void MainWindow::setupDeviceStatus()
{
    // A screen reader says each value of the overview and the simulation page with its caption.
    CaptionedValues::name(ui->tabStart);
    CaptionedValues::name(ui->simWidget);
    // Another port: the warning belonged to the device that was there.
    connect(m_portSelect, &QComboBox::currentTextChanged, ui->tabStart->faultBanner(), &cMyFaultBanner::clear);
    ui->simWidget->setDeviceLink(m_link);
}
