#include "removal/line_writer.h"

#include <cstring>

namespace removal {

namespace {
constexpr char terminator[] = {'\r', '\n'};
}

LineWriter::LineWriter(ByteSink& sink, std::size_t bufferSize)
    : sink_(sink), buffer_(bufferSize < sizeof terminator ? sizeof terminator : bufferSize) {}

void LineWriter::append(const char* data, std::size_t size) noexcept {
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
}

void LineWriter::writeLine(std::string_view line) {
    const std::size_t needed = line.size() + sizeof terminator;
    if (needed > buffer_.size() - used_) {
        flush();
        if (needed > buffer_.size()) {
            // Longer than the whole buffer: straight through.
            sink_.writeAll(line.data(), line.size());
            append(terminator, sizeof terminator);
            return;
        }
    }
    append(line.data(), line.size());
    append(terminator, sizeof terminator);
}

void LineWriter::flush() {
    if (used_ == 0) return;
    const std::size_t size = used_;
    used_ = 0;
    sink_.writeAll(buffer_.data(), size);
}

}  // namespace removal
