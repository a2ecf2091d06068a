#include "removal/filter_run.h"

#include <stdexcept>

#include "removal/line_reader.h"
#include "removal/line_writer.h"
#include "removal/record_fields.h"
#include "removal/run_failure.h"

namespace removal {

namespace {

int copyKeptLines(LineReader& reader, LineWriter& writer, KeyTable& keys,
                  const std::filesystem::path& sourcePath) {
    std::string keyScratch;  // for the rare key with spaces around its inner commas
    std::string_view line;
    if (!reader.nextLine(line)) throw sourceEmpty(sourcePath);
    writer.writeLine(line);  // the header: never examined

    while (reader.nextLine(line)) {
        if (!isWpRecord(line)) continue;

        std::string_view key;
        switch (encodedKeyAt(line, reader.firstCommas(), keyScratch, key)) {
        case SplitOutcome::Split: break;
        case SplitOutcome::TooFewFields: throw recordTooFewFields(sourcePath, reader.lineNumber());
        case SplitOutcome::PositionOverflow: throw positionOverflow(sourcePath, reader.lineNumber());
        }
        const std::uint64_t hash = KeyTable::hashOf(key);
        if (keys.findEncoded(key, hash)) continue;
        if (keys.full()) throw keyTableFull(sourcePath, reader.lineNumber());
        keys.addEncoded(key, hash);
        writer.writeLine(line);
    }
    return keys.count();
}

}  // namespace

int filterLines(BlockSource& source, ByteSink& sink, KeyTable& keys, const std::filesystem::path& sourcePath) {
    LineReader reader(source);
    LineWriter writer(sink);
    int kept = 0;
    try {
        kept = copyKeptLines(reader, writer, keys, sourcePath);
    } catch (...) {
        // The result must hold exactly what was written before the failure;
        // the failure itself goes on to the caller unchanged.
        try {
            writer.flush();
        } catch (...) {
        }
        throw;
    }
    writer.flush();
    return kept;
}

void FilterRun::openSource(const std::filesystem::path& sourcePath) {
    sourcePath_ = sourcePath;
    source_.open(sourcePath);
}

void FilterRun::createResult(const std::filesystem::path& resultPath) {
    if (!source_.isOpen()) throw std::logic_error("FilterRun::createResult before openSource");
    resultPath_ = resultPath;
    result_.create(resultPath, source_);
}

int FilterRun::filterRecords() {
    if (!source_.isOpen() || !result_.isOpen()) throw std::logic_error("FilterRun::filterRecords before both files are open");
    keys_ = KeyTable();
    const int kept = filterLines(source_, result_, keys_, sourcePath_);
    result_.close();
    source_.close();
    return kept;
}

void FilterRun::abandon() noexcept {
    result_.closeQuietly();
    source_.close();
}

}  // namespace removal
