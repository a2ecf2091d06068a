#include "oracle/simple_removal.h"

#include <array>

namespace oracle {

using removal::FailureKind;

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::string line;
        while (at < bytes.size() && bytes[at] != '\r') line += bytes[at++];
        if (at < bytes.size()) {
            ++at;  // the carriage return
            if (at < bytes.size() && bytes[at] == '\n') ++at;
        }
        lines.push_back(line);
    }
    return lines;
}

namespace {

// The 1-based position of the first comma at or after `start`, 0 if none.
std::size_t commaFrom(const std::string& line, std::size_t start) {
    for (std::size_t position = start; position <= line.size(); ++position)
        if (line[position - 1] == ',') return position;
    return 0;
}

std::string trimSpaces(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

SplitResult splitRecord(const std::string& line) {
    SplitResult result;
    std::size_t start = 1;
    for (int k = 0; k < 5; ++k) {
        const std::size_t comma = commaFrom(line, start);
        if (comma > 32767) return {FailureKind::PositionOverflow, {}};
        if (comma == 0) return {FailureKind::RecordTooFewFields, {}};
        result.fields.push_back(trimSpaces(line.substr(start - 1, comma - start)));
        start = comma + 1;
        if (start > 32767) return {FailureKind::PositionOverflow, {}};
    }
    return result;
}

Outcome removeDuplicates(const std::string& source) {
    Outcome outcome;
    const std::vector<std::string> lines = splitLines(source);
    if (lines.empty()) {
        outcome.failure = FailureKind::SourceEmpty;
        return outcome;
    }
    outcome.result = lines[0] + "\r\n";

    std::vector<std::array<std::string, 3>> table;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() < 2 || line[0] != 'W' || line[1] != 'P') continue;
        const SplitResult split = splitRecord(line);
        if (split.failure) {
            outcome.failure = split.failure;
            return outcome;
        }
        const std::array<std::string, 3> key = {split.fields[2], split.fields[3], split.fields[4]};
        bool seen = false;
        for (const auto& row : table) {
            if (row == key) {
                seen = true;
                break;
            }
        }
        if (seen) continue;
        if (table.size() == 10000) {
            outcome.failure = FailureKind::KeyTableFull;
            return outcome;
        }
        table.push_back(key);
        outcome.result += line + "\r\n";
    }
    outcome.kept = static_cast<int>(table.size());
    return outcome;
}

}  // namespace oracle
