#include "servicetool/cmyconsole.h"

#include <unistd.h>

void servicetool::attachParentConsole() {}

void servicetool::setBinaryOutput(std::FILE *) {}

bool servicetool::isTerminal(std::FILE *stream)
{
    return isatty(fileno(stream)) != 0;
}
