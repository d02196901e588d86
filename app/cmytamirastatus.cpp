#include "app/cmytamirastatus.h"
#include "ui_cmytamirastatus.h"

#include "app/cmycaptionedvalues.h"
#include "app/cmyselftest.h"

cMyTamiraStatus::cMyTamiraStatus(QWidget *parent) : QDialog(parent), ui(new Ui::cMyTamiraStatus)
{
    ui->setupUi(this);
    connect(ui->pbClose, &QPushButton::clicked, this, &QDialog::accept);
    // A failed row shows a mark beside its value; nothing until a status has come.
    for (int row = 0; row < cMySelfTest::kRows; ++row) {
        auto *mark = new QLabel(this);
        mark->setObjectName(QStringLiteral("lFaultMark%1").arg(row));
        mark->setPixmap(cMySelfTest::faultIcon(16, devicePixelRatioF()));
        mark->setVisible(false);
        ui->gridSelfTest->addWidget(mark, row, 2);
        // A screen reader meets the mark right after its row's value, not after the last row.
        QLabel *value = qobject_cast<QLabel *>(ui->gridSelfTest->itemAtPosition(row, 1)->widget());
        const QObjectList &siblings = mark->parentWidget()->children();
        if (auto *next = qobject_cast<QWidget *>(siblings.value(siblings.indexOf(value) + 1)))
            mark->stackUnder(next);
    }
    CaptionedValues::name(this);
    showFlags(m_status, false);
}

cMyTamiraStatus::~cMyTamiraStatus()
{
    delete ui;
}

void cMyTamiraStatus::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showFlags(m_status, m_known);
    }
    QDialog::changeEvent(event);
}

void cMyTamiraStatus::setStatus(char newStatus)
{
    m_status = newStatus;
    m_known = true;
    showFlags(newStatus, true);
}

void cMyTamiraStatus::showFlags(char flags, bool known)
{
    // Through quint8, so that bit 7 reads the same where char is unsigned (ARM) as where it is
    // signed: the flags are a byte, not a number with a sign.
    const quint8 bits = quint8(flags);
    const auto bit = [bits](int n) { return (bits >> n) & 1; };
    ui->lSelfTest->setText(bit(0) ? tr("Tamira działa") : tr("Tamira nie działa"));
    // Hardware units are faulty; stored contents are in error.
    QLabel *const hardware[] = {ui->lPressureSensor, ui->lAudioCodec, ui->lFlashMemory};
    for (int n = 1; n <= 3; ++n)
        hardware[n - 1]->setText(bit(n) ? tr("Awaria") : tr("OK"));
    QLabel *const contents[] = {ui->lSetup, ui->lSoundLibrary, ui->lCustomMessages, ui->lFirmware};
    for (int n = 4; n <= 7; ++n)
        contents[n - 4]->setText(bit(n) ? tr("Błąd") : tr("OK"));

    QLabel *const values[] = {ui->lSelfTest, ui->lPressureSensor, ui->lAudioCodec,     ui->lFlashMemory,
                              ui->lSetup,    ui->lSoundLibrary,   ui->lCustomMessages, ui->lFirmware};
    const QString faultStyle = QStringLiteral("color: %1; font-weight: bold;").arg(cMySelfTest::faultColour().name());
    for (int row = 0; row < cMySelfTest::kRows; ++row) {
        const bool failed = known && cMySelfTest::rowFailed(bits, row);
        values[row]->setStyleSheet(failed ? faultStyle : QString());
        CaptionedValues::setNote(values[row], failed ? tr("usterka") : QString());
        auto *mark = findChild<QLabel *>(QStringLiteral("lFaultMark%1").arg(row));
        mark->setToolTip(tr("Usterka"));
        mark->setAccessibleName(tr("Usterka"));
        mark->setVisible(failed);
    }
}
