#include "removal/result_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "removal/run_failure.h"
#include "removal/source_file.h"

namespace removal {

namespace {

std::string openFailureReason(int error) {
    switch (error) {
    case EISDIR: return "это папка";
    case ENXIO: return "это канал, который никто не читает";
    default: return systemErrorText(error);
    }
}

}  // namespace

void ResultFile::create(const std::filesystem::path& path, const SourceFile& source) {
    path_ = path;
    if (path.native().find_first_of("*?") != std::string::npos)
        throw resultNotCreatable(path, "в имени файла не может быть знаков * и ?");

    // The source may be read-only while the result is the same file: look
    // before opening, so that this case is named for what it is.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && source.isSameFileAs(status)) throw resultAlreadyOpen(path);

    // No O_TRUNC: nothing is emptied until the file is known not to be the
    // source. O_NONBLOCK: a FIFO without a reader fails instead of waiting.
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.isOpen()) throw resultNotCreatable(path, openFailureReason(errno));
    if (::fstat(fd.get(), &status) != 0) throw resultNotCreatable(path, systemErrorText(errno));
    if (source.isSameFileAs(status)) throw resultAlreadyOpen(path);
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        throw resultNotCreatable(path, "это канал, а не обычный файл");

    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags == -1 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) == -1)
        throw resultNotCreatable(path, systemErrorText(errno));
    if (S_ISREG(status.st_mode) && ::ftruncate(fd.get(), 0) != 0)
        throw resultNotCreatable(path, systemErrorText(errno));
    fd_ = std::move(fd);
}

void ResultFile::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd_.get(), data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            throw writeFailed(path_, systemErrorText(errno));
        }
        if (written == 0) throw writeFailed(path_, systemErrorText(ENOSPC));
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void ResultFile::close() {
    if (const int error = fd_.close(); error != 0) throw writeFailed(path_, systemErrorText(error));
}

}  // namespace removal
