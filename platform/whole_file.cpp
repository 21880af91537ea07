#include "platform/whole_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

namespace fs = std::filesystem;

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC; // a write that takes nothing has no room
            return false;
        }
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string failure() {
    return writeFailureText(errno);
}

// For what has nothing beside it: a device, a pipe, a file in a folder
// the user may not write to.
std::string writeInPlace(const fs::path& target, std::string_view content) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return failure();
    const bool ok = writeAll(fd, content);
    const int error = errno;
    ::close(fd);
    return ok ? std::string() : writeFailureText(error);
}

} // namespace

std::string writeFailureText(int error) {
    if (error == ENOSPC || error == EDQUOT) return "the disk is full";
    return std::strerror(error);
}

std::string writeFileWhole(const std::string& path, std::string_view content) {
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) target = fs::weakly_canonical(target, ec);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(target, content);
    // Beside the target, so that the rename stays on one file system.
    fs::path beside;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        beside = target;
        beside += ".part" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(beside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EACCES && exists) return writeInPlace(target, content);
        if (fd < 0 && errno != EEXIST) return failure();
    }
    if (fd < 0) return failure();
    // The old file's permissions carry over; a new one gets the umask's.
    int error = 0;
    auto step = [&error](bool done) {
        if (!done && error == 0) error = errno;
        return done;
    };
    bool ok = step(!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
              step(writeAll(fd, content)) && step(::fsync(fd) == 0);
    ok = step(::close(fd) == 0) && ok;
    ok = ok && step(::rename(beside.c_str(), target.c_str()) == 0);
    if (ok) return {};
    ::unlink(beside.c_str());
    return writeFailureText(error);
}

std::string copyFileWhole(const std::string& from, const std::string& to) {
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failure();
    std::string content;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return std::strerror(error);
        }
        content.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return writeFileWhole(to, content);
}

} // namespace qv
