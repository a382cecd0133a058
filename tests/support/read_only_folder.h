#pragma once
// A folder no file can be written into, for tests of failed saves. Root writes anywhere: when
// the tests run as root, this process and every program it starts give up the override of file
// permissions for good (each test runs in a process of its own under CTest).
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>
#include <QString>

namespace veltrane::test {

inline void dropPermissionOverride() {
    if (geteuid() != 0) return;
    prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return;
    data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    data[0].permitted &= ~(1u << CAP_DAC_OVERRIDE);
    data[0].inheritable &= ~(1u << CAP_DAC_OVERRIDE);
    syscall(SYS_capset, &header, data);
}

// Makes the folder read-only (r-x for everyone); true when a file can then no longer be
// created in it. restoreFolder gives the write permission back so it can be removed.
inline bool makeFolderReadOnly(const QString& folder) {
    dropPermissionOverride();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::ExeOther);
    QFile probe(folder + "/probe");
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.close();
    probe.remove();
    return false;
}

inline void restoreFolder(const QString& folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace veltrane::test
