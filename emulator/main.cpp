// tamira-emulator: the stand-in for the Tamira device on a pseudo-terminal (see README.md).

#include "emulator/cmyemudevice.h"
#include "emulator/cmyemufaultplan.h"
#include "emulator/cmyemuoptions.h"
#include "emulator/cmyemupty.h"
#include "emulator/cmyemuserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    cMyEmuDevice device;
    cMyEmuFaultPlan faults;
    cMyEmuIoConfig io;
    cMyEmuOptions options(device, faults, io);

    QString error;
    if (!options.parseArguments(app.arguments().mid(1), &error)) {
        std::fprintf(stderr, "tamira-emulator: %s\n", qPrintable(error));
        return 2;
    }
    if (io.helpRequested) {
        std::fputs(qPrintable(cMyEmuOptions::helpText()), stdout);
        return 0;
    }
    if (io.parentPid > 0) {
        // A demo device must not outlive the program that started it, even one killed outright.
        // The signal is armed first: a parent that is already gone shows in getppid() then.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM, 0, 0, 0);
        if (::getppid() != pid_t(io.parentPid))
            return 0;
    }

    int logFd = -1;
    if (!io.logPath.isEmpty()) {
        logFd = ::open(QFile::encodeName(io.logPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC,
                       0644);
        if (logFd < 0) {
            std::fprintf(stderr, "tamira-emulator: cannot write the log %s\n", qPrintable(io.logPath));
            return 2;
        }
    }

    cMyEmuPty pty;
    if (!pty.open(&error)) {
        std::fprintf(stderr, "tamira-emulator: cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    // Wake-ups on time matter for the baud-rate emulation; the default 50 us slack would show.
    ::prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);

    std::printf("%s\n", qPrintable(pty.slavePath()));
    std::fflush(stdout);

    cMyEmuServer server(pty, device, faults, options, io, logFd);
    const int status = server.run();
    if (logFd >= 0)
        ::close(logFd);
    return status;
}
