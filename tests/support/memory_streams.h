#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "removal/line_reader.h"
#include "removal/line_writer.h"
#include "removal/run_failure.h"

namespace testing_support {

// Bytes from memory, handed out in pieces of the given sizes in turn (the
// read may come back short, as a file's or pipe's may).
class MemorySource : public removal::BlockSource {
public:
    explicit MemorySource(std::string bytes, std::vector<std::size_t> pieceSizes = {});
    std::size_t readBlock(char* buffer, std::size_t capacity) override;

private:
    std::string bytes_;
    std::vector<std::size_t> pieceSizes_;
    std::size_t position_ = 0;
    std::size_t nextPiece_ = 0;
};

// Collects the bytes written; fails with WriteFailed once `limit` bytes would
// be exceeded (the bytes that fit are kept, as a full disk keeps them).
class MemorySink : public removal::ByteSink {
public:
    explicit MemorySink(std::size_t limit = static_cast<std::size_t>(-1)) : limit_(limit) {}
    void writeAll(const char* data, std::size_t size) override;
    const std::string& bytes() const noexcept { return bytes_; }

private:
    std::string bytes_;
    std::size_t limit_;
};

}  // namespace testing_support
