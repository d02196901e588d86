#ifndef JOBS_CMYSETTINGSREADER_H
#define JOBS_CMYSETTINGSREADER_H

// Reads the device's settings block into an image of its own, for a look at what the device
// holds (a comparison with the form): the document, its file and its modified flag stay as they
// are. A read that brings less than the whole block fails.

#include "jobs/cmydevicejob.h"

#include <QVector>

class cMySettingsReader : public cMyDeviceJob
{
    Q_OBJECT

public:
    cMySettingsReader(cMyTamira *link, QObject *dialogParent);

    // False when the link refused the read (the job has then finished).
    bool start();
    // The 1024 bytes the device holds, once the job has completed.
    QVector<quint8> settings() const { return m_read; }

protected:
    void stepCompleted() override;

private:
    void collect(MemoryType area, uint address, const QVector<quint8> &data);

    QVector<quint8> m_read;
    QVector<bool> m_valid;
};

#endif
