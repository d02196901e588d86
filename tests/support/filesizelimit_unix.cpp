#include "tests/support/filesizelimit.h"

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(unsigned long long bytes)
{
    struct rlimit old
    {};
    getrlimit(RLIMIT_FSIZE, &old);
    m_oldCurrent = old.rlim_cur;
    m_oldMaximum = old.rlim_max;
    struct rlimit small = old;
    small.rlim_cur = bytes == kUnlimited ? RLIM_INFINITY : rlim_t(bytes);
    std::signal(SIGXFSZ, SIG_IGN);
    m_set = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit old
    {};
    old.rlim_cur = rlim_t(m_oldCurrent);
    old.rlim_max = rlim_t(m_oldMaximum);
    setrlimit(RLIMIT_FSIZE, &old);
}
