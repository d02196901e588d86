#ifndef APP_CMYSTOPSIGNALS_H
#define APP_CMYSTOPSIGNALS_H

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a closed terminal, a script's clean-up) into a
// request to end the event loop, so that the program winds down as if its window had been
// closed, taking a demo device's emulator with it. A signal ignored when the program started
// stays ignored, as for a background job. Outside Unix the platform file may do nothing.

#include <QObject>

class QSocketNotifier;

class cMyStopSignals : public QObject
{
    Q_OBJECT

public:
    explicit cMyStopSignals(QObject *parent = nullptr);
    ~cMyStopSignals() override;

signals:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};

#endif
