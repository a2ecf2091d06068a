#include "removal/line_reader.h"

namespace removal {

LineReader::LineReader(BlockSource& source, std::size_t blockSize, ScanMethod method)
    : source_(source),
      blockSize_(blockSize == 0 ? 1 : blockSize),
      block_((blockSize_ + 63) / 64 * 64),
      index_(method) {}

bool LineReader::readNextBlock() {
    if (sourceExhausted_) return false;
    position_ = 0;
    filled_ = source_.readBlock(block_.data(), blockSize_);
    if (filled_ == 0) {
        sourceExhausted_ = true;
        return false;
    }
    index_.mark(block_.data(), filled_);
    return true;
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

    if (const std::size_t lineEnd = index_.nextCarriageReturn(position_); lineEnd < filled_)
        return takeLineInBlock(lineEnd);

    // The line goes on in the next block(s).
    ++lineNumber_;
    lineInBlock_ = false;
    spanningLine_.assign(block_.data() + position_, filled_ - position_);
    while (readNextBlock()) {
        if (const std::size_t lineEnd = index_.nextCarriageReturn(0); lineEnd < filled_) {
            spanningLine_.append(block_.data(), lineEnd);
            position_ = lineEnd + 1;
            if (position_ < filled_) {
                if (block_[position_] == '\n') ++position_;
            } else {
                lineFeedMayFollow_ = true;
            }
            return spanningLine_;
        }
        spanningLine_.append(block_.data(), filled_);
    }
    position_ = filled_;
    return spanningLine_;  // the last line, without a terminator
}

}  // namespace removal
