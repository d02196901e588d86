#include "base/parentconsole.h"

#include <qt_windows.h>

#include <cstdio>

namespace {

// A handle that was given to the program: a console, a file or a pipe.
bool isValid(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void attachParentConsole()
{
    const bool output = isValid(STD_OUTPUT_HANDLE);
    const bool error = isValid(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!output)
        std::freopen("CONOUT$", "w", stdout);
    if (!error)
        std::freopen("CONOUT$", "w", stderr);
}
