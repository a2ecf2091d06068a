#pragma once

#include <array>
#include <cstddef>
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

// The 0-based indexes of the first five commas of a line (fewer when the line
// has fewer): all that splitting a record needs to know of it.
struct FirstCommas {
    std::size_t count = 0;
    std::size_t index[5];  // the first `count` are set
};

FirstCommas findFirstCommas(std::string_view line) noexcept;

// Fields 0 to 4 of a WP record: the text between the start of the line and
// the first comma, then between consecutive commas up to the fifth, each with
// leading and trailing spaces (and only spaces) removed. Text after the fifth
// comma belongs to no field. A missing comma fails the record, and so does one
// at a position beyond 32766, whichever of the five comes first. The views
// point into `line`; no allocation.
SplitOutcome splitFields(std::string_view line, RecordFields& fields) noexcept;
SplitOutcome splitFieldsAt(std::string_view line, const FirstCommas& commas, RecordFields& fields) noexcept;

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

// A key as one byte string: field 2, comma, field 3, comma, field 4. Fields
// hold no commas, so equal encodings mean equal keys.
std::string encodeKey(const RecordKeyView& key);
RecordKey decodeKey(std::string_view encoded);

// The encoded key of a WP record, failing as splitFields does. When no space
// stands next to the commas around fields 2 to 4 (nearly always), the encoding
// is the record's own bytes and nothing is copied; otherwise it is built in
// `scratch`, whose storage is reused from line to line.
SplitOutcome encodedKeyAt(std::string_view line, const FirstCommas& commas, std::string& scratch,
                          std::string_view& encoded);

// The key of a WP record; raises what splitRecordFields raises.
RecordKey recordKeyOf(std::string_view line);

}  // namespace removal
