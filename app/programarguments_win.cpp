#include "app/programarguments.h"

#include <QCoreApplication>

QStringList programArguments(int argc, char *argv[])
{
    // Qt reads the Unicode command line of the process (without the options it took for itself).
    if (QCoreApplication::instance())
        return QCoreApplication::arguments().mid(1);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
