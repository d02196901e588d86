#include "servicetool/mainwindow.h"
#include "ui_mainwindow.h"

#include "servicetool/cmycombobox.h"
#include "servicetool/cmydebuglog.h"
#include "servicetool/cmyhexfile.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmyportselect.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace servicetool {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_portSelect(new cMyPortSelect(this)),
      m_link(new cMyServiceLink(this)), m_hexFile(new cMyHexFile(this)), m_progress(new QProgressBar(this))
{
    ui->setupUi(this);
    auto *caption = new QLabel(QStringLiteral("&Urządzenie:"), this);
    caption->setBuddy(m_portSelect);
    caption->setContentsMargins(4, 0, 4, 0);
    ui->mainToolBar->addWidget(caption);
    ui->mainToolBar->addWidget(m_portSelect);
    buildMessageGrid();
    // The column of buttons on the left switches pages, which a screen reader says too.
    for (QPushButton *page : {ui->pbQuickSelect, ui->pbEdit, ui->pbLogs, ui->pbSimulation, ui->pbService})
        page->setAccessibleDescription(
            QStringLiteral("Otwiera stronę „%1”").arg(page->text().remove(QLatin1Char('&'))));

    // "Courier New" where it exists, another fixed-width face where it does not.
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    for (QPlainTextEdit *pane : {ui->pteHexFile, ui->pteHexFileGet, ui->pteDebug})
        pane->setFont(mono);
    m_debugLog = new cMyDebugLog(ui->pteDebug, this);
    m_fileFiller = new cMyPaneFiller(ui->pteHexFile, this);
    m_readBackFiller = new cMyPaneFiller(ui->pteHexFileGet, this);
    // Room around each button's text ("Szybki wybór", "Zapisz log..."), which a native style may
    // otherwise fit edge to edge.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setMinimumWidth(button->sizeHint().width() + button->fontMetrics().averageCharWidth());
    m_progress->setMaximumWidth(240);
    m_progress->hide();
    ui->statusBar->addPermanentWidget(m_progress);

    connect(m_portSelect, &cMyPortSelect::deviceConnected, this, &MainWindow::portChanged);
    connect(ui->actionOpenFile, &QAction::triggered, this, &MainWindow::openFile);
    connect(ui->actionSaveAsFile, &QAction::triggered, this, &MainWindow::saveAsFile);
    connect(m_link, &cMyServiceLink::exchanged, m_debugLog, &cMyDebugLog::append);
    connect(m_link, &cMyServiceLink::started, this, [this] { m_portSelect->setPolling(false); });
    connect(m_link, &cMyServiceLink::progress, this, &MainWindow::showProgress);
    connect(m_link, &cMyServiceLink::finished, this, &MainWindow::transactionFinished);
    // The first look need not wait for the first tick, and the chooser is sized by what it
    // shows when the window first appears.
    m_portSelect->updatePorts();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::portChanged(bool present, QString port)
{
    Q_UNUSED(present)
    m_link->setPortName(port);
}

// 24 numbered rows of two combo boxes, each knowing its place. A screen reader names each box
// by a hidden label it is the buddy of (Qt on Linux names a combo box so).
void MainWindow::buildMessageGrid()
{
    auto *grid = new QGridLayout(ui->messagesGrid);
    for (int row = 0; row < 24; ++row) {
        grid->addWidget(new QLabel(QString::number(row), ui->messagesGrid), row, 0);
        for (int column : {1, 3}) {
            auto *box = new cMyComboBox(row * 2 + column / 2, ui->messagesGrid);
            const QString name = QStringLiteral("Wiersz %1, lista %2").arg(row).arg(column / 2 + 1);
            box->setAccessibleName(name);
            auto *label = new QLabel(name, ui->messagesGrid);
            label->setBuddy(box);
            label->hide();
            grid->addWidget(box, row, column);
        }
    }
}

void MainWindow::on_pbQuickSelect_clicked()
{
    ui->stackedWidget->setCurrentIndex(0);
}

void MainWindow::on_pbEdit_clicked()
{
    ui->stackedWidget->setCurrentIndex(1);
}

void MainWindow::on_pbLogs_clicked()
{
    ui->stackedWidget->setCurrentIndex(2);
}

void MainWindow::on_pbSimulation_clicked()
{
    ui->stackedWidget->setCurrentIndex(3);
}

void MainWindow::on_pbService_clicked()
{
    ui->stackedWidget->setCurrentIndex(4);
}

} // namespace servicetool
