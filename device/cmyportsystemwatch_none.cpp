#include "device/cmyportsystemwatch.h"

// No notifications on this platform: the port monitor polls.
cMyPortSystemWatch *cMyPortSystemWatch::create(QObject *)
{
    return nullptr;
}
