#pragma once

#include <filesystem>

#include "removal/file_descriptor.h"
#include "removal/line_writer.h"

namespace removal {

class SourceFile;

// The result file of a run, created or emptied and open for writing.
class ResultFile : public ByteSink {
public:
    // Raises ResultAlreadyOpen when the path names the open source under any
    // spelling or link (checked before anything is emptied), and
    // ResultNotCreatable when it can't be created or emptied, or when the name
    // holds a wildcard.
    void create(const std::filesystem::path& path, const SourceFile& source);
    bool isOpen() const noexcept { return fd_.isOpen(); }

    void writeAll(const char* data, std::size_t size) override;

    // Raises WriteFailed when the system reports an error only at close.
    void close();
    void closeQuietly() noexcept { fd_.closeQuietly(); }

private:
    std::filesystem::path path_;
    FileDescriptor fd_;
};

}  // namespace removal
