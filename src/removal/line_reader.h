#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace removal {

// Where a LineReader gets its bytes: a file, or memory in the tests.
class BlockSource {
public:
    virtual ~BlockSource() = default;
    // Fills up to `capacity` bytes; returns how many, 0 at the end. Throws
    // RunFailure when the bytes can't be read.
    virtual std::size_t readBlock(char* buffer, std::size_t capacity) = 0;
};

// Cuts a byte stream into lines: a carriage return ends a line, a line feed
// right after it belongs to it, a lone line feed is an ordinary character,
// and the last line needs no terminator. Every other byte passes unchanged.
//
// Reads in large blocks; a line is handed out as a view into the block, and
// only a line that spans blocks is copied, into one reused string.
class LineReader {
public:
    static constexpr std::size_t defaultBlockSize = std::size_t{1} << 20;

    explicit LineReader(BlockSource& source, std::size_t blockSize = defaultBlockSize);

    // True when no byte is left. May read the next block, which ends the
    // validity of the last line returned.
    bool atEnd();

    // The next line without its terminator; empty at the end. The view stays
    // valid until the next call of atEnd() or readLine().
    std::string_view readLine();

    // 1-based number of the line returned last; 0 before the first.
    std::uint64_t lineNumber() const noexcept { return lineNumber_; }

private:
    bool readNextBlock();
    void skipLineFeedAfterCarriageReturn() noexcept;

    BlockSource& source_;
    std::vector<char> block_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool sourceExhausted_ = false;
    // The block ended right after a carriage return: a line feed that starts
    // the next block still belongs to that terminator.
    bool lineFeedMayFollow_ = false;
    std::string spanningLine_;
    std::uint64_t lineNumber_ = 0;
};

}  // namespace removal
