#include "base/parentconsole.h"

#include <QString>

// Programs started from a terminal elsewhere write to it already.
void attachParentConsole() {}

void printText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
