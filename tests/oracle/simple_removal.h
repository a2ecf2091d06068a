#pragma once

// A second, deliberately simple removal, to check the real one against: the
// whole file in memory, lines cut one character at a time, fields found as
// the splitting rule says step by step with 1-based positions, and keys
// looked up by a plain scan from the first row. Slow, and obviously right.
#include <optional>
#include <string>
#include <vector>

#include "removal/run_failure.h"

namespace oracle {

std::vector<std::string> splitLines(const std::string& bytes);

struct SplitResult {
    std::optional<removal::FailureKind> failure;  // RecordTooFewFields or PositionOverflow
    std::vector<std::string> fields;              // five when split
};

SplitResult splitRecord(const std::string& line);

struct Outcome {
    std::string result;                           // the result file's bytes
    std::optional<removal::FailureKind> failure;  // how the run ended early, if it did
    int kept = 0;                                 // n, when it didn't
};

Outcome removeDuplicates(const std::string& source);

}  // namespace oracle
