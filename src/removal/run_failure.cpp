#include "removal/run_failure.h"

#include <cstring>

namespace removal {

RunFailure::RunFailure(FailureKind kind, const std::string& description)
    : std::runtime_error(description), kind_(kind) {}

FailureKind RunFailure::kind() const noexcept { return kind_; }

const char* failureKindTitle(FailureKind kind) noexcept {
    switch (kind) {
    case FailureKind::SourceNotFound: return "Исходный файл не найден";
    case FailureKind::SourceUnreadable: return "Исходный файл не читается";
    case FailureKind::ResultAlreadyOpen: return "Итоговый файл совпадает с исходным";
    case FailureKind::ResultNotCreatable: return "Итоговый файл не создаётся";
    case FailureKind::SourceEmpty: return "Исходный файл пуст";
    case FailureKind::RecordTooFewFields: return "В записи WP мало полей";
    case FailureKind::PositionOverflow: return "Запятая записи WP стоит слишком далеко";
    case FailureKind::KeyTableFull: return "Таблица ключей заполнена";
    case FailureKind::WriteFailed: return "Итоговый файл не записывается";
    }
    return "Неизвестный сбой";
}

std::string systemErrorText(int errorNumber) {
    char buffer[256];
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = strerror_r(errorNumber, buffer, sizeof buffer);
    return text;
}

namespace {

std::string quoted(const std::filesystem::path& path) { return "«" + path.string() + "»"; }

std::string sourceLine(const std::filesystem::path& source, std::uint64_t lineNumber) {
    return "Строка " + std::to_string(lineNumber) + " исходного файла " + quoted(source) + ": ";
}

}  // namespace

RunFailure sourceNotFound(const std::filesystem::path& source) {
    return {FailureKind::SourceNotFound, "Исходный файл " + quoted(source) + " не найден."};
}

RunFailure sourceUnreadable(const std::filesystem::path& source, const std::string& reason) {
    return {FailureKind::SourceUnreadable,
            "Не удаётся прочитать исходный файл " + quoted(source) + ": " + reason + "."};
}

RunFailure resultAlreadyOpen(const std::filesystem::path& result) {
    return {FailureKind::ResultAlreadyOpen,
            "Итоговый файл " + quoted(result) +
                " — это тот же файл, что открыт как исходный. Исходный файл не изменён."};
}

RunFailure resultNotCreatable(const std::filesystem::path& result, const std::string& reason) {
    return {FailureKind::ResultNotCreatable,
            "Не удаётся создать итоговый файл " + quoted(result) + ": " + reason + "."};
}

RunFailure sourceEmpty(const std::filesystem::path& source) {
    return {FailureKind::SourceEmpty,
            "Исходный файл " + quoted(source) + " пуст: в нём нет даже строки заголовка."};
}

RunFailure recordTooFewFields(const std::filesystem::path& source, std::uint64_t lineNumber) {
    return {FailureKind::RecordTooFewFields,
            sourceLine(source, lineNumber) +
                "в записи WP меньше пяти запятых, а ей нужно пять. Записи до этой строки в итоговом файле."};
}

RunFailure positionOverflow(const std::filesystem::path& source, std::uint64_t lineNumber) {
    return {FailureKind::PositionOverflow,
            sourceLine(source, lineNumber) +
                "одна из первых пяти запятых записи WP стоит дальше позиции 32766. Записи до этой строки в "
                "итоговом файле."};
}

RunFailure keyTableFull(const std::filesystem::path& source, std::uint64_t lineNumber) {
    return {FailureKind::KeyTableFull,
            sourceLine(source, lineNumber) +
                "запись с 10001-м различным ключом, а таблица вмещает не больше 10000 ключей. В итоговом "
                "файле заголовок и первые 10000 записей."};
}

RunFailure writeFailed(const std::filesystem::path& result, const std::string& reason) {
    return {FailureKind::WriteFailed,
            "Не удаётся записать итоговый файл " + quoted(result) + ": " + reason +
                ". Итоговый файл неполон."};
}

}  // namespace removal
