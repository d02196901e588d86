#ifndef BASE_PARENTCONSOLE_H
#define BASE_PARENTCONSOLE_H

// A Windows GUI program is started without a console, so what it prints for --help or to report
// a command-line failure would go nowhere. This sends standard output and error that have no
// valid handle to the console of the program that started it (cmd.exe, PowerShell); output
// redirected to a file or a pipe stays where it was sent. Nothing to do elsewhere.
void attachParentConsole();

#include <cstdio>

class QString;
// Writes `text` to `stream`: UTF-8 bytes into a file or a pipe, and on Windows the characters
// themselves into a console, whatever its code page (a degree sign, a Polish letter).
void printText(std::FILE *stream, const QString &text);

#endif
