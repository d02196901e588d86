#ifndef SERVICETOOL_CMYCONSOLE_H
#define SERVICETOOL_CMYCONSOLE_H

// What the command line needs to know of the console it runs in, one source file per platform.

#include <cstdio>

namespace servicetool {

class cMyConsole
{
public:
    static bool isTerminal(std::FILE *stream);
    // Bytes go out as they are, with no line end translation.
    static void setBinary(std::FILE *stream);
    // A write past the file size limit fails (and is reported) rather than ending the program.
    static void ignoreFileSizeSignal();
};

} // namespace servicetool

#endif
