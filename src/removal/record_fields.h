#pragma once

#include <array>
#include <string>
#include <string_view>

namespace removal {

// The last character position (1-based) at which a separating comma may stand;
// positions are 16-bit in the record format, and the position after the comma
// must fit too.
inline constexpr std::size_t lastCommaPosition = 32766;

// A line whose first two characters are capital W and capital P.
constexpr bool isWpRecord(std::string_view line) noexcept {
    return line.size() >= 2 && line[0] == 'W' && line[1] == 'P';
}

using RecordFields = std::array<std::string_view, 5>;

enum class SplitOutcome { Split, TooFewFields, PositionOverflow };

// Fields 0 to 4 of a WP record: the text between the start of the line and
// the first comma, then between consecutive commas up to the fifth, each with
// leading and trailing spaces (and only spaces) removed. Text after the fifth
// comma belongs to no field. The views point into `line`; no allocation.
SplitOutcome splitFields(std::string_view line, RecordFields& fields) noexcept;

// The same, raising RunFailure (RecordTooFewFields or PositionOverflow).
RecordFields splitRecordFields(std::string_view line);

// Fields 2, 3 and 4 of a WP record, viewed in place.
struct RecordKeyView {
    std::string_view field2;
    std::string_view field3;
    std::string_view field4;
    friend bool operator==(const RecordKeyView&, const RecordKeyView&) = default;
};

// Fields 2, 3 and 4 of a WP record, owned. Equal when each field is equal
// byte for byte: case and inner spaces count.
struct RecordKey {
    std::string field2;
    std::string field3;
    std::string field4;

    RecordKey() = default;
    RecordKey(std::string f2, std::string f3, std::string f4)
        : field2(std::move(f2)), field3(std::move(f3)), field4(std::move(f4)) {}
    explicit RecordKey(const RecordKeyView& view) : field2(view.field2), field3(view.field3), field4(view.field4) {}

    RecordKeyView view() const noexcept { return {field2, field3, field4}; }
    friend bool operator==(const RecordKey&, const RecordKey&) = default;
};

// The key of a WP record without allocating; fails as splitFields does.
SplitOutcome keyViewOf(std::string_view line, RecordKeyView& key) noexcept;

// The key of a WP record; raises what splitRecordFields raises.
RecordKey recordKeyOf(std::string_view line);

}  // namespace removal
