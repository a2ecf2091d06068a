#include "removal/block_index.h"

#if REMOVAL_HAVE_SSE2
#include <emmintrin.h>
#endif

namespace removal {

namespace {

void markPlain(const char* data, std::size_t words, std::uint64_t* carriageReturns, std::uint64_t* commas) noexcept {
    for (std::size_t word = 0; word < words; ++word) {
        std::uint64_t returnBits = 0;
        std::uint64_t commaBits = 0;
        const char* bytes = data + word * 64;
        for (unsigned bit = 0; bit < 64; ++bit) {
            returnBits |= std::uint64_t{bytes[bit] == '\r'} << bit;
            commaBits |= std::uint64_t{bytes[bit] == ','} << bit;
        }
        carriageReturns[word] = returnBits;
        commas[word] = commaBits;
    }
}

#if REMOVAL_HAVE_SSE2
inline std::uint64_t matches16(__m128i chunk, __m128i wanted) noexcept {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted))));
}

void markSse2(const char* data, std::size_t words, std::uint64_t* carriageReturns, std::uint64_t* commas) noexcept {
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    const __m128i comma = _mm_set1_epi8(',');
    for (std::size_t word = 0; word < words; ++word) {
        const auto* chunks = reinterpret_cast<const __m128i*>(data + word * 64);
        const __m128i c0 = _mm_loadu_si128(chunks);
        const __m128i c1 = _mm_loadu_si128(chunks + 1);
        const __m128i c2 = _mm_loadu_si128(chunks + 2);
        const __m128i c3 = _mm_loadu_si128(chunks + 3);
        carriageReturns[word] = matches16(c0, carriageReturn) | (matches16(c1, carriageReturn) << 16) |
                                (matches16(c2, carriageReturn) << 32) | (matches16(c3, carriageReturn) << 48);
        commas[word] = matches16(c0, comma) | (matches16(c1, comma) << 16) | (matches16(c2, comma) << 32) |
                       (matches16(c3, comma) << 48);
    }
}
#endif

}  // namespace

ScanMethod bestScanMethod() noexcept { return REMOVAL_HAVE_SSE2 ? ScanMethod::Sse2 : ScanMethod::Plain; }

void BlockIndex::mark(const char* data, std::size_t size) {
    size_ = size;
    words_ = (size + 63) / 64;
    if (carriageReturns_.size() < words_ + 1) {
        carriageReturns_.resize(words_ + 1);
        commas_.resize(words_ + 1);
    }
    carriageReturns_[words_] = 0;
    commas_[words_] = 0;
#if REMOVAL_HAVE_SSE2
    if (method_ == ScanMethod::Sse2)
        markSse2(data, words_, carriageReturns_.data(), commas_.data());
    else
#endif
        markPlain(data, words_, carriageReturns_.data(), commas_.data());

    // Bytes past the end of the block are no line ends and no commas.
    if (const std::size_t tail = size & 63; tail != 0) {
        const std::uint64_t keep = (std::uint64_t{1} << tail) - 1;
        carriageReturns_[words_ - 1] &= keep;
        commas_[words_ - 1] &= keep;
    }
}

std::size_t BlockIndex::commasBetweenFar(std::size_t begin, std::size_t end, std::size_t* out,
                                         std::size_t limit) const noexcept {
    std::size_t found = 0;
    for (std::size_t at = nextBit(commas_, begin); at < end && found < limit; at = nextBit(commas_, at + 1))
        out[found++] = at - begin;
    return found;
}

}  // namespace removal
