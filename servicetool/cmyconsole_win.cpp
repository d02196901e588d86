#include "servicetool/cmyconsole.h"

#include "base/parentconsole.h"

#include <fcntl.h>
#include <io.h>

namespace servicetool {

bool cMyConsole::isTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}

void cMyConsole::setBinary(std::FILE *stream)
{
    _setmode(_fileno(stream), _O_BINARY);
}

void cMyConsole::attachParentConsole()
{
    ::attachParentConsole();
}

} // namespace servicetool
