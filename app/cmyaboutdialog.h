#ifndef APP_CMYABOUTDIALOG_H
#define APP_CMYABOUTDIALOG_H

// The About box: program icon, name, version, notice and authors.

#include <QDialog>

namespace Ui {
class cMyAboutDialog;
}

class cMyAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit cMyAboutDialog(QWidget *parent = nullptr);
    ~cMyAboutDialog() override;

    void setVersion(const QString &version);

protected:
    void changeEvent(QEvent *event) override;

private:
    QString m_version;
    Ui::cMyAboutDialog *ui;
};

#endif
