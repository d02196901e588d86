#ifndef SERVICETOOL_CMYCONSOLE_H
#define SERVICETOOL_CMYCONSOLE_H

// What the command line needs to know of the console it runs in, one source file per platform.
// On Windows servicetool.exe is a GUI program, which the system starts without a console; its twin
// servicetool.com, the same program built for the console, is the one cmd.exe runs for
// "servicetool" (a .com comes before an .exe), so that cmd.exe waits for it and %ERRORLEVEL% is
// its exit status.

#include <cstdio>

namespace servicetool {

class cMyConsole
{
public:
    static bool isTerminal(std::FILE *stream);
    // Bytes go out as they are, with no line end translation.
    static void setBinary(std::FILE *stream);
    // Standard output and error that go nowhere (a GUI program started from a console) are sent
    // to the console of the program that started this one; output redirected to a file or a pipe
    // stays where it was sent. Nothing to do on Unix or for the console build.
    static void attachParentConsole();
};

} // namespace servicetool

#endif
