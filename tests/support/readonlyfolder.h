#ifndef TESTS_SUPPORT_READONLYFOLDER_H
#define TESTS_SUPPORT_READONLYFOLDER_H

// Makes a folder read-only while one lives, for the calling thread also when the test runs as
// root: the thread gives up its power to pass over file permissions until the end of the scope.

#include <QFile>
#include <QString>

#include <algorithm>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        __user_cap_data_struct reduced[2];
        syscall(SYS_capget, &m_header, m_saved);
        std::copy(m_saved, m_saved + 2, reduced);
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &m_header, reduced);
    }
    ~ReadOnlyFolder()
    {
        syscall(SYS_capset, &m_header, m_saved);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_path;
    __user_cap_header_struct m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
};

#endif
