#include "jobs/cmyfailurereporter.h"

#include "base/cmydialogs.h"
#include "device/cmytamira.h"
#include "jobs/cmydevicejob.h"

cMyFailureReporter::cMyFailureReporter(cMyTamira *link, QObject *parent) : QObject(parent)
{
    connect(link, &cMyTamira::failed, this, [this](const cMyLinkFailure &failure) {
        if (failure.reason != cMyLinkFailure::NoPort && failure.reason != cMyLinkFailure::Superseded)
            report(failure, nullptr);
    });
}

void cMyFailureReporter::watch(cMyDeviceJob *job)
{
    connect(job, &cMyDeviceJob::finished, this, [this, job] {
        if (job->failure().text.isEmpty())
            return;
        // What the link found is said as every link failure is, in a box of its own; what the
        // job found belongs to its window.
        const bool linkFound = job->failure().failed() && job->failure().reason != cMyLinkFailure::CheckFailed;
        report(job->failure(), linkFound ? nullptr : job->dialogParent());
    });
}

void cMyFailureReporter::report(const cMyLinkFailure &failure, QObject *dialogParent)
{
    const QString text = failure.text;
    const auto show = [text, dialogParent] { cMyDialogs::current().critical(dialogParent, tr("Błąd"), text); };
    if (failure.reason == cMyLinkFailure::Superseded || failure.refused()) {
        // A new port choice comes from inside the port chooser's rebuild, a refused command from
        // inside the command that is still starting: the box waits until that is over (and a
        // job's progress dialog has closed).
        QMetaObject::invokeMethod(this, show, Qt::QueuedConnection);
        return;
    }
    show();
}
