#ifndef APP_CMYNODEVICEPANEL_H
#define APP_CMYNODEVICEPANEL_H

// Shown on the overview while no Tamira is attached: how to attach one, and a button that
// starts the demo device for trying the program without one. Where a Tamira is plugged in but
// sits in its bootloader out of the program's reach, it names that and says what to do instead.

#include <QGroupBox>

class QLabel;
class QPushButton;

class cMyNoDevicePanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit cMyNoDevicePanel(QWidget *parent = nullptr);

    void setBootloaderUnreachable(bool unreachable);

signals:
    void demoRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_text;
    QPushButton *m_demo;
    bool m_bootloader = false;
};

#endif
