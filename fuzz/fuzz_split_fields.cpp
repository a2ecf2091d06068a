// The field splitter and the per-line key against the step-by-step splitting
// rule with 1-based positions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "oracle/simple_removal.h"
#include "removal/record_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Inputs are short; a prefix of spaces and commas lets them reach the
    // 32766 limit.
    std::string line(reinterpret_cast<const char*>(data), size);
    if (size > 0 && data[0] == 0xFF) line = std::string(32760, 'x') + line.substr(1);

    const oracle::SplitResult expected = oracle::splitRecord(line);
    removal::RecordFields fields;
    const removal::SplitOutcome outcome = removal::splitFields(line, fields);
    std::string scratch;
    std::string_view key;
    const removal::SplitOutcome keyOutcome =
        removal::encodedKeyAt(line, removal::findFirstCommas(line), scratch, key);
    if (keyOutcome != outcome) __builtin_trap();

    switch (outcome) {
    case removal::SplitOutcome::Split:
        if (expected.failure) __builtin_trap();
        for (std::size_t k = 0; k < 5; ++k)
            if (fields[k] != expected.fields[k]) __builtin_trap();
        if (key != expected.fields[2] + "," + expected.fields[3] + "," + expected.fields[4]) __builtin_trap();
        break;
    case removal::SplitOutcome::TooFewFields:
        if (expected.failure != removal::FailureKind::RecordTooFewFields) __builtin_trap();
        break;
    case removal::SplitOutcome::PositionOverflow:
        if (expected.failure != removal::FailureKind::PositionOverflow) __builtin_trap();
        break;
    }
    return 0;
}
