#include "jobs/cmylinkreporter.h"

#include "base/cmydialogs.h"
#include "device/cmytamira.h"
#include "jobs/cmydevicejob.h"

cMyLinkReporter::cMyLinkReporter(cMyTamira *link, QObject *parent) : QObject(parent)
{
    connect(link, &cMyTamira::failed, this, &cMyLinkReporter::report);
}

void cMyLinkReporter::setJob(cMyDeviceJob *job)
{
    m_job = job;
}

void cMyLinkReporter::report(const cMyLinkFailure &failure, quint64 transaction)
{
    const QString note = m_job ? m_job->noteFor(transaction) : QString();
    const bool news =
        !note.isEmpty() || (failure.reason != cMyLinkFailure::NoPort && failure.reason != cMyLinkFailure::Superseded);
    if (!news)
        return;
    const QString text = note.isEmpty() ? failure.text : failure.text + QLatin1Char('\n') + note;
    const auto show = [text] { cMyDialogs::current().critical(nullptr, tr("Błąd"), text); };
    if (failure.reason == cMyLinkFailure::Superseded || transaction == 0) {
        // A new port choice comes from inside the port chooser's rebuild, a refused command from
        // inside the command that the job is still starting: the box waits until that is over
        // (and the job's progress dialog has closed).
        QMetaObject::invokeMethod(this, show, Qt::QueuedConnection);
        return;
    }
    show();
}
