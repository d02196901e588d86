#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyaboutdialog.h"
#include "app/cmyfilecommands.h"
#include "app/cmyportselect.h"
#include "app/cmytamirastatus.h"
#include "app/cmytranslatedtext.h"
#include "app/cmywindowfit.h"
#include "base/cmydialogs.h"
#include "device/cmytamira.h"
#include "jobs/cmyfailurereporter.h"
#include "model/cmymemoryarea.h"
#include "model/settingstext.h"
#include "simulation/cmysimwidget.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QSignalMapper>
#include <QTimer>
#include <QUrl>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // One way of writing numbers for every field, label and plot axis, whatever the system's
    // locale; set before the pages exist, so that each of them takes it.
    QLocale::setDefault(SettingsText::numberLocale());
    setLocale(SettingsText::numberLocale());
    ui->setupUi(this);
    resetOverviewLabels();
    insertPortChooser();
    insertRestoreBackupAction();
    setupComparison();
    ui->tabWidget->removeTab(4);
    ui->tabWidget->setCurrentIndex(0);

    setupSettingsForm();

    m_link = new cMyTamira(this);
    m_reporter = new cMyFailureReporter(m_link, this);

    m_statusDialog = new cMyTamiraStatus(this);

    m_about = new cMyAboutDialog(this);
    m_about->setVersion(m_version);

    qRegisterMetaType<QVector<QString>>("QVector<QString>");
    qRegisterMetaType<MemoryType>("MemoryType");

    makeConnections();
    setupFileCommands();
    setupEditHistory();
    setupDeviceStatus();

    updateTitle();
    m_files->loadTemplate();

    m_bootCheckTimer = new QTimer(this);
    m_bootCheckTimer->setSingleShot(true);
    m_bootCheckTimer->start(2000);
    connect(ui->simWidget, &cMySimWidget::simulationInProgress, this, &MainWindow::simulationInProgress);
    connect(m_bootCheckTimer, &QTimer::timeout, this, &MainWindow::checkBootDevices);
    // Why a simulation failed goes to the status bar: the page itself shows no box.
    connect(ui->simWidget, &cMySimWidget::statusMessage, this,
            [this](const QString &text) { ui->statusBar->showMessage(text); });
    setupDemo();
    setupLanguage();
    setupView();
    new cMyWindowFit(this);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::insertPortChooser()
{
    m_portSelect = new cMyPortSelect(this);
    auto *caption = new QLabel(this);
    caption->setObjectName(QStringLiteral("lPortSelect"));
    TranslatedText::set(caption, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "&Urządzenie:"));
    caption->setBuddy(m_portSelect);
    caption->setContentsMargins(4, 0, 4, 0);
    ui->mainToolBar->insertWidget(ui->actionExit, caption);
    ui->mainToolBar->insertWidget(ui->actionExit, m_portSelect);
    ui->mainToolBar->insertSeparator(ui->actionExit);
}

void MainWindow::makeConnections()
{
    connect(m_portSelect, &QComboBox::currentTextChanged, m_link, &cMyTamira::setPort);
    connect(m_portSelect, &QComboBox::currentTextChanged, ui->simWidget, &cMySimWidget::setPortName);
    connect(m_portSelect, &QComboBox::currentTextChanged, this, &MainWindow::portChanged);
    connect(m_portSelect, &cMyPortSelect::bootMode, this, &MainWindow::tamiraInBootMode);
    connect(ui->actionWriteSettings, &QAction::triggered, this, &MainWindow::writeSettingsToTamira);
    connect(ui->actionReadSettings, &QAction::triggered, this, &MainWindow::readSettingsFromTamira);
    m_tabConnection = connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tabWidgetChanged);
    connect(ui->pbGetStatus, &QPushButton::clicked, m_link, &cMyTamira::readStatus);
    connect(ui->pbDetails, &QPushButton::clicked, this, &MainWindow::showTamiraStatus);
    connect(m_link, &cMyTamira::statusChanged, this, &MainWindow::newStatusRead);

    // The settings pages are built the first time one of them is needed (see
    // ensureSettingsForm), which keeps the start-up fast.
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, [this](int index) {
        QWidget *page = ui->tabWidget->widget(index);
        if (page == ui->tabTimery || page == ui->tabKomunikaty)
            ensureSettingsForm();
    });

    auto *openMapper = new QSignalMapper(this);
    connect(ui->actionNew, &QAction::triggered, openMapper, qOverload<>(&QSignalMapper::map));
    connect(ui->actionOpen, &QAction::triggered, openMapper, qOverload<>(&QSignalMapper::map));
    openMapper->setMapping(ui->actionNew, QStringLiteral("NewFile"));
    openMapper->setMapping(ui->actionOpen, QStringLiteral("OpenFile"));
    connect(openMapper, &QSignalMapper::mappedString, this, &MainWindow::openFileDialog);

    auto *saveMapper = new QSignalMapper(this);
    connect(ui->actionSave, &QAction::triggered, saveMapper, qOverload<>(&QSignalMapper::map));
    connect(ui->actionSaveAs, &QAction::triggered, saveMapper, qOverload<>(&QSignalMapper::map));
    saveMapper->setMapping(ui->actionSave, QStringLiteral("Save"));
    saveMapper->setMapping(ui->actionSaveAs, QStringLiteral("SaveAs"));
    connect(saveMapper, &QSignalMapper::mappedString, this, &MainWindow::saveFileDialog);

    connect(ui->actionExit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::updateTitle()
{
    QString title = QStringLiteral("TAMIRAdesk v") + m_version;
    const QString canonical = currentFile().canonicalFilePath();
    if (!canonical.isEmpty())
        title += QStringLiteral(" --- ") + canonical;
    // Qt shows "*" there while the document has unsaved changes.
    title += QStringLiteral("[*]");
    if (demoAttached())
        title += tr(" - podłączona Tamira demonstracyjna");
    setWindowTitle(title);
}

void MainWindow::setDeviceCommandsEnabled(bool enabled)
{
    const QList<QAction *> actions = {ui->actionReadSettings,  ui->actionWriteSettings, ui->actionReset,
                                      ui->actionClearStats,    ui->actionPowerOff,      ui->actionFirmwareUpdate,
                                      ui->actionLibraryUpdate, m_compareTamira};
    for (QAction *action : actions)
        action->setEnabled(enabled);
    updateComparisons();
    ui->pbGetStatus->setEnabled(enabled);
    ui->pbDetails->setEnabled(enabled);
    ui->simWidget->setEnabled(enabled);
}

void MainWindow::resetOverviewLabels()
{
    for (QLabel *label : {ui->lmaxDepth, ui->lDiveTime, ui->lTamiraPort, ui->lSerialNumber, ui->lHardwareVesrion,
                          ui->lMemoryAmount, ui->lTamiraStatus, ui->lFirmwareVersion, ui->lVoiceLang, ui->lVoiceVersion,
                          ui->lParamVersion, ui->lParamAutor, ui->lParamTytul})
        TranslatedText::set(label, "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "N/D"));
    ui->pteParamDesc->clear();
}

void MainWindow::portChanged(QString newPort)
{
    setDeviceCommandsEnabled(!newPort.isEmpty());
    if (newPort.isEmpty())
        resetOverviewLabels();
    else
        ui->lTamiraPort->setText(newPort);
    updateTitle();
}

void MainWindow::tamiraInBootMode()
{
    // Always in Polish: the catalogue does not cover this text.
    const QString indent = QStringLiteral("\n                           ");
    const QString text =
        QStringLiteral("Tamira znajduje się w trybie serwisowym.") + indent
        + QStringLiteral("Kontynuacja możliwa tylko z poziomu zewnętrznego oprogramowania FLIP firmy ATMEL.") + indent
        + QStringLiteral("Wyjście z trybu serwisowego za pomocą [Start Application] (na formularzu FLIP).") + indent
        + QStringLiteral("Dalsze informacje w pliku Pomocy");
    cMyDialogs::current().critical(this, tr("Błąd"), text);
}

void MainWindow::tabWidgetChanged(int index)
{
    if (index == 0)
        m_link->readStatus();
}

void MainWindow::simulationInProgress(bool state)
{
    ui->menuBar->setEnabled(!state);
    ui->mainToolBar->setEnabled(!state);
    ui->tabStart->setEnabled(!state);
    ui->tabTimery->setEnabled(!state);
    ui->tabKomunikaty->setEnabled(!state);
    updateComparisons();
    if (state)
        ui->statusBar->clearMessage();
    m_link->setPortLent(state);
    // Page changes must not start status reads while the simulation owns the serial port;
    // exactly one connection exists whenever no simulation runs.
    disconnect(m_tabConnection);
    m_tabConnection = QMetaObject::Connection();
    if (!state)
        m_tabConnection = connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::tabWidgetChanged);
}

void MainWindow::on_actionPomoc_triggered()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/TAMIRAdeskHELP.pdf");
    const QString shown = QDir::toNativeSeparators(path);
    // Silence here would leave the user wondering whether Help did anything at all.
    if (!QFileInfo::exists(path))
        cMyDialogs::current().message(this, cMyDialogs::Warning, tr("Pomoc"),
                                      tr("Brak pliku pomocy. Powinien być tutaj:\n%1").arg(shown), cMyDialogs::Ok);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        cMyDialogs::current().message(this, cMyDialogs::Information, tr("Pomoc"),
                                      tr("Żaden program nie otworzył pliku pomocy. Plik jest tutaj:\n%1").arg(shown),
                                      cMyDialogs::Ok);
}

void MainWindow::on_actionAbout_triggered()
{
    m_about->exec();
}
