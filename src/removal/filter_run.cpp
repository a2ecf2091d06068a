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
    if (reader.atEnd()) throw sourceEmpty(sourcePath);
    writer.writeLine(reader.readLine());  // the header: never examined

    while (!reader.atEnd()) {
        const std::string_view line = reader.readLine();
        if (!isWpRecord(line)) continue;

        RecordKeyView key;
        switch (keyViewOf(line, key)) {
        case SplitOutcome::Split: break;
        case SplitOutcome::TooFewFields: throw recordTooFewFields(sourcePath, reader.lineNumber());
        case SplitOutcome::PositionOverflow: throw positionOverflow(sourcePath, reader.lineNumber());
        }
        if (keys.find(key)) continue;
        if (keys.full()) throw keyTableFull(sourcePath, reader.lineNumber());
        keys.add(key);
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
