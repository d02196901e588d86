#ifndef JOBS_CMYLIBRARYUPLOAD_H
#define JOBS_CMYLIBRARYUPLOAD_H

// A sound library upload that cannot leave the device with half a library it could have been
// spared: the file is read through once (on a worker thread) to check that it is made of records
// and to learn how far into the memory it reaches, the device's status says how much memory it
// has, and only a library that fits is sent, read from its file line by line as it goes out. A
// file that then ends sooner than it did (it changed meanwhile) makes the upload a failure. Once
// the library is in, the status is read again, so that the new language and version show.

#include "device/cmylibraryfile.h"
#include "jobs/cmydevicejob.h"

#include <QFutureWatcher>
#include <QStringList>
#include <atomic>
#include <memory>

class cMyLibraryUpload : public cMyDeviceJob
{
    Q_OBJECT

public:
    cMyLibraryUpload(cMyTamira *link, QObject *dialogParent);
    ~cMyLibraryUpload() override;

    // The checks that need no device: a file that is not a regular file, or too large to be a
    // library, gets the library error box; one that cannot be opened is silently refused (as
    // before any dialog shows). True when the upload may start.
    static bool acceptFile(const QString &path, QObject *dialogParent);
    // Starts the job; `path` has passed acceptFile.
    void start(const QString &path);
    // True from the first line of the library sent until all of it has been: the library in the
    // device is incomplete if the job ends meanwhile.
    bool isWritingLibrary() const { return isRunning() && m_step == Uploading; }
    bool leftLibraryIncomplete() const { return m_step == Uploading; }

protected:
    void stepCompleted() override;

private:
    enum Step { Scanning, ReadingStatus, Uploading, ReadingNewStatus };

    void scanned();
    void readStatus(const QString &failureNote);
    void upload();
    void uploaded();

    Step m_step = Scanning;
    QString m_path;
    cMyLibraryFile::Summary m_summary;
    QStringList m_status;
    std::unique_ptr<cMyLibraryFile> m_file; // opened for the upload, then the link's
    std::shared_ptr<cMyLibraryFile::Tally> m_sent = std::make_shared<cMyLibraryFile::Tally>();
    std::shared_ptr<std::atomic_bool> m_cancelScan = std::make_shared<std::atomic_bool>(false);
    QFutureWatcher<cMyLibraryFile::Summary> m_watcher;
};

#endif
