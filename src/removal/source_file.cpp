#include "removal/source_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "removal/run_failure.h"

namespace removal {

void SourceFile::open(const std::filesystem::path& path) {
    path_ = path;
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) throw sourceNotFound(path);
        throw sourceUnreadable(path, systemErrorText(error));
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) throw sourceUnreadable(path, systemErrorText(errno));
    if (S_ISDIR(status.st_mode)) throw sourceUnreadable(path, "это папка, а не файл");
    if (!S_ISREG(status.st_mode)) throw sourceUnreadable(path, "это не обычный файл, а канал или устройство");

    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags == -1 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) == -1)
        throw sourceUnreadable(path, systemErrorText(errno));
    (void)::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    identity_ = status;
    fd_ = std::move(fd);
}

bool SourceFile::isSameFileAs(const struct stat& other) const noexcept {
    return isOpen() && identity_.st_dev == other.st_dev && identity_.st_ino == other.st_ino;
}

std::size_t SourceFile::readBlock(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_.get(), buffer, capacity);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw sourceUnreadable(path_, systemErrorText(errno));
    }
}

}  // namespace removal
