#pragma once

namespace removal {

// Owns one POSIX file descriptor and closes it on destruction, so that no
// failure path can leak an open source or result.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { closeQuietly(); }

    int get() const noexcept { return fd_; }
    bool isOpen() const noexcept { return fd_ >= 0; }
    int release() noexcept;

    // Closes and returns 0, or the errno of a failed close. A descriptor is
    // gone after close() whatever it returns, so it is never closed twice.
    int close() noexcept;
    void closeQuietly() noexcept { (void)close(); }

private:
    int fd_ = -1;
};

}  // namespace removal
