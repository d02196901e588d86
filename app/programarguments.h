#ifndef APP_PROGRAMARGUMENTS_H
#define APP_PROGRAMARGUMENTS_H

// The program's arguments without its name, as text, one source file per platform: Unix passes
// them as UTF-8 bytes; Windows hands main() the ANSI code page's bytes, so a file name outside it
// ("Łódź.tmo" on an English system) is taken from the system's own Unicode command line once the
// application object exists.

#include <QStringList>

QStringList programArguments(int argc, char *argv[]);

#endif
