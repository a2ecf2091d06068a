#include "removal/record_fields.h"

#include <cstring>

#include "removal/run_failure.h"

namespace removal {

namespace {

std::string_view trimSpaces(std::string_view text) noexcept {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    return text.substr(begin, end - begin);
}

}  // namespace

SplitOutcome splitFields(std::string_view line, RecordFields& fields) noexcept {
    const char* const data = line.data();
    std::size_t start = 0;  // 0-based index of the field's first character
    for (std::string_view& field : fields) {
        if (start >= line.size()) return SplitOutcome::TooFewFields;
        const auto* comma = static_cast<const char*>(std::memchr(data + start, ',', line.size() - start));
        if (comma == nullptr) return SplitOutcome::TooFewFields;
        const auto commaIndex = static_cast<std::size_t>(comma - data);
        // The comma's 1-based position is commaIndex + 1; the next field would
        // start one further, which must still be a valid position.
        if (commaIndex + 1 > lastCommaPosition) return SplitOutcome::PositionOverflow;
        field = trimSpaces(line.substr(start, commaIndex - start));
        start = commaIndex + 1;
    }
    return SplitOutcome::Split;
}

namespace {

// Raised without a file or line: the filter run reports those itself.
[[noreturn]] void raiseSplitFailure(SplitOutcome outcome) {
    if (outcome == SplitOutcome::PositionOverflow)
        throw RunFailure(FailureKind::PositionOverflow,
                         "Одна из первых пяти запятых записи WP стоит дальше позиции 32766.");
    throw RunFailure(FailureKind::RecordTooFewFields, "В записи WP меньше пяти запятых, а ей нужно пять.");
}

}  // namespace

RecordFields splitRecordFields(std::string_view line) {
    RecordFields fields;
    const SplitOutcome outcome = splitFields(line, fields);
    if (outcome != SplitOutcome::Split) raiseSplitFailure(outcome);
    return fields;
}

SplitOutcome keyViewOf(std::string_view line, RecordKeyView& key) noexcept {
    RecordFields fields;
    const SplitOutcome outcome = splitFields(line, fields);
    if (outcome == SplitOutcome::Split) key = {fields[2], fields[3], fields[4]};
    return outcome;
}

RecordKey recordKeyOf(std::string_view line) {
    const RecordFields fields = splitRecordFields(line);
    return RecordKey(RecordKeyView{fields[2], fields[3], fields[4]});
}

}  // namespace removal
