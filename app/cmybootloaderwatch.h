#ifndef APP_CMYBOOTLOADERWATCH_H
#define APP_CMYBOOTLOADERWATCH_H

// The window's side of the bootloader check: runs it once at start-up, then looks again whenever
// the machine's devices change, and says so when a Tamira in its bootloader is there but cannot
// be reached (no driver on Windows, no permission on Linux): a box once each time one is plugged
// in, and the overview's no-device panel for as long as it stays.

#include "bootcheck/bootcheck.h"

#include <QObject>
#include <QPointer>

class QWidget;
class cMyBootCheck;

class cMyBootloaderWatch : public QObject
{
    Q_OBJECT

public:
    // The boxes are parented to window, which also owns this object.
    explicit cMyBootloaderWatch(QWidget *window);

    // The start-up check (asks about each bootloader that opens).
    void check();
    // A look after the devices changed; one that comes while a check runs follows it.
    void look();
    bool unreachable() const { return m_seen.unopened > 0; }

    // What the user reads about an unreachable bootloader, per platform.
    static QString headline();
    static QString advice();

signals:
    void unreachableChanged(bool unreachable);

private:
    void run(bool asking);
    void finished(cMyBootCheck *check);

    QWidget *m_window;
    QPointer<cMyBootCheck> m_running;
    BootCheck::Seen m_seen;
    bool m_checked = false;     // the start-up check has run: looks may follow
    bool m_lookPending = false; // the devices changed while a check ran
};

#endif
