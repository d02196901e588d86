// Comparisons of the form with another side (cmycomparisonwindow.h): Tamira > "Compare with
// Tamira..." reads the device's settings apart from the document (cmysettingsreader.h), File >
// "Compare with file..." reads a settings file the same way, and "Restore a backup..." shows the
// chosen backup against the form before it is loaded (mainwindow_backup.cpp). From a window a
// value is taken into the form as one step of the undo history, and the form written to Tamira
// is compared again once the write is done.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmycomparisonwindow.h"
#include "app/cmyfilecommands.h"
#include "app/cmyprogressdialog.h"
#include "app/cmytranslatedtext.h"
#include "app/cmyundohistory.h"
#include "base/cmydialogs.h"
#include "jobs/cmysettingsreader.h"
#include "jobs/cmysettingswriter.h"

#include <QAction>
#include <QDir>

void MainWindow::setupComparison()
{
    m_compareTamira = new QAction(this);
    m_compareTamira->setObjectName(QStringLiteral("actionCompareTamira"));
    TranslatedText::set(m_compareTamira, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "&Porównaj z Tamirą..."));
    ui->menuKomunikacja->addAction(m_compareTamira);
    connect(m_compareTamira, &QAction::triggered, this, [this] { compareWithTamira(false); });

    auto *compareFile = new QAction(this);
    compareFile->setObjectName(QStringLiteral("actionCompareFile"));
    TranslatedText::set(compareFile, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "Po&równaj z plikiem..."));
    ui->menuPlik->insertAction(findChild<QAction *>(QStringLiteral("actionRestoreBackup")), compareFile);
    connect(compareFile, &QAction::triggered, this, [this] {
        const QString path = m_files->chooseFileToCompare();
        if (!path.isEmpty())
            compareWithFile(cMyComparisonWindow::File, path);
    });
}

cMyComparisonWindow *MainWindow::comparison(int other, const QString &path)
{
    for (cMyComparisonWindow *window : findChildren<cMyComparisonWindow *>(QString(), Qt::FindDirectChildrenOnly))
        if (window->other() == other && window->path() == path)
            return window;
    auto *window = new cMyComparisonWindow(cMyComparisonWindow::Other(other), path, m_image, m_lists, this);
    connect(window, &cMyComparisonWindow::copyRequested, this,
            [this](const QString &name, const QVector<cMySettingsComparison::Write> &writes) {
                QVector<cMyUndoHistory::Edit> edits;
                for (const cMySettingsComparison::Write &w : writes)
                    edits.append({w.address, {}, w.bytes});
                m_history->applyEdit(name, edits);
            });
    connect(window, &cMyComparisonWindow::restoreRequested, this, [this, window](const QString &backup) {
        if (m_files->restoreBackup(backup))
            window->close();
    });
    if (other == cMyComparisonWindow::Tamira) {
        connect(window, &cMyComparisonWindow::readAgainRequested, this, [this] { compareWithTamira(false); });
        connect(window, &cMyComparisonWindow::writeRequested, this, [this] {
            // Compared again once the write has been verified and the status read after it.
            connect(startSettingsWrite(), &cMyDeviceJob::finished, this, [this](bool completed) {
                if (completed)
                    QMetaObject::invokeMethod(
                        this, [this] { compareWithTamira(true); }, Qt::QueuedConnection);
            });
        });
    } else {
        connect(window, &cMyComparisonWindow::readAgainRequested, this,
                [this, other, path] { compareWithFile(other, path); });
    }
    updateComparisons();
    return window;
}

void MainWindow::updateComparisons()
{
    const bool available = m_compareTamira->isEnabled() && ui->menuBar->isEnabled();
    for (cMyComparisonWindow *window : findChildren<cMyComparisonWindow *>(QString(), Qt::FindDirectChildrenOnly))
        window->setDeviceAvailable(available);
}

void MainWindow::compareWithTamira(bool follows)
{
    startTransfer(tr("Odczyt nastaw z Tamiry do porównania"), tr("Odczyt z tamiry.."));
    auto *reader = new cMySettingsReader(m_link, this);
    // After a write the status read goes first.
    reader->setFollows(follows);
    runJob(reader, QString());
    connect(reader, &cMyDeviceJob::finished, this, [this, reader](bool completed) {
        if (completed)
            showComparison(comparison(cMyComparisonWindow::Tamira, QString()), reader->settings());
        else
            for (cMyComparisonWindow *w : findChildren<cMyComparisonWindow *>(QString(), Qt::FindDirectChildrenOnly))
                if (w->other() == cMyComparisonWindow::Tamira)
                    w->setReadFailed();
    });
    reader->start();
}

void MainWindow::compareWithFile(int other, const QString &path)
{
    QVector<quint8> settings;
    QString why;
    if (!cMyFileCommands::readSettings(path, settings, &why)) {
        cMyDialogs::current().message(
            this, cMyDialogs::Warning, tr("Uwaga"),
            tr("Nie można porównać pliku %1 z formularzem (%2).").arg(QDir::toNativeSeparators(path), why),
            cMyDialogs::Ok);
        for (cMyComparisonWindow *w : findChildren<cMyComparisonWindow *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->path() == path)
                w->setReadFailed();
        return;
    }
    showComparison(comparison(other, path), settings);
}

void MainWindow::showComparison(cMyComparisonWindow *window, const QVector<quint8> &settings)
{
    window->setOtherSettings(settings);
    window->show();
    window->raise();
    window->activateWindow();
}
