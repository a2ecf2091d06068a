#include "removal/file_descriptor.h"

#include <cerrno>
#include <unistd.h>

namespace removal {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        closeQuietly();
        fd_ = other.release();
    }
    return *this;
}

int FileDescriptor::release() noexcept {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

int FileDescriptor::close() noexcept {
    if (fd_ < 0) return 0;
    const int fd = release();
    // Linux releases the descriptor even when close reports EINTR: never retry.
    return ::close(fd) == 0 ? 0 : errno;
}

}  // namespace removal
