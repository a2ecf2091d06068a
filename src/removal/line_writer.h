#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace removal {

// Where a LineWriter puts its bytes: a file, or memory in the tests.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes all `size` bytes or throws RunFailure (WriteFailed).
    virtual void writeAll(const char* data, std::size_t size) = 0;
};

// Writes lines each followed by carriage return and line feed, through one
// large buffer.
class LineWriter {
public:
    static constexpr std::size_t defaultBufferSize = std::size_t{1} << 20;

    explicit LineWriter(ByteSink& sink, std::size_t bufferSize = defaultBufferSize);

    void writeLine(std::string_view line);

    // Hands the buffered bytes to the sink. After the sink has failed, the
    // buffer is dropped, so that a later flush never writes a torn line.
    void flush();

private:
    void append(const char* data, std::size_t size) noexcept;

    ByteSink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace removal
