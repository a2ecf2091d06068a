#include "removal/line_reader.h"

#include <cstring>

namespace removal {

LineReader::LineReader(BlockSource& source, std::size_t blockSize)
    : source_(source), block_(blockSize == 0 ? 1 : blockSize) {}

bool LineReader::readNextBlock() {
    if (sourceExhausted_) return false;
    position_ = 0;
    filled_ = source_.readBlock(block_.data(), block_.size());
    if (filled_ == 0) sourceExhausted_ = true;
    return filled_ != 0;
}

void LineReader::skipLineFeedAfterCarriageReturn() noexcept {
    if (position_ < filled_) {
        if (block_[position_] == '\n') ++position_;
    } else {
        lineFeedMayFollow_ = true;
    }
}

bool LineReader::atEnd() {
    for (;;) {
        if (position_ < filled_) {
            if (lineFeedMayFollow_) {
                lineFeedMayFollow_ = false;
                if (block_[position_] == '\n') {
                    ++position_;
                    continue;
                }
            }
            return false;
        }
        if (!readNextBlock()) return true;
    }
}

std::string_view LineReader::readLine() {
    if (atEnd()) return {};
    ++lineNumber_;

    const char* begin = block_.data() + position_;
    const std::size_t available = filled_ - position_;
    if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', available))) {
        position_ += static_cast<std::size_t>(cr - begin) + 1;
        skipLineFeedAfterCarriageReturn();
        return {begin, static_cast<std::size_t>(cr - begin)};
    }

    // The line goes on in the next block(s).
    spanningLine_.assign(begin, available);
    while (readNextBlock()) {
        const char* blockBegin = block_.data();
        if (const auto* cr = static_cast<const char*>(std::memchr(blockBegin, '\r', filled_))) {
            spanningLine_.append(blockBegin, cr);
            position_ = static_cast<std::size_t>(cr - blockBegin) + 1;
            skipLineFeedAfterCarriageReturn();
            return spanningLine_;
        }
        spanningLine_.append(blockBegin, filled_);
    }
    position_ = filled_;
    return spanningLine_;  // the last line, without a terminator
}

}  // namespace removal
