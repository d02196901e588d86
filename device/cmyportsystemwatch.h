#ifndef DEVICE_CMYPORTSYSTEMWATCH_H
#define DEVICE_CMYPORTSYSTEMWATCH_H

// What the operating system itself says about serial devices coming and going. Each platform has
// its own source file, chosen by CMake (udev on Linux, the window system's device notifications
// on Windows); where a platform has none, create() returns nullptr and the port monitor relies on
// its poll.

#include <QObject>

class cMyPortSystemWatch : public QObject
{
    Q_OBJECT

public:
    static cMyPortSystemWatch *create(QObject *parent);

signals:
    // A serial device may have come or gone; the monitor coalesces bursts.
    void changed();

protected:
    using QObject::QObject;
};

#endif
