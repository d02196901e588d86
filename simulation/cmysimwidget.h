#ifndef CMYSIMWIDGET_H
#define CMYSIMWIDGET_H

// The simulation page of the main window. It keeps the chosen port name and tells the window
// when a simulated dive starts and ends; the dive simulation itself is not built yet, so the
// page says so.

#include <QString>
#include <QWidget>

class cMySimWidget : public QWidget
{
    Q_OBJECT

public:
    explicit cMySimWidget(QWidget *parent = nullptr);

    QString portName() const { return m_portName; }

signals:
    void simulationInProgress(bool state);

public slots:
    void setPortName(QString portName);

private:
    QString m_portName;
};

#endif
