#pragma once

#include <filesystem>

#include "removal/key_table.h"
#include "removal/line_reader.h"
#include "removal/line_writer.h"
#include "removal/result_file.h"
#include "removal/source_file.h"

namespace removal {

// One pass from a source file to a result file: the header line, then the
// first WP record of every key. Driven in steps, because the overwrite
// question comes after the source is open and before the result is created.
class FilterRun {
public:
    FilterRun() = default;
    FilterRun(const FilterRun&) = delete;
    FilterRun& operator=(const FilterRun&) = delete;
    ~FilterRun() { abandon(); }

    // Raises SourceNotFound or SourceUnreadable.
    void openSource(const std::filesystem::path& sourcePath);
    // Raises ResultAlreadyOpen or ResultNotCreatable; the source stays unchanged.
    void createResult(const std::filesystem::path& resultPath);
    // Copies the header and keeps the first record of every key; closes both
    // files and returns n, the WP records written. Whatever ends it early, the
    // lines written before are in the result file.
    int filterRecords();
    void abandon() noexcept;  // closes whatever is open; safe after a failure and twice

private:
    std::filesystem::path sourcePath_;
    SourceFile source_;
    ResultFile result_;
    KeyTable keys_;
};

// The sizes of the filter's read block and write buffer. Tests and fuzzers
// shrink them to put block boundaries everywhere.
struct FilterSizes {
    std::size_t readBlock = LineReader::defaultBlockSize;
    std::size_t writeBuffer = LineWriter::defaultBufferSize;
};

// The filter itself, between any source and sink: writes the header and the
// kept records, returns n. Raises SourceEmpty, RecordTooFewFields,
// PositionOverflow and KeyTableFull (naming `sourcePath` and the line), and
// what the source and sink raise. Lines written before a failure have been
// handed to the sink when it propagates.
int filterLines(BlockSource& source, ByteSink& sink, KeyTable& keys, const std::filesystem::path& sourcePath,
                const FilterSizes& sizes = {});

}  // namespace removal
