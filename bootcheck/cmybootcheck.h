#ifndef BOOTCHECK_CMYBOOTCHECK_H
#define BOOTCHECK_CMYBOOTCHECK_H

// Runs the start-up bootloader check on a thread of its own: its USB transfers may block for
// up to 20 s each, and the window must go on repainting meanwhile. The question for each
// bootloader is asked on the thread this object lives in (the GUI thread); the check waits for
// the answer.

#include "base/cmydialogs.h"
#include "bootcheck/bootcheck.h"

#include <QObject>
#include <QPointer>
#include <memory>

class cMyUsb;

class cMyBootCheck : public QObject
{
    Q_OBJECT

public:
    // usb must outlive the check; the question boxes are parented to dialogParent.
    cMyBootCheck(cMyUsb &usb, QObject *dialogParent, QObject *parent = nullptr);
    // A check still running is abandoned: it asks nothing more (as if the user said No) and
    // ends by itself once its USB call returns.
    ~cMyBootCheck() override;

    // The start-up check: asks about each bootloader that opens.
    void start();
    // A look after the machine's devices changed (BootCheck::look): asks nothing.
    void startLook(const BootCheck::Seen &before);
    bool isRunning() const { return m_running; }
    // What the last check or look saw, once it has finished.
    BootCheck::Seen seen() const { return m_seen; }

signals:
    void finished();

private:
    void run(const std::function<BootCheck::Seen()> &walk);

    struct Shared;
    cMyUsb &m_usb;
    QPointer<QObject> m_dialogParent;
    std::shared_ptr<Shared> m_shared;
    bool m_running = false;
    BootCheck::Seen m_seen;
};

#endif
