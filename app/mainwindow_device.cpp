// Device commands: settings read and write with their progress dialog, the service commands
// with their confirmations, and the sound library upload.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "cmydialogs.h"
#include "cmylibraryfile.h"
#include "cmymemoryarea.h"
#include "cmytamira.h"

#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent>

namespace {

// Below this interval a progress report only moves the bar by a pixel or less; showing every
// one of a library's 90,000 reports would cost more than the transfer itself.
constexpr int kProgressRepaintMs = 40;

} // namespace

QVector<quint8> MainWindow::versionStamp(const QString &version)
{
    QVector<quint8> stamp;
    for (const QString &part : version.split(QLatin1Char('.')))
        stamp.append(quint8(part.toInt() & 0xFF));
    return stamp;
}

void MainWindow::startTransfer(const QString &label)
{
    delete m_progress;
    auto *dialog = new QProgressDialog(label, tr("Anuluj"), 0, 100, this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAutoReset(true);
    dialog->setAutoClose(true);
    dialog->setMinimumDuration(0);
    connect(dialog, &QProgressDialog::canceled, m_link, &cMyTamira::breakCommunication);
    connect(m_link, &cMyTamira::writeProgress, this, &MainWindow::tamiraWriteProgress, Qt::UniqueConnection);
    m_progress = dialog;
    m_progressShown.invalidate();
    dialog->setValue(0);
    dialog->show();
}

void MainWindow::dismissProgress()
{
    if (!m_progress)
        return;
    // Closing a progress dialog reports a cancel; this close is not the user's, and must not
    // break off whatever the link is doing.
    m_progress->disconnect(m_link);
    m_progress->close();
}

void MainWindow::transferHandedOver()
{
    // A transfer the link refused (no port, or another command running) never reports
    // progress; only a running transfer can move the dialog on.
    const bool transferRunning = m_link->isBusy()
        && (m_link->state() == cMyTamira::WriteArea || m_link->state() == cMyTamira::ReadArea);
    if (!transferRunning)
        dismissProgress();
}

void MainWindow::transactionEnded(int reason)
{
    // The link gave up (no answer, port lost, another port chosen): the dialog must not wait.
    if (reason != cMyTamira::Completed)
        dismissProgress();
}

void MainWindow::readSettingsFromTamira()
{
    startTransfer(tr("Odczyt z tamiry.."));
    QStringList lines = m_image->toHexLines(0, 1024, 16);
    emit readFromTamira(EEPROM, lines);
    transferHandedOver();
}

void MainWindow::writeSettingsToTamira()
{
    startTransfer(tr("Zapis do tamiry.."));
    m_image->setData(0, versionStamp(m_version));
    QStringList lines = m_image->toHexLines(0, 1024, 16);
    emit writeToTamira(EEPROM, lines);
    transferHandedOver();
}

void MainWindow::tamiraWriteProgress(int min, int max, int progress)
{
    if (!m_progress)
        return;
    if (m_progress->minimum() != min)
        m_progress->setMinimum(min);
    if (m_progress->maximum() != max)
        m_progress->setMaximum(max);
    const bool last = progress >= max;
    if (!last && m_progressShown.isValid() && m_progressShown.elapsed() < kProgressRepaintMs)
        return;
    m_progressShown.start();
    m_progress->setValue(progress);
}

void MainWindow::newDataRead(MemoryType area, uint address, QVector<quint8> data)
{
    if (area != EEPROM)
        return;
    m_image->setData(address, data);
    refreshSettingsForm();
}

bool MainWindow::confirmed(const QString &title, const QString &question)
{
    return cMyDialogs::current().question(this, title, question) == cMyDialogs::Yes;
}

void MainWindow::on_actionFirmwareUpdate_triggered()
{
    if (confirmed(tr("Aktualizacja firmware..."),
                  tr("Przejście do trybu serwisowego. Kontynuacja możliwa tylko z poziomu zewnętrznego "
                     "oprogramowania FLIP firmy ATMEL. Dalsze informacje w pliku Pomocy.\n"
                     "Czy jesteś pewien, że chcesz wgrać nowy firmware?")))
        m_link->boot();
}

void MainWindow::on_actionReset_triggered()
{
    if (confirmed(tr("Reset..."),
                  tr("Nastąpi reset Tamiry bez utraty danych. W razie utraty komunikacji proszę odłączyć "
                     "i podłączyć ponownie kabel USB.\nCzy chcesz kontynuować?")))
        m_link->reset(true);
}

void MainWindow::on_actionClearStats_triggered()
{
    if (confirmed(tr("Wyczyść statystyki..."), tr("Czy chcesz wyczyścić statystyki (np. MAX głębokość)?")))
        m_link->clearStats();
}

void MainWindow::on_actionPowerOff_triggered()
{
    if (confirmed(tr("Wyłącz Tamirę..."),
                  tr("W celu ochrony baterii, przed dłuższą przerwą w użytkowaniu Tamiry wskazane jest "
                     "jej wyłączenie. Tamira zostanie wyłączona zaraz po odłączeniu kabla USB. Ponowne "
                     "załączenie nastąpi samoczynnie po ponownym podłączeniu do USB lub ładowarki. "
                     "Czy chcesz wyłączyć zasilanie Tamiry?")))
        m_link->powerOff();
}

void MainWindow::on_actionLibraryUpdate_triggered()
{
    cMyDialogs &dialogs = cMyDialogs::current();
    const QString path = dialogs.openFileName(
        this, tr("Otworz plik"), startFolder(),
        tr("Biblioteka jezyka (*.tma);;Komunikaty użytkownika (*.tmc)"));
    if (path.isEmpty())
        return;
    if (!confirmed(tr("Aktualizacja biblioteki dźwięków..."),
                   tr("Nastąpi aktualizacja biblioteki dźwięków.\nCzy chcesz kontynuować?")))
        return;

    // A library is read on a worker thread, so a file of many megabytes never freezes the
    // window; the progress dialog is up (and can cancel) meanwhile.
    startTransfer(tr("Proszę nie odłączać urządzenia."));
    m_progress->setRange(0, 0);
    auto cancel = std::make_shared<std::atomic_bool>(false);
    connect(m_progress, &QProgressDialog::canceled, this, [cancel] { *cancel = true; });
    auto *watcher = new QFutureWatcher<cMyLibraryFile::Result>(this);
    const QPointer<QProgressDialog> dialog = m_progress;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, cancel, dialog] {
        watcher->deleteLater();
        cMyLibraryFile::Result result = watcher->result();
        if (*cancel || !dialog || dialog != m_progress)
            return; // cancelled, or another transfer took over meanwhile
        switch (result.status) {
        case cMyLibraryFile::Ok:
            dialog->setRange(0, 100);
            emit writeToTamira(FLASH, result.words);
            transferHandedOver();
            break;
        case cMyLibraryFile::TooLarge:
        case cMyLibraryFile::NotALibrary:
            dismissProgress();
            cMyDialogs::current().critical(this, tr("Błąd"), tr("Ten plik nie jest biblioteką dźwięków."));
            break;
        case cMyLibraryFile::CannotOpen:
        case cMyLibraryFile::Cancelled:
            dismissProgress();
            break;
        }
    });
    watcher->setFuture(QtConcurrent::run([path, cancel] { return cMyLibraryFile::read(path, cancel.get()); }));
}
