// POSIX: temporary file, fsync and rename, which the standard library cannot
// express with a durability guarantee.
#include "settings/platform.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings::platform {
namespace {

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false; // ENOSPC, EFBIG (file size limit), EIO, ...
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a file beside target that no other writer has (O_EXCL), named after
// it, Varnel.ini.tmp-<number>, so a leftover from a killed process is easy to
// recognise. The mode 0666 leaves the rest to the umask, as for any new file.
int CreateTemporary(const std::filesystem::path& target, std::string& name) {
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) ^
                           static_cast<std::uint64_t>(::getpid()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target.native() + ".tmp-" + std::to_string(random() % 1000000000000ULL);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool ReplaceFile(const std::filesystem::path& file, std::string_view content) {
    struct stat old {};
    const bool existed = ::stat(file.c_str(), &old) == 0;
    // A file the user made read-only stays as it is, though the directory
    // would let a rename replace it; for root too, whom access() lets write
    // anything, so a file without a single write bit counts as read-only.
    if (existed && (::access(file.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0))
        return false;

    std::string temporary;
    const int fd = CreateTemporary(file, temporary);
    if (fd < 0)
        return false;
    bool ok = true;
    if (existed) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        // Only root can give the file back to its owner; anyone else already
        // owns what they create, so a failure here changes nothing.
        if (ok && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
    }
    ok = ok && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable. The new file is already in place, so a
    // failure here does not undo the write.
    std::filesystem::path directory = file.parent_path();
    if (directory.empty())
        directory = ".";
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool CanWrite(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace settings::platform
