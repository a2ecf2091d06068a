#pragma once

#include <filesystem>
#include <sys/stat.h>

#include "removal/file_descriptor.h"
#include "removal/line_reader.h"

namespace removal {

// The source file of a run, open for reading. Only a regular file is taken:
// a directory, a FIFO or a device fails at once instead of hanging the window.
class SourceFile : public BlockSource {
public:
    // Raises SourceNotFound or SourceUnreadable.
    void open(const std::filesystem::path& path);
    bool isOpen() const noexcept { return fd_.isOpen(); }
    void close() noexcept { fd_.closeQuietly(); }

    // Device and inode of the open file, to recognise it under another name.
    bool isSameFileAs(const struct stat& other) const noexcept;

    std::size_t readBlock(char* buffer, std::size_t capacity) override;

private:
    std::filesystem::path path_;
    FileDescriptor fd_;
    struct stat identity_ {};
};

}  // namespace removal
