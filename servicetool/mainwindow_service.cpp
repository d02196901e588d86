// The service page's transactions: area choice, Get, Send, the single commands, and what the
// link reports back.

#include "servicetool/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/cmydialogs.h"
#include "device/memorytype.h"
#include "servicetool/cmydebuglog.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmyportselect.h"
#include "servicetool/cmyrecordlines.h"

#include <QProgressBar>

namespace servicetool {

void MainWindow::setArea(const QString &line)
{
    m_areaLine = line;
    ui->pbServiceSend->setEnabled(true);
    ui->pbServiceGet->setEnabled(true);
}

void MainWindow::on_rbServiceFlash_clicked()
{
    setArea(QStringLiteral("#FLASH"));
}

void MainWindow::on_rbServiceEeprom_clicked()
{
    setArea(QStringLiteral("#EEPROM"));
}

void MainWindow::on_rbServiceRam_clicked()
{
    setArea(QStringLiteral("#RAM"));
}

void MainWindow::on_rbServiceRom_clicked()
{
    setArea(QStringLiteral("#ROM"));
}

void MainWindow::on_rbServiceOtp_clicked()
{
    setArea(QStringLiteral("#OTP"));
}

void MainWindow::on_rbServiceMdid_clicked()
{
    setArea(QStringLiteral("#MDID"));
}

void MainWindow::on_pbServiceSend_clicked()
{
    const QString text = m_fileFiller->text();
    // Records past the area's end would fail only after every line before them was written.
    int line = 0;
    quint32 address = 0;
    if (!cMyRecordLines::outsideArea(m_areaLine, text.toLatin1().split('\n'), &line, &address).isEmpty()) {
        cMyDialogs::current().critical(this, QStringLiteral("Błąd"),
                                       QStringLiteral("Wiersz %1: adres 0x%2 leży poza obszarem %3, który ma %4 B.\n"
                                                      "Nic nie zostało wysłane.")
                                           .arg(line)
                                           .arg(address, 4, 16, QLatin1Char('0'))
                                           .arg(m_areaLine.mid(1))
                                           .arg(areaSize(m_areaLine)));
        return;
    }
    m_link->startWrite(m_areaLine, text);
}

void MainWindow::on_pbServiceGet_clicked()
{
    m_link->startRead(m_areaLine, quint32(ui->sbServiceAdderss->value()), quint32(ui->sbServiceCount->value()),
                      ui->sbServiceRecordLength->value());
}

void MainWindow::on_pbServiceBoot_clicked()
{
    m_link->startCommand(cMyServiceLink::BootCommand);
}

void MainWindow::on_pbServiceReset_clicked()
{
    m_link->startCommand(cMyServiceLink::ResetCommand);
}

void MainWindow::on_pbServiceRoot_clicked()
{
    m_link->startCommand(cMyServiceLink::RootCommand);
}

void MainWindow::showProgress(int done, int total)
{
    // The bar repaints at once on every new value, and a read may bring hundreds of thousands
    // of replies: it moves in whole percents.
    const int percent = int(qint64(done) * 100 / qMax(1, total));
    if (done < total && percent == m_progress->value() && !m_progress->isHidden())
        return;
    m_progress->setValue(percent);
    m_progress->setVisible(done < total);
}

void MainWindow::transactionFinished(cMyServiceLink::Outcome outcome, const QString &detail)
{
    m_progress->hide();
    m_portSelect->setPolling(true);
    m_debugLog->flush();
    switch (outcome) {
    case cMyServiceLink::Completed:
        if (m_link->kind() == cMyServiceLink::ReadArea) {
            m_readBackFiller->fill(m_link->takeReadBack());
        }
        break;
    case cMyServiceLink::OpenFailed:
        cMyDialogs::current().critical(this, QStringLiteral("Błąd"),
                                       m_link->portName().isEmpty()
                                           ? QStringLiteral("Nie wykryto Tamiry: nie ma portu do otwarcia.")
                                           : QStringLiteral("Nie można otworzyć portu %1.\n\nKomunikat systemu: %2")
                                                 .arg(m_link->portName(), detail));
        break;
    case cMyServiceLink::PortLost:
        cMyDialogs::current().critical(
            this, QStringLiteral("Błąd"),
            QStringLiteral("Połączenie z portem %1 zostało przerwane.\n\nKomunikat systemu: %2")
                .arg(m_link->portName(), detail));
        break;
    case cMyServiceLink::TimedOut:
    case cMyServiceLink::Refused: // the window waits for the time-out instead
        cMyDialogs::current().critical(this, QStringLiteral("TimeOut Portu szeregowego"),
                                       QStringLiteral("Tamira nie odpowiedziała w ciągu %1 s.")
                                           .arg(QString::number(m_link->replyTimeout() / 1000.0)));
        break;
    case cMyServiceLink::StayedBusy:
        cMyDialogs::current().critical(
            this, QStringLiteral("TimeOut Portu szeregowego"),
            QStringLiteral("Tamira przez %1 s odpowiadała, że jest zajęta, i nie dała odpowiedzi.")
                .arg(QString::number(m_link->replyTimeout() * cMyServiceLink::kBusyTimeouts / 1000.0)));
        break;
    case cMyServiceLink::Abandoned:
        break;
    }
}

void MainWindow::on_pbSaveDebugLog_clicked()
{
    const QString path = saveFileName(QStringLiteral("Zapisz log"), QStringLiteral("log"),
                                      QStringLiteral("Pliki tekstowe (*.txt *.log)"));
    if (!path.isEmpty())
        m_debugLog->save(path);
}

} // namespace servicetool
