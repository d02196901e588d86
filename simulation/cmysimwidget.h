#ifndef SIMULATION_CMYSIMWIDGET_H
#define SIMULATION_CMYSIMWIDGET_H

// The simulation page of the main window: the user starts and stops a simulated dive, steers the
// vertical speed, and watches what the device computes from the simulated pressure, with the
// dive drawn as a profile. Each run gets a worker on a thread of its own.

#include "simulation/cmysimworker.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class QThread;
class cMySimProfileSaver;
class cMySimStartGuard;
class cMyTamira;

namespace Ui {
class cMySimWidget;
}

class cMySimWidget : public QWidget
{
    Q_OBJECT

public:
    // How long closing the page waits for a running dive to stop in order.
    static constexpr int kStopWaitMs = 4000;

    explicit cMySimWidget(QWidget *parent = nullptr);
    // Stops a run still going and waits (at most kStopWaitMs) for the device to be put back.
    ~cMySimWidget() override;

    QString portName() const { return m_portName; }
    // From START (also while it waits for the port) until the run has ended.
    bool isRunning() const { return m_running; }
    bool isWaitingForPort() const;
    // The window's link to the device: a run waits until what it does on the port has ended.
    void setDeviceLink(cMyTamira *link);
    // From the device's latest status: a run ends by clearing these figures.
    void setDeviceStatistics(const QString &serial, const QString &maxDepth, const QString &diveTime);
    // What each new worker is given; tests pass an exact clock and a short reply wait.
    void setWorkerTiming(cMySimWorker::Clock clock, int replyTimeoutMs);

signals:
    void startSimulation(QString portName, double speed);
    void stopSimulation();
    void simSpeedChanged(int newSpeed);
    void simulationInProgress(bool state);
    // A line for the window's status bar: why a run failed, or where a profile went.
    void statusMessage(QString text);

public slots:
    void setPortName(QString portName);
    void updateSimValues(QVector<QString> v);
    void simFinished(bool status);

private slots:
    void on_pbStartSim_clicked();
    void on_pbStopSim_clicked();
    void on_simSlider_valueChanged(int value);
    void on_pbSub1_clicked();
    void on_pbSub01_clicked();
    void on_pbSub001_clicked();
    void on_pbSet0_clicked();
    void on_pbAdd001_clicked();
    void on_pbAdd01_clicked();
    void on_pbAdd1_clicked();
    void on_pbSaveProfile_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setRunControlsEnabled(bool running);
    void launch();
    void stepSpeed(int delta);
    void workerFailed(int reason, const QString &detail);

    Ui::cMySimWidget *ui = nullptr;
    // Neither is owned: both delete themselves after the run. The worker goes on its own
    // thread, hence the guard rather than a plain pointer.
    QPointer<QThread> thread;
    QPointer<cMySimWorker> worker;
    QString m_portName;
    bool m_running = false;
    QElapsedTimer m_runClock;
    cMySimWorker::Clock m_workerClock;
    int m_replyTimeoutMs = cMySimWorker::kReplyTimeoutMs;
    cMySimStartGuard *m_guard = nullptr;
    cMySimProfileSaver *m_saver = nullptr;
};

#endif
