#include "base/filesizesignal.h"

// No file-size signal on this platform: a write past a limit simply fails.
void ignoreFileSizeSignal() {}
