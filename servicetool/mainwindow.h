#ifndef SERVICETOOL_MAINWINDOW_H
#define SERVICETOOL_MAINWINDOW_H

// The service console's window: five pages, of which the service page works. It reads and
// writes raw device memory areas and sends the single commands through the service link, shows
// every exchange in the debug pane, and opens and saves settings files from its menu. The
// window's jobs each have a source file: mainwindow.cpp (pages, port), mainwindow_service.cpp
// (transactions), mainwindow_files.cpp (files).

#include "servicetool/cmyservicelink.h"

#include <QMainWindow>

class QProgressBar;

namespace servicetool {

namespace Ui {
class MainWindow;
}
class cMyDebugLog;
class cMyHexFile;
class cMyPaneFiller;
class cMyPortSelect;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    cMyServiceLink *link() const { return m_link; }
    cMyDebugLog *debugLog() const { return m_debugLog; }

public slots:
    void portChanged(bool present, QString port);
    void openFile();
    void saveAsFile();

private slots:
    void on_pbQuickSelect_clicked();
    void on_pbEdit_clicked();
    void on_pbLogs_clicked();
    void on_pbSimulation_clicked();
    void on_pbService_clicked();
    void on_pbServiceOpenFile_clicked();
    void on_pbServiceSend_clicked();
    void on_rbServiceFlash_clicked();
    void on_rbServiceEeprom_clicked();
    void on_rbServiceRam_clicked();
    void on_rbServiceRom_clicked();
    void on_rbServiceOtp_clicked();
    void on_rbServiceMdid_clicked();
    void on_pbServiceGet_clicked();
    void on_pbSaveFile_clicked();
    void on_pbServiceBoot_clicked();
    void on_pbServiceReset_clicked();
    void on_pbServiceRoot_clicked();
    void on_pbSaveDebugLog_clicked();

private:
    void buildMessageGrid();
    void setArea(const QString &line);
    void showProgress(int done, int total);
    void transactionFinished(cMyServiceLink::Outcome outcome, const QString &detail);
    // mainwindow_files.cpp: a save dialog that starts where the last one of `kind` took a file.
    QString saveFileName(const QString &title, const QString &kind, const QString &filter);

    Ui::MainWindow *ui;
    cMyPortSelect *m_portSelect;
    cMyServiceLink *m_link;
    cMyHexFile *m_hexFile;
    cMyDebugLog *m_debugLog;
    cMyPaneFiller *m_fileFiller;
    cMyPaneFiller *m_readBackFiller;
    QProgressBar *m_progress;
    QString m_areaLine;
};

} // namespace servicetool

#endif
