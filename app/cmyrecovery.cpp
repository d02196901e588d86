#include "app/cmyrecovery.h"

#include "base/cmydialogs.h"
#include "base/cmyfileaccess.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace {

// A copy: this line, "time=", "file=" (percent-encoded) and "save-asks=" lines, then the image
// as a settings file holds it.
const QByteArray kFirstLine("TAMIRAdesk recovery\n");

bool readCopy(const QString &path, cMyRecovery::Copy *copy)
{
    QFile file(path);
    if (!cMyFileAccess::openForReading(file, nullptr))
        return false;
    const QByteArray bytes = file.read(64 * 1024);
    if (!bytes.startsWith(kFirstLine))
        return false;
    const int records = bytes.indexOf("\n:");
    if (records < 0)
        return false;
    for (const QByteArray &line : bytes.mid(kFirstLine.size(), records - kFirstLine.size()).split('\n')) {
        const QByteArray value = line.mid(line.indexOf('=') + 1);
        if (line.startsWith("time="))
            copy->time = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        else if (line.startsWith("file="))
            copy->document.file = QUrl::fromPercentEncoding(value);
        else if (line.startsWith("save-asks="))
            copy->document.saveAsks = value == "1";
    }
    copy->records = bytes.mid(records + 1);
    return copy->time.isValid();
}

} // namespace

cMyRecovery::cMyRecovery(cMyMemoryArea *image, std::function<Document()> document, QObject *parent)
    : QObject(parent), m_image(image), m_document(std::move(document)), m_folder(folder()),
      m_id(QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()))
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &cMyRecovery::keepNow);
    connect(m_image, &cMyMemoryArea::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            discard();
        else if (!m_timer.isActive())
            m_timer.start();
    });
}

QString cMyRecovery::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString cMyRecovery::path(const QString &id, const char *ending) const
{
    return m_folder + QLatin1Char('/') + id + QLatin1Char('.') + QLatin1String(ending);
}

QByteArray cMyRecovery::contents() const
{
    const Document document = m_document();
    return "file=" + QUrl::toPercentEncoding(document.file) + "\nsave-asks=" + (document.saveAsks ? "1" : "0") + "\n"
           + cMySettingsFile::text(*m_image).toLatin1() + "\n";
}

void cMyRecovery::keepNow()
{
    if (!m_image->isModified())
        return;
    const QByteArray body = contents();
    if (body == m_written)
        return;
    if (!m_lock) {
        // The lock first: a copy without a live lock is offered to the next program that starts.
        QDir().mkpath(m_folder);
        m_lock = std::make_unique<QLockFile>(path(m_id, "lock"));
        m_lock->setStaleLockTime(0);
        if (!m_lock->tryLock(0)) {
            m_lock.reset();
            return;
        }
    }
    const QByteArray time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1();
    if (cMyFileAccess::replace(path(m_id, "recovery"), kFirstLine + "time=" + time + "\n" + body, nullptr))
        m_written = body;
}

void cMyRecovery::discard()
{
    m_timer.stop();
    if (!m_lock)
        return;
    QFile::remove(path(m_id, "recovery"));
    m_written.clear();
    m_lock.reset();
}

void cMyRecovery::offerLeftBehind(QWidget *window, const std::function<bool(const Copy &)> &open)
{
    const QStringList copies =
        QDir(m_folder).entryList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString &name : copies) {
        const QString id = name.left(name.size() - int(qstrlen(".recovery")));
        // Held while the question is open, so that a program starting meanwhile does not offer it too.
        QLockFile lock(path(id, "lock"));
        lock.setStaleLockTime(0);
        Copy copy;
        if (id == m_id || !lock.tryLock(0) || !readCopy(path(id, "recovery"), &copy))
            continue; // its program still runs, or it is no copy
        const QString document =
            copy.document.file.isEmpty() ? tr("bez nazwy") : QDir::toNativeSeparators(copy.document.file);
        const cMyDialogs::Button answer = cMyDialogs::current().message(
            window, cMyDialogs::Question, QStringLiteral("TAMIRAdesk"),
            tr("TAMIRAdesk został zatrzymany z niezapisanymi zmianami w pliku %1 (%2). Otworzyć je?")
                .arg(document, QLocale().toString(copy.time.toLocalTime(), QLocale::ShortFormat)),
            cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No | cMyDialogs::Discard, cMyDialogs::No);
        if (answer == cMyDialogs::NoButton)
            return; // a stop ended the question: no other comes
        if (answer == cMyDialogs::Discard) {
            QFile::remove(path(id, "recovery"));
        } else if (answer == cMyDialogs::Yes && open(copy)) {
            // The old copy goes only once this program's own holds the work.
            keepNow();
            if (!m_written.isEmpty())
                QFile::remove(path(id, "recovery"));
            return;
        }
    }
}
