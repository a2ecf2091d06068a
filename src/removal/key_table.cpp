#include "removal/key_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "removal/run_failure.h"

namespace removal {

namespace {

__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t secret0 = 0xa0761d6478bd642fULL;
constexpr std::uint64_t secret1 = 0xe7037ed1a0b428dbULL;

// The high and low halves of a 128-bit product, folded: mixes well in a
// handful of cycles.
inline std::uint64_t mix(std::uint64_t a, std::uint64_t b) noexcept {
    const Wide product = static_cast<Wide>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

inline std::uint64_t load64(const char* data) noexcept {
    std::uint64_t value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

inline std::uint64_t load32(const char* data) noexcept {
    std::uint32_t value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

inline std::uint64_t load3(const char* data, std::size_t size) noexcept {
    const auto byte = [](char c) { return static_cast<std::uint64_t>(static_cast<unsigned char>(c)); };
    return (byte(data[0]) << 16) | (byte(data[size >> 1]) << 8) | byte(data[size - 1]);
}

}  // namespace

// A multiply-and-fold hash over a few (possibly overlapping) word loads: short
// keys, the usual case, cost two or three 128-bit products and no loop.
std::uint64_t KeyTable::hashOf(std::string_view encoded) noexcept {
    const char* data = encoded.data();
    std::size_t size = encoded.size();
    std::uint64_t seed = secret0 ^ mix(size ^ secret1, secret0);
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (size <= 16) {
        if (size >= 4) {
            const std::size_t step = (size >> 3) << 2;
            a = (load32(data) << 32) | load32(data + step);
            b = (load32(data + size - 4) << 32) | load32(data + size - 4 - step);
        } else if (size > 0) {
            a = load3(data, size);
        }
    } else if (size <= 32) {
        // The common key: four words, overlapping in the middle, folded with
        // rotations into two mixes.
        a = load64(data) ^ std::rotl(load64(data + size - 16), 29);
        b = load64(data + 8) ^ std::rotl(load64(data + size - 8), 41);
    } else {
        std::size_t left = size;
        while (left > 16) {
            seed = mix(load64(data) ^ secret1, load64(data + 8) ^ seed);
            data += 16;
            left -= 16;
        }
        // The last 16 bytes of the key, overlapping what came before.
        a = load64(data + left - 16);
        b = load64(data + left - 8);
    }
    return mix(secret1 ^ size, mix(a ^ secret1, b ^ seed));
}

KeyTable::KeyTable() : slots_(slotCount) {}

namespace {

std::uint32_t tagOf(std::uint64_t hash) noexcept { return static_cast<std::uint32_t>(hash >> 48) << 16; }

std::uint32_t loadLength(const char* entry) noexcept {
    std::uint32_t length;
    std::memcpy(&length, entry, sizeof length);
    return length;
}

// Equality of two byte ranges of the same length, in whole words for the
// short keys that the table nearly always holds.
bool sameBytes(const char* a, const char* b, std::size_t size) noexcept {
    if (size >= 8 && size <= 16)
        return load64(a) == load64(b) && load64(a + size - 8) == load64(b + size - 8);
    if (size > 16 && size <= 32)
        return load64(a) == load64(b) && load64(a + 8) == load64(b + 8) &&
               load64(a + size - 16) == load64(b + size - 16) && load64(a + size - 8) == load64(b + size - 8);
    return std::memcmp(a, b, size) == 0;
}

}  // namespace

void KeyTable::clear() noexcept {
    arena_.clear();
    entryOffsets_.clear();
    std::fill(slots_.begin(), slots_.end(), Slot{});
}

std::string_view KeyTable::encodedRow(int number) const noexcept {
    const char* entry = arena_.data() + entryOffsets_[static_cast<std::size_t>(number) - 1];
    return {entry + sizeof(std::uint32_t), loadLength(entry)};
}

int KeyTable::findEncoded(std::string_view encoded, std::uint64_t hash) const noexcept {
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t index = hash & (slotCount - 1);; index = (index + 1) & (slotCount - 1)) {
        const Slot slot = slots_[index];
        if (slot.tagAndRow == 0) return 0;
        if ((slot.tagAndRow & 0xFFFF0000u) != tag) continue;
        const char* entry = arena_.data() + slot.offset;
        if (loadLength(entry) == encoded.size() &&
            sameBytes(entry + sizeof(std::uint32_t), encoded.data(), encoded.size()))
            return static_cast<int>(slot.tagAndRow & 0xFFFFu);
    }
}

void KeyTable::addEncoded(std::string_view encoded, std::uint64_t hash) {
    if (full())
        throw RunFailure(FailureKind::KeyTableFull,
                         "Таблица ключей заполнена: больше 10000 различных ключей не помещается.");
    const auto offset = static_cast<std::uint32_t>(arena_.size());
    const auto length = static_cast<std::uint32_t>(encoded.size());
    arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
    arena_.append(encoded);
    entryOffsets_.push_back(offset);

    std::size_t index = hash & (slotCount - 1);
    while (slots_[index].tagAndRow != 0) index = (index + 1) & (slotCount - 1);
    slots_[index] = {offset, tagOf(hash) | static_cast<std::uint32_t>(count())};
}

std::optional<int> KeyTable::find(const RecordKeyView& key) const {
    const std::string encoded = encodeKey(key);
    if (const int row = findEncoded(encoded, hashOf(encoded)); row != 0) return row;
    return std::nullopt;
}

void KeyTable::add(const RecordKeyView& key) {
    const std::string encoded = encodeKey(key);
    addEncoded(encoded, hashOf(encoded));
}

RecordKey KeyTable::row(int number) const {
    if (number < 1 || number > count()) throw std::out_of_range("KeyTable::row");
    return decodeKey(encodedRow(number));
}

}  // namespace removal
