#include "app/cmyprogressdialog.h"

#include <QCloseEvent>
#include <QPointer>
#include <QProgressBar>

cMyProgressDialog::cMyProgressDialog(const QString &label, const QString &cancelText, int minimum, int maximum,
                                     QWidget *parent)
    : QProgressDialog(label, cancelText, minimum, maximum, parent)
{
    // The button and Escape reach canceled(); the dialog would hide itself at once on it.
    disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
    connect(this, &QProgressDialog::canceled, this, &cMyProgressDialog::userCancel);
}

void cMyProgressDialog::setTransferName(const QString &name)
{
    setWindowTitle(name);
    if (auto *bar = findChild<QProgressBar *>())
        bar->setAccessibleName(name);
}

void cMyProgressDialog::setProgress(int value, int maximum)
{
    if (maximum <= 0) {
        setRange(0, 0);
        return;
    }
    if (this->maximum() != 100)
        setRange(0, 100);
    // Whole per cent, rounded down: 100 % (which closes the dialog) only at the end.
    setValue(int(qint64(qBound(0, value, maximum)) * 100 / maximum));
}

void cMyProgressDialog::dismiss()
{
    m_dismissing = true;
    close();
    m_dismissing = false;
}

void cMyProgressDialog::closeEvent(QCloseEvent *event)
{
    if (m_dismissing) {
        // QProgressDialog's own close reports a cancel; a dismissal is none.
        QDialog::closeEvent(event); // NOLINT(bugprone-parent-virtual-call)
        return;
    }
    event->ignore();
    userCancel();
}

void cMyProgressDialog::reject()
{
    // QDialog's close handling rejects too; a dismissal is no cancel.
    if (m_dismissing)
        QProgressDialog::reject();
    else
        userCancel();
}

void cMyProgressDialog::userCancel()
{
    if (m_asking)
        return;
    m_asking = true;
    const QPointer<cMyProgressDialog> self(this);
    const bool go = !m_check || m_check();
    if (!self)
        return;
    m_asking = false;
    if (!go)
        return;
    cancel();
    emit cancelConfirmed();
}
