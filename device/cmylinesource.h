#ifndef DEVICE_CMYLINESOURCE_H
#define DEVICE_CMYLINESOURCE_H

// Lines handed to the link one at a time while a transfer runs, so that a transfer of any length
// costs the memory of one line (a sound library is read from its file as it goes out).

#include <QByteArray>

class cMyLineSource
{
public:
    virtual ~cMyLineSource() = default;
    // The next line, without a line end; false at the end of the lines or when they cannot be
    // read any further (failed() tells which).
    virtual bool nextLine(QByteArray &line) = 0;
    virtual bool failed() const = 0;
};

#endif
