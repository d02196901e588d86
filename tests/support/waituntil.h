#ifndef TESTS_SUPPORT_WAITUNTIL_H
#define TESTS_SUPPORT_WAITUNTIL_H

// Runs the event loop until a condition holds or the time is up. QTRY_* and QTest::qWaitFor
// sleep between their looks, and a transfer of a hundred exchanges, each waiting for the event
// loop, then takes seconds instead of milliseconds.

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 30000)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    return done();
}

#endif
