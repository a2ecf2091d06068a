#pragma once

// Marks, one bit per byte, where a block holds carriage returns and commas:
// the line reader then finds line ends and the commas of a record with a few
// bit operations per line instead of looking at every byte again. The marking
// comes as a plain version that every CPU runs and, on x86-64, an SSE2 version
// that looks at 16 bytes at a time; both give the same bits and the tests run
// both.
#include <cstddef>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#define REMOVAL_HAVE_SSE2 1
#else
#define REMOVAL_HAVE_SSE2 0
#endif

namespace removal {

enum class ScanMethod { Plain, Sse2 };

// The fastest method that this build and CPU have.
ScanMethod bestScanMethod() noexcept;

class BlockIndex {
public:
    explicit BlockIndex(ScanMethod method = bestScanMethod()) : method_(method) {}

    // Marks the first `size` bytes of `data`; `data` must be readable up to
    // the next multiple of 64 bytes (what lies there is ignored).
    void mark(const char* data, std::size_t size);

    // Index of the first carriage return at or after `from`, or the
    // marked size when there is none.
    std::size_t nextCarriageReturn(std::size_t from) const noexcept { return nextBit(carriageReturns_, from); }

    // Writes the indexes of the commas in [begin, end), at most `limit` of
    // them, relative to `begin`; returns how many.
    std::size_t commasBetween(std::size_t begin, std::size_t end, std::size_t* out, std::size_t limit) const noexcept {
        const std::size_t word = begin >> 6;
        if (word >= words_ || limit == 0) return 0;
        if (end - begin > 64) return commasBetweenFar(begin, end, out, limit);
        // The whole range lies within 64 bytes: gather its bits into one word
        // (the marks end with a spare zero word, so word + 1 is always there).
        const unsigned shift = begin & 63;
        std::uint64_t pending = commas_[word] >> shift;
        if (shift != 0) pending |= commas_[word + 1] << (64 - shift);
        if (end - begin < 64) pending &= (std::uint64_t{1} << (end - begin)) - 1;
        std::size_t found = 0;
        for (; pending != 0 && found < limit; pending &= pending - 1)
            out[found++] = static_cast<std::size_t>(__builtin_ctzll(pending));
        return found;
    }

private:
    std::size_t commasBetweenFar(std::size_t begin, std::size_t end, std::size_t* out, std::size_t limit) const noexcept;

    std::size_t nextBit(const std::vector<std::uint64_t>& bits, std::size_t from) const noexcept {
        std::size_t word = from >> 6;
        if (word >= words_) return size_;
        std::uint64_t pending = bits[word] & (~std::uint64_t{0} << (from & 63));
        while (pending == 0) {
            if (++word >= words_) return size_;
            pending = bits[word];
        }
        return (word << 6) + static_cast<std::size_t>(__builtin_ctzll(pending));
    }

    ScanMethod method_;
    std::size_t size_ = 0;
    std::size_t words_ = 0;
    std::vector<std::uint64_t> carriageReturns_;  // words_ words, then a zero word
    std::vector<std::uint64_t> commas_;
};

}  // namespace removal
