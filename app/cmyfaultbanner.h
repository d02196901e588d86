#ifndef APP_CMYFAULTBANNER_H
#define APP_CMYFAULTBANNER_H

// The overview's warning when the device's self-test reports a fault: what failed, and that
// the device must not be used for diving until it has been serviced. Hidden while the device
// reports no fault, and when no device has reported anything.

#include <QFrame>

class QLabel;

class cMyFaultBanner : public QFrame
{
    Q_OBJECT

public:
    explicit cMyFaultBanner(QWidget *parent = nullptr);

    QString text() const;

public slots:
    void showFlags(quint8 flags);
    void clear();

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_icon;
    QLabel *m_text;
    quint8 m_flags = 0; // those shown, for a change of language
};

#endif
