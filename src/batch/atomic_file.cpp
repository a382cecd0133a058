#include "batch/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

[[noreturn]] void failWith(const std::string& what, const std::string& path, int error) {
    throw WriteError(what + " " + path + ": " + std::strerror(error));
}

// Removes the temporary file unless it has been given the target's name.
struct TemporaryFile {
    std::string path;
    int fd = -1;
    bool kept = false;
    ~TemporaryFile() {
        if (fd >= 0) ::close(fd);
        if (!kept) ::unlink(path.c_str());
    }
};

}  // namespace

bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, mode_t mode, Replace replace) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    TemporaryFile temp;
    temp.fd = ::mkstemp(pattern.data());
    if (temp.fd < 0) failWith("cannot create a file in", folder.string(), errno);
    temp.path = pattern;
    if (::fchmod(temp.fd, mode) != 0) failWith("cannot set the permissions of", temp.path, errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(temp.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failWith("cannot write", path, errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(temp.fd) != 0) failWith("cannot write", path, errno);
    const int fd = temp.fd;
    temp.fd = -1;
    if (::close(fd) != 0) failWith("cannot write", path, errno);
    if (replace == Replace::Always) {
        if (::rename(temp.path.c_str(), path.c_str()) != 0) failWith("cannot write", path, errno);
        temp.kept = true;
        return true;
    }
    // A second name that the system refuses when the target exists: never replaces a file.
    if (::link(temp.path.c_str(), path.c_str()) == 0) return true;
    if (errno == EEXIST) return false;
    if (errno != EPERM && errno != EOPNOTSUPP) failWith("cannot write", path, errno);
    // A file system without hard links: look, then rename.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) return false;
    if (::rename(temp.path.c_str(), path.c_str()) != 0) failWith("cannot write", path, errno);
    temp.kept = true;
    return true;
}

}  // namespace veltrane
