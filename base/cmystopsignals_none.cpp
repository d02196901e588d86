#include "base/cmystopsignals.h"

// No stop signals on this platform: the program ends through its window.
cMyStopSignals::cMyStopSignals(QObject *parent) : QObject(parent) {}
cMyStopSignals::~cMyStopSignals() = default;
void cMyStopSignals::readSignal() {}
void cMyStopSignals::endBy(int) {}
