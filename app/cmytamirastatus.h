#ifndef APP_CMYTAMIRASTATUS_H
#define APP_CMYTAMIRASTATUS_H

// The device status dialog: the device's self-test flags explained one unit per row, each failed
// unit marked in colour and with an icon.

#include <QDialog>

class QLabel;

namespace Ui {
class cMyTamiraStatus;
}

class cMyTamiraStatus : public QDialog
{
    Q_OBJECT

public:
    explicit cMyTamiraStatus(QWidget *parent = nullptr);
    ~cMyTamiraStatus() override;

    char status() const { return m_status; }

public slots:
    void setStatus(char newStatus);

protected:
    void changeEvent(QEvent *event) override;

private:
    // `known`: a status has come; before that nothing is marked as failed.
    void showFlags(char flags, bool known);

    Ui::cMyTamiraStatus *ui;
    char m_status = 0;    // the flag byte as received; read bit by bit through quint8
    bool m_known = false; // a status has come
};

#endif
