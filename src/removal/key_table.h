#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "removal/record_fields.h"

namespace removal {

// The record keys seen in one run, in order of first appearance, rows numbered
// from 1. find() answers what a scan from row 1 would answer, through a hash
// index over the stored keys, so its cost doesn't grow with the table.
//
// Keys are stored encoded (see encodeKey) one after another in one arena, so
// that the whole table stays small and close together in the processor's cache.
class KeyTable {
public:
    static constexpr int capacity = 10000;

    KeyTable();

    // The row holding an equal key, or none.
    std::optional<int> find(const RecordKeyView& key) const;
    std::optional<int> find(const RecordKey& key) const { return find(key.view()); }

    // Stores the key in row count() + 1. Raises RunFailure (KeyTableFull) when
    // the table already holds `capacity` keys, leaving it unchanged. Callers
    // add only keys that find() doesn't know.
    void add(const RecordKeyView& key);
    void add(const RecordKey& key) { add(key.view()); }

    // The same on encoded keys with their hash: the filter's per-line path.
    // The row, or 0 when the key is not there (a plain number: returning an
    // optional through memory measurably stalled the caller).
    int findEncoded(std::string_view encoded, std::uint64_t hash) const noexcept;
    void addEncoded(std::string_view encoded, std::uint64_t hash);

    // Hints that a lookup of this hash is coming: fetch its slot, and once the
    // slot is at hand, the key it leads to. They change nothing.
    void prefetchSlot(std::uint64_t hash) const noexcept { __builtin_prefetch(&slots_[hash & (slotCount - 1)]); }
    void prefetchEntry(std::uint64_t hash) const noexcept {
        const Slot& slot = slots_[hash & (slotCount - 1)];
        if (slot.tagAndRow != 0) __builtin_prefetch(arena_.data() + slot.offset);
    }

    // Empties the table for another run, keeping its memory.
    void clear() noexcept;

    int count() const noexcept { return static_cast<int>(entryOffsets_.size()); }
    bool full() const noexcept { return count() >= capacity; }
    RecordKey row(int number) const;

    static std::uint64_t hashOf(std::string_view encoded) noexcept;

private:
    std::string_view encodedRow(int number) const noexcept;

    // A slot leads straight to its key in the arena, so that a lookup costs
    // one visit to the index and one to the arena: the offset of the key's
    // entry, the row number in the low 16 bits of `tagAndRow`, and 16 further
    // bits of the key's hash above them, which rule out most wrong entries
    // without visiting the arena. Row 0 marks an empty slot.
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t tagAndRow = 0;
    };
    // Over six times the capacity: 512 KiB, but a lookup nearly always ends at
    // its first slot, which costs less than the cache it takes (measured).
    static constexpr std::size_t slotCount = std::size_t{1} << 16;
    static_assert(slotCount > capacity, "a full table must leave empty slots");

    // Each entry: the key's length (4 bytes), then its bytes.
    std::string arena_;
    std::vector<std::uint32_t> entryOffsets_;  // by row - 1
    std::vector<Slot> slots_;
};

}  // namespace removal
