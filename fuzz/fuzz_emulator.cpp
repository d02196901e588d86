// Any bytes from the host, cut into lines as the emulator cuts them: every line gets exactly
// one reply and nothing crashes.

#include "cmyemudevice.h"
#include "cmyemulineassembler.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static cMyEmuDevice *device = [] {
        auto *d = new cMyEmuDevice;
        d->setSampleStep(100);
        return d;
    }();
    cMyEmuLineAssembler lines(cMyEmuDevice::kMaxLineLength);
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    for (const cMyEmuLineAssembler::Line &line : lines.feed(bytes, 0)) {
        const cMyEmuDevice::Reply reply = device->handleLine(line.bytes, line.overlong);
        if (reply.bytes.isEmpty())
            abort();
    }
    return 0;
}
