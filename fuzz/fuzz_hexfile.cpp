// Any file opened in the service console, the ways it opens one: read as the text of a pane or
// of a command-line write, and merged into the hex file model from the menu. Whatever the model
// took in, saving it and opening the saved file again gives the same file.

#include "servicetool/cmyhexfile.h"
#include "servicetool/cmytextfile.h"

#include <QTemporaryFile>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryFile &fileHolding(const QByteArray &bytes)
{
    static QTemporaryFile file;
    if ((!file.isOpen() && !file.open()) || !file.resize(0) || !file.seek(0) || file.write(bytes) != bytes.size()
        || !file.flush())
        abort();
    return file;
}

// Empty when the model refuses the file (a record past the device's 16 MiB).
QByteArray savedAfterOpening(const QByteArray &bytes)
{
    servicetool::cMyHexFile model;
    if (!model.merge(fileHolding(bytes).fileName()))
        return QByteArray();
    return model.text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    // The lines a pane or a command-line write sends stop at the file's first zero byte.
    QByteArray text;
    if (!servicetool::cMyTextFile::read(fileHolding(bytes).fileName(), &text) || text.contains('\0')
        || text.size() > bytes.size())
        abort();
    const QByteArray saved = savedAfterOpening(bytes);
    if (!saved.isEmpty() && savedAfterOpening(saved) != saved)
        abort();
    return 0;
}
