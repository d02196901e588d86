#ifndef EMULATOR_CMYEMULOCALDEVICE_H
#define EMULATOR_CMYEMULOCALDEVICE_H

// The emulated device inside a program instead of on a pseudo-terminal: the device logic behind a
// port name claimed through cMyLocalPort (the demo device where the system has no
// pseudo-terminals). Configured with the emulator's own options (--baud, --serial, ...; --log
// writes the emulator's wire log, received lines and replies). The faults of the option table
// are not played here.

#include "device/cmylocalport.h"
#include "emulator/cmyemudevice.h"
#include "emulator/cmyemufaultplan.h"
#include "emulator/cmyemulineassembler.h"
#include "emulator/cmyemuoptions.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

class cMyEmuLocalDevice : public cMyLocalDevice
{
public:
    cMyEmuLocalDevice();

    // The emulator's command-line options; false with the reason on the first bad one.
    bool configure(const QStringList &arguments, QString *error);

    QByteArray receive(const QByteArray &bytes) override;
    int baud() const override { return m_io.baud; }

private:
    void log(const QByteArray &entry);
    double seconds() const { return double(m_clock.nsecsElapsed()) / 1e9; }

    cMyEmuDevice m_device;
    cMyEmuFaultPlan m_faults;
    cMyEmuIoConfig m_io;
    cMyEmuLineAssembler m_lines{cMyEmuDevice::kMaxLineBytes};
    QElapsedTimer m_clock;
    QFile m_log;
    qint64 m_lineNumber = 0;
};

#endif
