#ifndef TESTS_SUPPORT_FILESIZELIMIT_H
#define TESTS_SUPPORT_FILESIZELIMIT_H

// Lets a test fill the disk halfway through a write: while one lives, no file of the process can
// grow past the given size (a limit that holds for root too), and a write past it fails rather
// than raising SIGXFSZ. The old limit comes back when it goes out of scope.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit small = m_old;
        small.rlim_cur = bytes;
        std::signal(SIGXFSZ, SIG_IGN);
        m_set = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    struct rlimit m_old;
    bool m_set = false;
};

#endif
