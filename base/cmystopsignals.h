#ifndef BASE_CMYSTOPSIGNALS_H
#define BASE_CMYSTOPSIGNALS_H

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a closed terminal, a script's clean-up) into a
// request handled by the event loop, for as long as the object lives: TAMIRAdesk winds down as if
// its window had been closed (keeping a copy of unsaved work), servicetool's command line ends
// its transfer and says how far it got. A signal ignored when the program started stays ignored,
// as for a background job. Outside Unix the platform file does nothing.

#include <QObject>

class QSocketNotifier;

class cMyStopSignals : public QObject
{
    Q_OBJECT

public:
    explicit cMyStopSignals(QObject *parent = nullptr);
    ~cMyStopSignals() override;

    // Ends the process by the signal itself (its default action), so that the program's parent
    // sees it stopped by that signal. Returns only where there are no such signals.
    static void endBy(int signalNumber);

signals:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};

#endif
