#include "servicetool/cmyconsole.h"

#include <unistd.h>

namespace servicetool {

bool cMyConsole::isTerminal(std::FILE *stream)
{
    return isatty(fileno(stream)) != 0;
}

void cMyConsole::setBinary(std::FILE *) {}

void cMyConsole::attachParentConsole() {}

} // namespace servicetool
