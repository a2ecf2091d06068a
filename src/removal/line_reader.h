#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "removal/block_index.h"
#include "removal/record_fields.h"

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
// Reads in blocks and marks each block's carriage returns and commas at once
// (BlockIndex); a line is handed out as a view into the block, and only a
// line that spans blocks is copied, into one reused string.
class LineReader {
public:
    // Small enough that a block and its marks stay in the processor's cache
    // next to the key table; large enough that reading costs few calls.
    static constexpr std::size_t defaultBlockSize = std::size_t{1} << 18;

    explicit LineReader(BlockSource& source, std::size_t blockSize = defaultBlockSize,
                        ScanMethod method = bestScanMethod());

    // True when no byte is left. May read the next block, which ends the
    // validity of the last line returned.
    bool atEnd();

    // The next line without its terminator; empty at the end. The view stays
    // valid until the next call of atEnd(), readLine() or nextLine().
    std::string_view readLine();

    // Reading a whole file: the next line into `line`, or false at the end.
    // The same lines as atEnd() and readLine(); a line that ends inside the
    // current block, the common case, takes no call. The view stays valid
    // until the next read of a block.
    bool nextLine(std::string_view& line) {
        if (nextLineInBlock(line)) return true;
        if (atEnd()) return false;
        line = readLine();
        return true;
    }

    // The next line into `line` if it ends inside the current block, without
    // reading: then every line since the last read stays valid. False, and
    // nothing taken, when the next line needs a read (or there is none).
    bool nextLineInBlock(std::string_view& line) {
        if (lineFeedMayFollow_ || position_ >= filled_) return false;
        const std::size_t lineEnd = index_.nextCarriageReturn(position_);
        if (lineEnd >= filled_) return false;
        line = takeLineInBlock(lineEnd);
        return true;
    }

    // The first five commas of the line returned last, from the block's marks.
    // Filled in place: the per-line path copies nothing.
    void firstCommas(FirstCommas& commas) const noexcept {
        if (lineInBlock_)
            commas.count = index_.commasBetween(lineBegin_, lineEnd_, commas.index, 5);
        else
            commas = findFirstCommas(spanningLine_);
    }

    // 1-based number of the line returned last; 0 before the first.
    std::uint64_t lineNumber() const noexcept { return lineNumber_; }

private:
    bool readNextBlock();

    std::string_view takeLineInBlock(std::size_t lineEnd) noexcept {
        ++lineNumber_;
        lineInBlock_ = true;
        lineBegin_ = position_;
        lineEnd_ = lineEnd;
        position_ = lineEnd + 1;
        if (position_ < filled_) {
            if (block_[position_] == '\n') ++position_;
        } else {
            lineFeedMayFollow_ = true;
        }
        return {block_.data() + lineBegin_, lineEnd - lineBegin_};
    }

    BlockSource& source_;
    std::size_t blockSize_;
    std::vector<char> block_;  // blockSize_ bytes, then room for the marking to read whole words
    BlockIndex index_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool sourceExhausted_ = false;
    // The block ended right after a carriage return: a line feed that starts
    // the next block still belongs to that terminator.
    bool lineFeedMayFollow_ = false;

    // The line returned last: inside the block, or assembled in spanningLine_.
    bool lineInBlock_ = false;
    std::size_t lineBegin_ = 0;
    std::size_t lineEnd_ = 0;
    std::string spanningLine_;
    std::uint64_t lineNumber_ = 0;
};

}  // namespace removal
