#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace removal {

// Every way a run can end early. The window turns any of them into the general
// failure report; tests tell them apart by kind.
enum class FailureKind { SourceNotFound, SourceUnreadable, ResultAlreadyOpen, ResultNotCreatable,
                         SourceEmpty, RecordTooFewFields, PositionOverflow, KeyTableFull, WriteFailed };

// what(): the description for the user, Russian, UTF-8.
class RunFailure : public std::runtime_error {
public:
    RunFailure(FailureKind kind, const std::string& description);
    FailureKind kind() const noexcept;

private:
    FailureKind kind_;
};

// The kind in words, as the failure report names it ("Исходный файл не найден", ...).
const char* failureKindTitle(FailureKind kind) noexcept;

// The system's own text for an errno value, in the user's language when the
// system has it.
std::string systemErrorText(int errorNumber);

// Builders for the descriptions, so that every failure of a kind reads the same
// wherever it is raised. Line numbers count source lines from 1.
RunFailure sourceNotFound(const std::filesystem::path& source);
RunFailure sourceUnreadable(const std::filesystem::path& source, const std::string& reason);
RunFailure resultAlreadyOpen(const std::filesystem::path& result);
RunFailure resultNotCreatable(const std::filesystem::path& result, const std::string& reason);
RunFailure sourceEmpty(const std::filesystem::path& source);
RunFailure recordTooFewFields(const std::filesystem::path& source, std::uint64_t lineNumber);
RunFailure positionOverflow(const std::filesystem::path& source, std::uint64_t lineNumber);
RunFailure keyTableFull(const std::filesystem::path& source, std::uint64_t lineNumber);
RunFailure writeFailed(const std::filesystem::path& result, const std::string& reason);

}  // namespace removal
