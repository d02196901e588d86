#include "app/cmybootloaderwatch.h"

#include "base/cmydialogs.h"
#include "bootcheck/cmybootcheck.h"
#include "bootcheck/cmyusb.h"

#include <QWidget>

cMyBootloaderWatch::cMyBootloaderWatch(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("bootloaderWatch"));
}

void cMyBootloaderWatch::check()
{
    m_checked = true;
    run(true);
}

void cMyBootloaderWatch::look()
{
    if (!m_checked)
        return; // the start-up check sees them all
    if (m_running) {
        m_lookPending = true;
        return;
    }
    run(false);
}

void cMyBootloaderWatch::run(bool asking)
{
    cMyUsb *usb = cMyUsb::current();
    if (!usb)
        return;
    // Off the GUI thread: a transfer to a bootloader that does not answer blocks for 20 s.
    auto *check = new cMyBootCheck(*usb, m_window, this);
    m_running = check;
    connect(check, &cMyBootCheck::finished, this, [this, check] { finished(check); });
    if (asking)
        check->start();
    else
        check->startLook(m_seen);
}

void cMyBootloaderWatch::finished(cMyBootCheck *check)
{
    const BootCheck::Seen seen = check->seen();
    check->deleteLater();
    m_running = nullptr;
    const bool before = unreachable();
    const bool more = seen.unopened > m_seen.unopened;
    m_seen = seen;
    if (before != unreachable())
        emit unreachableChanged(unreachable());
    if (m_lookPending) {
        m_lookPending = false;
        run(false);
    }
    // Once for each one plugged in: the box has an event loop of its own, in which further
    // looks only update what was seen.
    if (more)
        cMyDialogs::current().message(m_window, cMyDialogs::Warning, tr("Tamira"),
                                      headline() + QStringLiteral("\n\n") + advice(), cMyDialogs::Ok, cMyDialogs::Ok);
}
