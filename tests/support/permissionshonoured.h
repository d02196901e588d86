#ifndef TESTS_SUPPORT_PERMISSIONSHONOURED_H
#define TESTS_SUPPORT_PERMISSIONSHONOURED_H

// While one lives, the calling thread meets file permissions as a user does even when the tests
// run as root: it gives up the powers that pass over them, and takes them back when it goes.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

class PermissionsHonoured
{
public:
    PermissionsHonoured()
    {
        std::fill(m_saved, m_saved + 2, __user_cap_data_struct{});
        __user_cap_data_struct reduced[2];
        m_set = syscall(SYS_capget, &m_header, m_saved) == 0;
        std::copy(m_saved, m_saved + 2, reduced);
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_set = m_set && syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionsHonoured() { syscall(SYS_capset, &m_header, m_saved); }
    PermissionsHonoured(const PermissionsHonoured &) = delete;
    PermissionsHonoured &operator=(const PermissionsHonoured &) = delete;

    bool isSet() const { return m_set; }

private:
    __user_cap_header_struct m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2];
    bool m_set = false;
};

#endif
