#include "cmylibraryfile.h"

#include <QFile>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

cMyLibraryFile::Result cMyLibraryFile::read(const QString &path, const std::atomic_bool *cancel)
{
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        result.status = CannotOpen;
        return result;
    }
    return read(file, cancel);
}

cMyLibraryFile::Result cMyLibraryFile::read(QIODevice &file, const std::atomic_bool *cancel)
{
    Result result;
    if (file.size() > kLargestFile) {
        result.status = TooLarge;
        return result;
    }
    const QByteArray endRecord(":00000001FF");
    // A record line is about 43 characters; reserving for that avoids regrowing a list of
    // ninety thousand words.
    result.words.reserve(int(qMin<qint64>(file.size() / 40 + 16, 1 << 22)));
    QByteArray word;
    word.reserve(kLongestWord + 1);
    bool ended = false;
    while (!ended) {
        if (cancel && cancel->load()) {
            result.words.clear();
            result.status = Cancelled;
            return result;
        }
        const QByteArray chunk = file.read(256 * 1024);
        if (chunk.isEmpty())
            break;
        for (const char c : chunk) {
            if (!isSpace(c)) {
                if (word.size() == kLongestWord) {
                    result.words.clear();
                    result.status = NotALibrary;
                    return result;
                }
                word.append(c);
                continue;
            }
            if (word.isEmpty())
                continue;
            result.words.append(QString::fromLatin1(word.constData(), word.size()));
            if (word == endRecord) {
                ended = true;
                break;
            }
            word.clear();
        }
    }
    if (!ended && !word.isEmpty())
        result.words.append(QString::fromLatin1(word.constData(), word.size()));
    result.status = Ok;
    return result;
}
