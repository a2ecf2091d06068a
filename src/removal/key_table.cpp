#include "removal/key_table.h"

#include <cstring>

#include "removal/run_failure.h"

namespace removal {

namespace {

constexpr std::uint64_t mixMultiplier = 0x9E3779B97F4A7C15ULL;

std::uint64_t mix(std::uint64_t value) noexcept {
    value ^= value >> 32;
    value *= 0xD6E8FEB86659FD93ULL;
    value ^= value >> 32;
    return value;
}

// A word-at-a-time hash; the length goes in, so that moving bytes from one
// field to the next changes the result.
std::uint64_t hashField(std::uint64_t state, std::string_view text) noexcept {
    state = mix(state ^ (text.size() * mixMultiplier));
    const char* data = text.data();
    std::size_t left = text.size();
    while (left >= 8) {
        std::uint64_t word;
        std::memcpy(&word, data, 8);
        state = mix(state ^ word) + mixMultiplier;
        data += 8;
        left -= 8;
    }
    if (left > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, data, left);
        state = mix(state ^ word) + mixMultiplier;
    }
    return state;
}

}  // namespace

std::uint64_t KeyTable::hashOf(const RecordKeyView& key) noexcept {
    std::uint64_t state = 0x243F6A8885A308D3ULL;
    state = hashField(state, key.field2);
    state = hashField(state, key.field3);
    state = hashField(state, key.field4);
    return mix(state);
}

KeyTable::KeyTable() : slots_(slotCount) {}

std::optional<int> KeyTable::find(const RecordKeyView& key) const noexcept {
    const std::uint64_t hash = hashOf(key);
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t index = hash & (slotCount - 1);; index = (index + 1) & (slotCount - 1)) {
        const Slot& slot = slots_[index];
        if (slot.row == 0) return std::nullopt;
        if (slot.hashTag == tag && rows_[slot.row - 1u].view() == key) return slot.row;
    }
}

void KeyTable::add(const RecordKeyView& key) {
    if (full())
        throw RunFailure(FailureKind::KeyTableFull,
                         "Таблица ключей заполнена: больше 10000 различных ключей не помещается.");
    rows_.emplace_back(key);
    const std::uint64_t hash = hashOf(key);
    std::size_t index = hash & (slotCount - 1);
    while (slots_[index].row != 0) index = (index + 1) & (slotCount - 1);
    slots_[index] = {static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint16_t>(rows_.size())};
}

}  // namespace removal
