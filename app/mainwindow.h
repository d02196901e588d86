#ifndef APP_MAINWINDOW_H
#define APP_MAINWINDOW_H

// TAMIRAdesk's one window: the overview, settings and simulation pages, the menus and tool bar,
// and the slots behind every command. The frame lives in mainwindow.cpp; the file commands, the
// settings form, the device commands, the status, the bootloader check and the demo device each
// have their own source file.

#include "device/memorytype.h"
#include "resources/tamiraversion.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

class QAction;
class QTimer;
class cMyMemoryArea;
class cMyAboutDialog;
class cMyDemoDevice;
class cMyPortSelect;
class cMyProgressDialog;
class cMyTamiraStatus;
class cMyTamira;
class cMyDeviceJob;
class cMySettingsWriter;
class cMyComparisonWindow;
class cMyFailureReporter;
class cMySettingsForm;
class cMyValueLists;
class cMyFileCommands;
class cMyUndoHistory;
class QCloseEvent;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    static QString versionText() { return QStringLiteral(TAMIRA_VERSION); }

    // The command-line load: the file becomes current unless nothing could be read from it;
    // a name that does not exist is a new document.
    void loadFromCommandLine(const QString &path);

    cMyMemoryArea *settingsImage() const { return m_image; }
    // Loads every editor of the settings form from the image.
    void refreshSettingsForm();
    // Builds and binds the settings pages unless that has happened already; they are made the
    // first time one of them is shown, not at start-up.
    void ensureSettingsForm();
    QFileInfo currentFile() const;
    cMyTamira *link() const { return m_link; }
    // Attaches a demo device (the bundled emulator) for trying the program without a Tamira.
    void startDemo();
    // Unsaved work left by a program that was stopped: offered at start, kept on a stop signal.
    void offerRecovery();
    void keepRecoveryCopy();
    // Writes `bytes` at `address` of the document as one step of its undo history, named `name`
    // (a value taken from elsewhere into the form); the editors show it.
    void applyEdit(const QString &name, quint32 address, const QVector<quint8> &bytes);

public slots:
    void portChanged(QString newPort);
    void tamiraInBootMode();
    void showTamiraStatus();
    void tamiraWriteProgress(int min, int max, int progress);
    void newDataRead(MemoryType area, uint address, QVector<quint8> data);
    void newStatusRead(QStringList lista);
    void tabWidgetChanged(int index);
    void param11Changed(double newValue);
    void param12Changed(double newValue);
    void param13Changed(int newValue);
    void simulationInProgress(bool state);

private slots:
    void openFileDialog(QString mode);
    void openFile(QString path);
    void saveFileDialog(QString mode);
    bool saveFile(QString path);
    void writeSettingsToTamira();
    void readSettingsFromTamira();
    void descriptionReached();
    void parseDescription();
    void checkBootDevices();
    void on_actionPomoc_triggered();
    void on_actionAbout_triggered();
    void on_actionLibraryUpdate_triggered();
    void on_actionFirmwareUpdate_triggered();
    void on_actionReset_triggered();
    void on_actionClearStats_triggered();
    void on_actionPowerOff_triggered();

protected:
    // mainwindow_files.cpp: closing asks about unsaved changes.
    void closeEvent(QCloseEvent *event) override;
    // mainwindow_language.cpp: the texts the window set itself, again in the new language.
    void changeEvent(QEvent *event) override;

private:
    // mainwindow.cpp
    void insertPortChooser();
    void makeConnections();
    void updateTitle();
    void setDeviceCommandsEnabled(bool enabled);
    // mainwindow_files.cpp
    void setupFileCommands();
    // mainwindow_device.cpp
    static QVector<quint8> versionStamp(const QString &version);
    // The settings write of writeSettingsToTamira, which a comparison's write follows.
    cMySettingsWriter *startSettingsWrite();
    // `name`: the dialog's title and the name a screen reader gives it.
    void startTransfer(const QString &name, const QString &label);
    // `done`: what the status bar says once the job has completed (nothing when it is empty).
    void runJob(cMyDeviceJob *job, const QString &done);
    void showProgress(int min, int max, int progress);
    void dismissProgress();
    bool confirmed(const QString &title, const QString &question);
    void resetOverviewLabels();
    // mainwindow_status.cpp
    void setupDeviceStatus();
    // mainwindow_demo.cpp
    void setupDemo();
    bool demoAttached() const;
    // mainwindow_language.cpp
    void setupLanguage();
    void retranslate();
    // mainwindow_backup.cpp
    void insertRestoreBackupAction();
    void restoreBackup();
    // mainwindow_compare.cpp
    void setupComparison();
    // The window comparing the form with `other` (a cMyComparisonWindow::Other) and `path`,
    // made when there is none.
    cMyComparisonWindow *comparison(int other, const QString &path);
    void showComparison(cMyComparisonWindow *window, const QVector<quint8> &settings);
    // `follows`: after a write of the program's own, which the status read follows first.
    void compareWithTamira(bool follows);
    void compareWithFile(int other, const QString &path);
    // Tamira's buttons in the comparisons follow the device commands.
    void updateComparisons();
    // mainwindow_settingsform.cpp
    void setupSettingsForm();
    // mainwindow_edit.cpp
    void setupEditHistory();
    // mainwindow_view.cpp
    void setupView();
    void rememberWindow();

    cMyMemoryArea *m_image = nullptr;
    cMyTamira *m_link = nullptr;
    cMyFailureReporter *m_reporter = nullptr;
    Ui::MainWindow *ui = nullptr;
    cMySettingsForm *m_form = nullptr;
    cMyValueLists *m_lists = nullptr; // shared by the form and the comparisons
    cMyTamiraStatus *m_statusDialog = nullptr;
    QPointer<cMyProgressDialog> m_progress;
    QPointer<cMyDeviceJob> m_job;
    QElapsedTimer m_progressShown;
    cMyAboutDialog *m_about = nullptr;
    cMyFileCommands *m_files = nullptr;
    cMyUndoHistory *m_history = nullptr;
    const QString m_version = versionText();
    QTimer *m_bootCheckTimer = nullptr;
    cMyPortSelect *m_portSelect = nullptr; // owned as a child; kept for the connections
    QMetaObject::Connection m_tabConnection;
    QAction *m_demoAction = nullptr;
    QAction *m_compareTamira = nullptr;
    cMyDemoDevice *m_demo = nullptr;
};

#endif
