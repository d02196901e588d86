#include "jobs/cmylibraryupload.h"

#include "base/cmydialogs.h"
#include "device/cmystatusdecoder.h"
#include "device/memorytype.h"

#include <QtConcurrent>

namespace {

// A transfer's lines besides its records: "#ROOT", "#HEX", the area, "#WRITE".
constexpr int kCommandLines = 4;

} // namespace

cMyLibraryUpload::cMyLibraryUpload(cMyTamira *link, QObject *dialogParent) : cMyDeviceJob(link, dialogParent)
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &cMyLibraryUpload::scanned);
    connect(this, &cMyDeviceJob::finished, this, [this] { *m_cancelScan = true; });
}

cMyLibraryUpload::~cMyLibraryUpload()
{
    *m_cancelScan = true;
    m_watcher.waitForFinished();
}

bool cMyLibraryUpload::acceptFile(const QString &path, QObject *dialogParent)
{
    cMyLibraryFile file;
    switch (file.open(path)) {
    case cMyLibraryFile::Ok:
        return true;
    case cMyLibraryFile::NotRegularFile:
    case cMyLibraryFile::TooLarge:
    case cMyLibraryFile::NotALibrary:
        cMyDialogs::current().critical(dialogParent, tr("Błąd"), tr("Ten plik nie jest biblioteką dźwięków."));
        return false;
    case cMyLibraryFile::CannotOpen:
    case cMyLibraryFile::Empty:
    case cMyLibraryFile::Cancelled:
        break;
    }
    return false;
}

void cMyLibraryUpload::start(const QString &path)
{
    m_path = path;
    m_step = Scanning;
    markStarted();
    const std::shared_ptr<std::atomic_bool> cancel = m_cancelScan;
    m_watcher.setFuture(QtConcurrent::run([path, cancel] { return cMyLibraryFile::scan(path, cancel.get()); }));
}

void cMyLibraryUpload::scanned()
{
    if (!isRunning())
        return; // cancelled meanwhile
    m_summary = m_watcher.result();
    switch (m_summary.status) {
    case cMyLibraryFile::Ok:
        break;
    case cMyLibraryFile::NotRegularFile:
    case cMyLibraryFile::TooLarge:
    case cMyLibraryFile::NotALibrary:
        fail(tr("Ten plik nie jest biblioteką dźwięków: nie składa się z rekordów Intel HEX.\n"
                "Biblioteka dźwięków nie została wysłana."));
        return;
    case cMyLibraryFile::Empty:
        fail(tr("Plik biblioteki jest pusty: nie ma w nim żadnych danych.\nBiblioteka dźwięków nie została wysłana."));
        return;
    case cMyLibraryFile::CannotOpen:
        // It could be opened a moment ago: moved or locked meanwhile.
        fail(tr("Nie można otworzyć pliku biblioteki.\nBiblioteka dźwięków nie została wysłana."));
        return;
    case cMyLibraryFile::Cancelled:
        finish(false);
        return;
    }
    // A settings file is made of records too, but holds data in the settings block only, where
    // no library has any: its language and version lie at 0xFFE0 and above.
    if (m_summary.dataEnd <= areaSize(areaLine(EEPROM))) {
        fail(tr("Ten plik jest plikiem nastaw, nie biblioteką dźwięków: wszystkie jego dane leżą w bloku nastaw "
                "(adresy 0-1023).\nBiblioteka dźwięków nie została wysłana."));
        return;
    }
    m_step = ReadingStatus;
    setTotalLines(2 * cMyStatusDecoder::requestLines().size() + kCommandLines + m_summary.words);
    readStatus(tr("Biblioteka dźwięków nie została wysłana."));
}

void cMyLibraryUpload::stepCompleted()
{
    switch (m_step) {
    case ReadingStatus:
        upload();
        return;
    case Uploading:
        uploaded();
        return;
    default:
        finish(true);
        return;
    }
}

void cMyLibraryUpload::upload()
{
    bool known = false;
    const quint64 megabytes = m_status.value(cMyStatusDecoder::MemorySize).toULongLong(&known);
    if (!known) {
        fail(tr("Tamira nie podała rozmiaru swojej pamięci.\nBiblioteka dźwięków nie została wysłana."));
        return;
    }
    const quint64 memory = megabytes * 1024 * 1024;
    if (m_summary.dataEnd > memory) {
        fail(tr("Biblioteka nie zmieści się w pamięci Tamiry: sięga do %1 B, a pamięć ma %2 MB (%3 B).\n"
                "Biblioteka dźwięków nie została wysłana.")
                 .arg(m_summary.dataEnd)
                 .arg(megabytes)
                 .arg(memory));
        return;
    }
    m_file = std::make_unique<cMyLibraryFile>();
    if (m_file->open(m_path) != cMyLibraryFile::Ok) {
        fail(tr("Nie można otworzyć pliku biblioteki.\nBiblioteka dźwięków nie została wysłana."));
        return;
    }
    m_file->setTally(m_sent);
    m_file->endAtBrokenWord();
    m_step = Uploading;
    const int words = m_summary.words;
    runStep(words + kCommandLines, tr("Biblioteka dźwięków w Tamirze może być niekompletna; wgraj ją ponownie."),
            [this, words] { return link()->startWriteStream(FLASH, std::move(m_file), words); });
}

void cMyLibraryUpload::uploaded()
{
    // The link ends a stream whose source ran dry as a whole transfer; here that means the file
    // changed after it was checked, and the device did not get all of the library.
    if (m_sent->words != m_summary.words || m_sent->endRecord != m_summary.endRecord) {
        fail(tr("Plik biblioteki zmienił się w trakcie wysyłania: wysłano %1 z %2 linii.\n"
                "Biblioteka dźwięków w Tamirze jest niekompletna; wgraj ją ponownie.")
                 .arg(m_sent->words)
                 .arg(m_summary.words));
        return;
    }
    m_step = ReadingNewStatus;
    readStatus(tr("Biblioteka dźwięków została wysłana do Tamiry, ale jej nowy status nie został odczytany."));
}

void cMyLibraryUpload::readStatus(const QString &failureNote)
{
    runStep(cMyStatusDecoder::requestLines().size(), failureNote, [this] {
        cMyTransaction *read = link()->startStatusRead();
        connect(read, &cMyTransaction::statusChanged, this, [this](const QStringList &status) { m_status = status; });
        return read;
    });
}
