// Test aid for running Windows programs under Wine against the emulator (scripts/test-windows.sh),
// loaded into Wine with LD_PRELOAD; it plays no part in any program. A pseudo-terminal has no modem
// lines: the TIOCMGET that Wine's serial code asks for the modem status fails on it, and Wine
// then ends every wait for a serial event (WaitCommEvent) at once as cancelled, which a real COM
// port never does. Here a pseudo-terminal answers as a port with a cable attached (DSR, CTS and
// DCD on) and takes the DTR and RTS changes; every other call goes to the system unchanged.

#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    using Ioctl = int (*)(int, unsigned long, ...);
    static const Ioctl system = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);
    const int result = system(fd, request, argument);
    if (result == -1 && (errno == ENOTTY || errno == EINVAL) && isatty(fd)) {
        if (request == TIOCMGET) {
            *static_cast<int *>(argument) = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;
            return 0;
        }
        if (request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC)
            return 0;
    }
    return result;
}
