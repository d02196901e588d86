#include "app/cmyaboutdialog.h"
#include "ui_cmyaboutdialog.h"

cMyAboutDialog::cMyAboutDialog(QWidget *parent) : QDialog(parent), ui(new Ui::cMyAboutDialog)
{
    ui->setupUi(this);
    connect(ui->pbClose, &QPushButton::clicked, this, &QDialog::accept);
}

cMyAboutDialog::~cMyAboutDialog()
{
    delete ui;
}

void cMyAboutDialog::setVersion(const QString &version)
{
    m_version = version;
    ui->lVersion->setText(tr("Wersja: ") + version);
}

void cMyAboutDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setVersion(m_version);
    }
    QDialog::changeEvent(event);
}
