#include "removal/record_fields.h"

#include <cstring>

#include "removal/run_failure.h"

namespace removal {

FirstCommas findFirstCommas(std::string_view line) noexcept {
    FirstCommas commas;
    const char* const data = line.data();
    std::size_t from = 0;
    while (commas.count < 5 && from < line.size()) {
        const void* found = std::memchr(data + from, ',', line.size() - from);
        if (found == nullptr) break;
        const auto index = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        commas.index[commas.count++] = index;
        from = index + 1;
    }
    return commas;
}

namespace {

// The splitting rule checks the commas in order: the first that is missing or
// stands too far out decides. Commas come in increasing positions, so one of
// those found stands too far out exactly when the last one does.
SplitOutcome checkCommas(const FirstCommas& commas) noexcept {
    if (commas.count == 0) return SplitOutcome::TooFewFields;
    // The comma's 1-based position is index + 1; the next field would start
    // one further, which must still be a valid position.
    if (commas.index[commas.count - 1] + 1 > lastCommaPosition) return SplitOutcome::PositionOverflow;
    return commas.count == 5 ? SplitOutcome::Split : SplitOutcome::TooFewFields;
}

std::string_view trimmedBetween(const char* line, std::size_t begin, std::size_t end) noexcept {
    while (begin < end && line[begin] == ' ') ++begin;
    while (end > begin && line[end - 1] == ' ') --end;
    return {line + begin, end - begin};
}

}  // namespace

SplitOutcome splitFieldsAt(std::string_view line, const FirstCommas& commas, RecordFields& fields) noexcept {
    const SplitOutcome outcome = checkCommas(commas);
    if (outcome != SplitOutcome::Split) return outcome;
    std::size_t start = 0;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        fields[k] = trimmedBetween(line.data(), start, commas.index[k]);
        start = commas.index[k] + 1;
    }
    return outcome;
}

SplitOutcome splitFields(std::string_view line, RecordFields& fields) noexcept {
    return splitFieldsAt(line, findFirstCommas(line), fields);
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

std::string encodeKey(const RecordKeyView& key) {
    std::string encoded;
    encoded.reserve(key.field2.size() + key.field3.size() + key.field4.size() + 2);
    encoded.append(key.field2).append(1, ',').append(key.field3).append(1, ',').append(key.field4);
    return encoded;
}

RecordKey decodeKey(std::string_view encoded) {
    const std::size_t first = encoded.find(',');
    const std::size_t second = encoded.find(',', first + 1);
    return RecordKey(std::string(encoded.substr(0, first)), std::string(encoded.substr(first + 1, second - first - 1)),
                     std::string(encoded.substr(second + 1)));
}

SplitOutcome encodedKeyAt(std::string_view line, const FirstCommas& commas, std::string& scratch,
                          std::string_view& encoded) {
    const SplitOutcome outcome = checkCommas(commas);
    if (outcome != SplitOutcome::Split) return outcome;

    // Fields 2 to 4 lie between the second and the fifth comma.
    const char* const data = line.data();
    const std::size_t begin = commas.index[1] + 1;
    const std::size_t end = commas.index[4];
    const std::size_t inner1 = commas.index[2];
    const std::size_t inner2 = commas.index[3];
    // A byte next to a comma may be the comma itself (an empty field); only a
    // space there needs trimming. The five commas lie inside the line.
    const bool nothingToTrim = data[begin] != ' ' && data[end - 1] != ' ' && data[inner1 - 1] != ' ' &&
                               data[inner1 + 1] != ' ' && data[inner2 - 1] != ' ' && data[inner2 + 1] != ' ';
    if (nothingToTrim) {
        encoded = {data + begin, end - begin};
        return outcome;
    }
    RecordFields fields;
    splitFieldsAt(line, commas, fields);
    scratch.assign(fields[2]).append(1, ',').append(fields[3]).append(1, ',').append(fields[4]);
    encoded = scratch;
    return outcome;
}

RecordKey recordKeyOf(std::string_view line) {
    const RecordFields fields = splitRecordFields(line);
    return RecordKey(RecordKeyView{fields[2], fields[3], fields[4]});
}

}  // namespace removal
