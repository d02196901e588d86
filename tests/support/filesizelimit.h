#ifndef TESTS_SUPPORT_FILESIZELIMIT_H
#define TESTS_SUPPORT_FILESIZELIMIT_H

// Lets a test fill the disk halfway through a write: while one lives, no file of the process can
// grow past the given size (a limit that holds for root too), and a write past it fails rather
// than raising SIGXFSZ. The old limit comes back when it goes out of scope. One source file per
// platform; where the system has no such limit, isSet() is false.

class FileSizeLimit
{
public:
    static constexpr unsigned long long kUnlimited = ~0ULL;

    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    unsigned long long m_oldCurrent = 0;
    unsigned long long m_oldMaximum = 0;
    bool m_set = false;
};

#endif
