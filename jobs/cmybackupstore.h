#ifndef JOBS_CMYBACKUPSTORE_H
#define JOBS_CMYBACKUPSTORE_H

// The settings taken from a device before a write overwrites them, kept as settings files in the
// user's application data folder, named after the device's serial number and the time. Only the
// newest few of each device are kept.

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QVector>

class cMyBackupStore
{
    Q_DECLARE_TR_FUNCTIONS(cMyBackupStore)

public:
    static constexpr int kKeptPerDevice = 20;

    // <application data>/backups
    static QString folder();
    // Saves the 1024 settings bytes as "tamira-<serial>-<yyyy-MM-dd_HH-mm-ss>.tmo" (a suffix
    // "_2", "_3"... when that name is taken), then removes that device's backups written longest
    // ago beyond kKeptPerDevice, never the new one. Returns the file's path, or an empty string
    // with the reason in `error`.
    static QString save(quint16 serial, const QVector<quint8> &settings, const QDateTime &when, QString *error);
};

#endif
