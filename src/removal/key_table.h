#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "removal/record_fields.h"

namespace removal {

// The record keys seen in one run, in order of first appearance, rows numbered
// from 1. find() answers what a scan from row 1 would answer, through a hash
// index over the stored keys, so its cost doesn't grow with the table.
class KeyTable {
public:
    static constexpr int capacity = 10000;

    KeyTable();

    // The row holding an equal key, or none.
    std::optional<int> find(const RecordKeyView& key) const noexcept;
    std::optional<int> find(const RecordKey& key) const noexcept { return find(key.view()); }

    // Stores the key in row count() + 1. Raises RunFailure (KeyTableFull) when
    // the table already holds `capacity` keys, leaving it unchanged. Callers
    // add only keys that find() doesn't know.
    void add(const RecordKeyView& key);
    void add(const RecordKey& key) { add(key.view()); }

    int count() const noexcept { return static_cast<int>(rows_.size()); }
    bool full() const noexcept { return count() >= capacity; }
    const RecordKey& row(int number) const { return rows_.at(static_cast<std::size_t>(number - 1)); }

    static std::uint64_t hashOf(const RecordKeyView& key) noexcept;

private:
    struct Slot {
        std::uint32_t hashTag = 0;
        std::uint16_t row = 0;  // 0: empty
    };
    // A power of two above twice the capacity keeps probe runs short.
    static constexpr std::size_t slotCount = 32768;

    std::vector<RecordKey> rows_;
    std::vector<Slot> slots_;
};

}  // namespace removal
