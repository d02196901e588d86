#include "app/cmytamirastatus.h"
#include "ui_cmytamirastatus.h"

cMyTamiraStatus::cMyTamiraStatus(QWidget *parent)
    : QDialog(parent), ui(new Ui::cMyTamiraStatus)
{
    ui->setupUi(this);
    connect(ui->pbClose, &QPushButton::clicked, this, &QDialog::accept);
    setStatus(m_status);
}

cMyTamiraStatus::~cMyTamiraStatus()
{
    delete ui;
}

void cMyTamiraStatus::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setStatus(m_status);
    }
    QDialog::changeEvent(event);
}

void cMyTamiraStatus::setStatus(char newStatus)
{
    m_status = newStatus;
    // Through quint8, so that bit 7 reads the same where char is unsigned (ARM) as where it is
    // signed: the flags are a byte, not a number with a sign.
    const auto bit = [newStatus](int n) { return (quint8(newStatus) >> n) & 1; };
    ui->lSelfTest->setText(bit(0) ? tr("Tamira działa") : tr("Tamira nie działa"));
    // Hardware units are faulty; stored contents are in error.
    QLabel *const hardware[] = {ui->lPressureSensor, ui->lAudioCodec, ui->lFlashMemory};
    for (int n = 1; n <= 3; ++n)
        hardware[n - 1]->setText(bit(n) ? tr("Awaria") : tr("OK"));
    QLabel *const contents[] = {ui->lSetup, ui->lSoundLibrary, ui->lCustomMessages, ui->lFirmware};
    for (int n = 4; n <= 7; ++n)
        contents[n - 4]->setText(bit(n) ? tr("Błąd") : tr("OK"));
}
