#ifndef APP_CMYPROGRESSDIALOG_H
#define APP_CMYPROGRESSDIALOG_H

// The progress dialog of a transfer. The user's cancel (the button, Escape, closing the dialog)
// can be made to ask first; the transfer is broken off only on cancelConfirmed(). Closing it
// from the program (dismiss) is no cancel at all.

#include <QProgressDialog>

#include <functional>

class cMyProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    cMyProgressDialog(const QString &label, const QString &cancelText, int minimum, int maximum, QWidget *parent);

    // The dialog and its bar are named after the transfer, for screen readers too.
    void setTransferName(const QString &name);
    // `value` of `maximum` steps, shown (and told to screen readers) as a percentage; a maximum
    // of 0 shows that the transfer is busy.
    void setProgress(int value, int maximum);

    // Asked when the user cancels; false keeps the transfer and the dialog going.
    void setCancelCheck(std::function<bool()> check) { m_check = std::move(check); }
    void dismiss();

signals:
    void cancelConfirmed();

public slots:
    // Escape where the dialog's own shortcut does not take it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void userCancel();

    std::function<bool()> m_check;
    bool m_dismissing = false;
    bool m_asking = false;
};

#endif
