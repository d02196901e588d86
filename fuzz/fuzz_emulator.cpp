// Any bytes from the host, cut into lines as the emulator cuts them: every line gets exactly
// one reply and nothing crashes. Each input meets a device fresh from the factory, so a crash
// reproduces from its input alone.

#include "emulator/cmyemudevice.h"
#include "emulator/cmyemulineassembler.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    cMyEmuDevice device;
    // Samples a fixed time apart, so the dive model does not depend on the clock either.
    device.setSampleStep(100);
    cMyEmuLineAssembler lines(cMyEmuDevice::kMaxLineBytes);
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    for (const cMyEmuLineAssembler::Line &line : lines.feed(bytes, 0)) {
        const cMyEmuDevice::Reply reply = device.handleLine(line.bytes, line.overlong);
        if (reply.bytes.isEmpty())
            abort();
    }
    return 0;
}
