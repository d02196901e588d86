#ifndef BASE_FILESIZESIGNAL_H
#define BASE_FILESIZESIGNAL_H

// A write past the process's file-size limit raises SIGXFSZ, whose default action ends the
// program at once, with every unsaved edit. Both programs call this first thing: the signal is
// then ignored, and the write fails with EFBIG, which the file code reports as "file too large".
// Does nothing where the platform has no such signal.
void ignoreFileSizeSignal();

#endif
