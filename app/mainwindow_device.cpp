// Device commands: settings read and write with their progress dialog, the service commands
// with their confirmations, and the sound library upload. The transfers run as device jobs
// (cmydevicejob.h); the backup and verification of a write live in cmysettingswriter.cpp.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyfilecommands.h"
#include "app/cmyprogressdialog.h"
#include "app/cmytranslatedtext.h"
#include "app/cmyundohistory.h"
#include "base/cmydialogs.h"
#include "base/cmyremembered.h"
#include "device/cmytamira.h"
#include "jobs/cmydevicejob.h"
#include "jobs/cmyfailurereporter.h"
#include "jobs/cmylibraryupload.h"
#include "jobs/cmysettingswriter.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

namespace {

// Below this interval a progress report only moves the bar by a pixel or less; showing every
// one of a library's 90,000 reports would cost more than the transfer itself.
constexpr int kProgressRepaintMs = 40;
// How long the status bar keeps the word that a transfer completed.
constexpr int kDoneMessageMs = 15000;

// The sentence that stays in the status bar while the library in the device is incomplete.
void showLibraryIncomplete(QStatusBar *bar, bool incomplete)
{
    auto *label = bar->findChild<QLabel *>(QStringLiteral("lLibraryIncomplete"));
    if (!label && incomplete) {
        label = new QLabel(bar);
        label->setObjectName(QStringLiteral("lLibraryIncomplete"));
        TranslatedText::set(label, "MainWindow",
                            QT_TRANSLATE_NOOP("MainWindow", "Biblioteka dźwięków w Tamirze jest niekompletna, dopóki "
                                                            "nie zostanie wgrana ponownie."));
        bar->addPermanentWidget(label);
    }
    if (label)
        label->setVisible(incomplete);
}

} // namespace

QVector<quint8> MainWindow::versionStamp(const QString &version)
{
    QVector<quint8> stamp;
    for (const QString &part : version.split(QLatin1Char('.')))
        stamp.append(quint8(part.toInt() & 0xFF));
    return stamp;
}

void MainWindow::startTransfer(const QString &name, const QString &label)
{
    delete m_progress;
    auto *dialog = new cMyProgressDialog(label, tr("Anuluj"), 0, 100, this);
    dialog->setTransferName(name);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAutoReset(true);
    dialog->setAutoClose(true);
    dialog->setMinimumDuration(0);
    connect(dialog, &cMyProgressDialog::cancelConfirmed, m_link, &cMyTamira::breakCommunication);
    connect(m_link, &cMyTamira::writeProgress, this, &MainWindow::tamiraWriteProgress, Qt::UniqueConnection);
    m_progress = dialog;
    m_progressShown.invalidate();
    dialog->setValue(0);
    dialog->show();
}

void MainWindow::dismissProgress()
{
    // This close is not the user's, and must not break off whatever the link is doing.
    if (m_progress)
        m_progress->dismiss();
}

void MainWindow::runJob(cMyDeviceJob *job, const QString &done)
{
    m_job = job;
    if (m_progress)
        connect(m_progress, &cMyProgressDialog::cancelConfirmed, job, &cMyDeviceJob::cancel);
    connect(job, &cMyDeviceJob::phaseChanged, this, [this, job](const QString &label) {
        if (job == m_job && m_progress)
            m_progress->setLabelText(label);
    });
    connect(job, &cMyDeviceJob::progress, this, [this, job](int value, int maximum) {
        if (job == m_job)
            showProgress(0, maximum, value);
    });
    connect(job, &cMyDeviceJob::finished, this, [this, job, done](bool completed) {
        job->deleteLater();
        if (job != m_job)
            return;
        // A job that did not complete has said why (or the user cancelled it); its dialog must
        // not stay behind waiting. One that did says so where it does not stand in the way.
        if (completed && !done.isEmpty())
            ui->statusBar->showMessage(done, kDoneMessageMs);
        else
            dismissProgress();
    });
    // Its failure is told once the window has done the above.
    m_reporter->watch(job);
}

void MainWindow::readSettingsFromTamira()
{
    // The device's settings take the place of the document.
    if (!m_files->mayReplace(cMyUnsavedChanges::ReadFromTamira))
        return;
    startTransfer(tr("Odczyt nastaw z Tamiry"), tr("Odczyt z tamiry.."));
    QStringList lines = m_image->toHexLines(0, cMySettingsFile::kImageSize, 16);
    auto *job = new cMyDeviceJob(m_link, this);
    runJob(job, tr("Nastawy odczytane z Tamiry."));
    // The records and "#ROOT", "#HEX", "#EEPROM", "#READ". Only this read's records are the
    // document's: a write's backup and verification read the device for themselves.
    job->startSingle(lines.size() + 4, tr("Nastawy w programie nie zostały zmienione."), [this, lines] {
        cMyTransaction *read = m_link->startRead(EEPROM, lines);
        connect(read, &cMyTransaction::newDataRead, this, &MainWindow::newDataRead);
        return read;
    });
}

void MainWindow::writeSettingsToTamira()
{
    startSettingsWrite();
}

cMySettingsWriter *MainWindow::startSettingsWrite()
{
    startTransfer(tr("Zapis nastaw do Tamiry"), tr("Zapis do tamiry.."));
    // The version stamp is no edit to take back, but the document is no longer as saved.
    m_history->unrecorded([this] { m_image->setData(0, versionStamp(m_version)); });
    const QStringList lines = m_image->toHexLines(0, cMySettingsFile::kImageSize, 16);
    auto *writer = new cMySettingsWriter(m_link, this);
    runJob(writer, QString());
    connect(writer, &cMyDeviceJob::finished, this, [this, writer](bool completed) {
        if (!completed)
            return;
        ui->statusBar->showMessage(tr("Nastawy zapisane w Tamirze i sprawdzone. Kopia zapasowa poprzednich nastaw: %1")
                                       .arg(QDir::toNativeSeparators(writer->backupPath())));
        // The overview shows the settings Tamira holds now; read once the link is free again.
        QMetaObject::invokeMethod(m_link, &cMyTamira::readStatus, Qt::QueuedConnection);
    });
    writer->start(lines);
    return writer;
}

void MainWindow::tamiraWriteProgress(int min, int max, int progress)
{
    // A job's transactions are steps of one command; the job reports the progress of the whole.
    if (m_job && m_job->isRunning())
        return;
    showProgress(min, max, progress);
}

void MainWindow::showProgress(int min, int max, int progress)
{
    if (!m_progress)
        return;
    const bool last = progress >= max;
    if (!last && m_progressShown.isValid() && m_progressShown.elapsed() < kProgressRepaintMs)
        return;
    m_progressShown.start();
    m_progress->setProgress(progress - min, max - min);
}

void MainWindow::newDataRead(MemoryType area, uint address, QVector<quint8> bytes)
{
    if (area != EEPROM)
        return;
    // The device's settings are a new document, in no file yet.
    m_history->unrecorded([&] {
        m_image->setData(address, bytes);
        refreshSettingsForm();
    });
    m_history->startFresh(false);
}

bool MainWindow::confirmed(const QString &title, const QString &question)
{
    // Every question here is about something that cannot be undone: Enter must not do it.
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
    // Libraries are kept apart from settings files: where the last one came from, at first the
    // settings' folder.
    const QString last = cMyRemembered::lastFolder(QStringLiteral("library"));
    const QString path = dialogs.openFileName(this, tr("Otworz plik"), last.isEmpty() ? m_files->startFolder() : last,
                                              tr("Biblioteka jezyka (*.tma);;Komunikaty użytkownika (*.tmc)"));
    cMyRemembered::rememberFolder(QStringLiteral("library"), path);
    if (path.isEmpty())
        return;
    if (!confirmed(tr("Aktualizacja biblioteki dźwięków..."),
                   tr("Nastąpi aktualizacja biblioteki dźwięków.\nCzy chcesz kontynuować?")))
        return;
    if (!cMyLibraryUpload::acceptFile(path, this))
        return;

    // The library is first read through on a worker thread (the dialog is up and can cancel
    // meanwhile), then checked against the device's memory, then streamed.
    startTransfer(tr("Wysyłanie biblioteki dźwięków do Tamiry"), tr("Proszę nie odłączać urządzenia."));
    m_progress->setProgress(0, 0);
    auto *upload = new cMyLibraryUpload(m_link, this);
    const QPointer<cMyLibraryUpload> guard(upload);
    // Once the library has begun to go out, a cancel leaves an incomplete one behind.
    m_progress->setCancelCheck([this, guard] {
        if (!guard || !guard->isWritingLibrary())
            return true;
        const bool yes = confirmed(tr("Aktualizacja biblioteki dźwięków..."),
                                   tr("Po przerwaniu biblioteka dźwięków w Tamirze będzie niekompletna, dopóki "
                                      "nie wgrasz jej ponownie.\nCzy chcesz przerwać wysyłanie?"));
        // The upload may have ended while the question was open.
        return yes && guard && guard->isRunning();
    });
    connect(upload, &cMyDeviceJob::finished, this, [this, upload](bool completed) {
        // Until a library has gone in whole, what an earlier one left behind stays said.
        if (completed || upload->leftLibraryIncomplete())
            showLibraryIncomplete(ui->statusBar, !completed);
    });
    runJob(upload, tr("Biblioteka dźwięków wysłana do Tamiry."));
    upload->start(path);
}
