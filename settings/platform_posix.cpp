// POSIX: the file system through the standard library, and the temporary
// file, fsync and rename, which it cannot express with a durability guarantee.
#include "settings/platform.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>

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
int CreateTemporary(const Path& target, std::string& name) {
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

namespace fs = std::filesystem;

Kind KindOf(const Path& file) {
    std::error_code error;
    const fs::file_type type = fs::status(file, error).type();
    return type == fs::file_type::not_found ? Kind::Missing
           : type == fs::file_type::regular ? Kind::File
                                            : Kind::Other;
}

std::optional<Path> LinkTarget(const Path& link) {
    Path file = link;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(file)); ++hops) {
        if (hops == 40)
            return std::nullopt;
        const Path target = fs::read_symlink(file);
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

bool SameFile(const Path& a, const Path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

Path FolderOf(const Path& file) {
    return file.parent_path();
}

bool MakeFolders(const Path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

bool ReadFile(const Path& file, std::string& text) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    text.clear();
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno != EINTR)
            break;
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return got == 0;
}

bool ReplaceFile(const Path& file, std::string_view content) {
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
    Path directory = file.parent_path();
    if (directory.empty())
        directory = ".";
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool CanWrite(const Path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace settings::platform
