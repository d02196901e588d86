#include "base/cmystopsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler may only write to a pipe; the event loop reads the other end.
int g_pipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

bool openPipe()
{
    if (::pipe(g_pipe) != 0)
        return false;
    for (int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void onSignal(int signalNumber)
{
    const char byte = char(signalNumber);
    const ssize_t written = ::write(g_pipe[1], &byte, 1);
    (void)written; // a full pipe already holds a request
}

} // namespace

cMyStopSignals::cMyStopSignals(QObject *parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || !openPipe())
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &cMyStopSignals::readSignal);
    for (int signalNumber : kSignals) {
        struct sigaction old = {};
        ::sigaction(signalNumber, nullptr, &old);
        if (old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

cMyStopSignals::~cMyStopSignals()
{
    if (!m_notifier)
        return;
    for (int signalNumber : kSignals) {
        struct sigaction current = {};
        ::sigaction(signalNumber, nullptr, &current);
        if (current.sa_handler == onSignal)
            ::signal(signalNumber, SIG_DFL);
    }
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void cMyStopSignals::readSignal()
{
    char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit stopRequested(int(byte));
}

void cMyStopSignals::endBy(int signalNumber)
{
    ::signal(signalNumber, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signalNumber);
}
