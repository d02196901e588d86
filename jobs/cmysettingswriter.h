#ifndef JOBS_CMYSETTINGSWRITER_H
#define JOBS_CMYSETTINGSWRITER_H

// Writing the settings to the device so that nothing is lost and nothing goes unnoticed: the
// device's serial number and current settings are read and saved as a backup file first, then
// the records are written, then read back and compared. A difference names the first address
// that differs.

#include "jobs/cmydevicejob.h"

#include <QStringList>
#include <QVector>

class cMySettingsWriter : public cMyDeviceJob
{
    Q_OBJECT

public:
    cMySettingsWriter(cMyTamira *link, QObject *dialogParent);

    // `records`: the settings block's data records and the end record. False when the link
    // refused the first step (the job has then finished).
    bool start(const QStringList &records);
    QString backupPath() const { return m_backupPath; }

protected:
    void stepCompleted() override;
    // A cancel in the write or verification says what the device holds now.
    QString cancelText(cMyLinkFailure::Reason stepEnd) const override;

private:
    enum Step { ReadSerial, ReadBackup, Write, Verify };

    void collect(MemoryType area, uint address, const QVector<quint8> &data);
    // A read step whose records go to collect.
    bool read(MemoryType area, const QStringList &requests, const QString &failureNote);
    void readBack(Step step, const QString &label, const QString &failureNote);
    void saveBackupAndWrite();
    void compare();
    // What a failure of the write, or of its verification, leaves behind, with the backup's name.
    QString writeNote() const;
    QString verifyNote() const;

    Step m_step = ReadSerial;
    QStringList m_records;
    QVector<quint8> m_expected; // what the records write
    QVector<bool> m_written;    // which bytes they write
    QVector<quint8> m_read;     // what the current read brought
    QVector<bool> m_readValid;
    int m_serial = -1;
    QString m_backupPath;
};

#endif
