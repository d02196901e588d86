#include "tests/support/filesizelimit.h"

// Windows limits no file's size per process.
FileSizeLimit::FileSizeLimit(unsigned long long) {}
FileSizeLimit::~FileSizeLimit() = default;
