#ifndef SIMULATION_CMYSIMPROFILESAVER_H
#define SIMULATION_CMYSIMPROFILESAVER_H

// "Save profile...": asks where, never replaces a file without asking, and writes the CSV on a
// worker thread, so that a long run's profile does not freeze the window.

#include "simulation/cmysimprofiledata.h"

#include <QFutureWatcher>
#include <QObject>

class cMySimProfileSaver : public QObject
{
    Q_OBJECT

public:
    // `dialogParent`: the widget the dialogs belong to.
    explicit cMySimProfileSaver(QObject *dialogParent);
    // Waits for a write still going.
    ~cMySimProfileSaver() override;

    // From the start of a write until its result has been told.
    bool isSaving() const { return m_saving; }
    // Asks for the file and starts writing a copy of `data`.
    void save(const cMySimProfileData &data);

signals:
    void statusMessage(QString text);
    void savingChanged(bool saving);

private:
    void written();

    QObject *m_dialogParent;
    QString m_path;
    bool m_saving = false;
    QFutureWatcher<QString> m_watcher; // the reason of a failure; empty when written
};

#endif
