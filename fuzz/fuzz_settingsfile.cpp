// Any file as a settings file: the image never grows past the settings block.

#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    cMyMemoryArea image;
    image.setData(1023, quint8(0));
    cMySettingsFile::read(buffer, image);
    if (image.pageCount() != 1 || image.pageSize(0) != 1024)
        abort();
    return 0;
}
