#include "support/memory_streams.h"

#include <algorithm>
#include <cstring>

namespace testing_support {

MemorySource::MemorySource(std::string bytes, std::vector<std::size_t> pieceSizes)
    : bytes_(std::move(bytes)), pieceSizes_(std::move(pieceSizes)) {}

std::size_t MemorySource::readBlock(char* buffer, std::size_t capacity) {
    std::size_t size = std::min(capacity, bytes_.size() - position_);
    if (!pieceSizes_.empty()) {
        const std::size_t piece = std::max<std::size_t>(1, pieceSizes_[nextPiece_++ % pieceSizes_.size()]);
        size = std::min(size, piece);
    }
    std::memcpy(buffer, bytes_.data() + position_, size);
    position_ += size;
    return size;
}

void MemorySink::writeAll(const char* data, std::size_t size) {
    const std::size_t room = limit_ - std::min(limit_, bytes_.size());
    bytes_.append(data, std::min(size, room));
    if (size > room)
        throw removal::RunFailure(removal::FailureKind::WriteFailed, "Не удаётся записать итоговый файл: диск полон.");
}

}  // namespace testing_support
