#include "removal/filter_run.h"

#include <array>
#include <stdexcept>

#include "removal/line_reader.h"
#include "removal/line_writer.h"
#include "removal/record_fields.h"
#include "removal/run_failure.h"

namespace removal {

namespace {

// A WP record taken but not decided on yet.
struct PendingRecord {
    std::string_view line;
    std::string_view key;
    std::uint64_t hash = 0;
    std::uint64_t lineNumber = 0;
    SplitOutcome outcome = SplitOutcome::Split;
    std::string scratch;  // for the rare key with spaces around its inner commas
};

// Keeps the first WP record of every key. Records pass through a short
// pipeline: when a record is taken, the table slot of its key is fetched
// ahead; a few records later, the stored key that slot leads to; a few more
// later, it is decided. So with thousands of keys the lookups wait for memory
// side by side rather than one after another. Records are decided strictly in
// source order, exactly as one at a time would be: a failure is raised at its
// own record, after everything before it is decided.
class RecordFilter {
public:
    RecordFilter(LineWriter& writer, KeyTable& keys, const std::filesystem::path& sourcePath)
        : writer_(writer), keys_(keys), sourcePath_(sourcePath) {}

    // Takes the line that `reader` returned last. The line must stay valid
    // until decideAll().
    void take(std::string_view line, const LineReader& reader) {
        if (!isWpRecord(line)) return;
        PendingRecord& record = ring_[(oldest_ + pending_++) % ringSize];
        record.line = line;
        record.lineNumber = reader.lineNumber();
        FirstCommas commas;
        reader.firstCommas(commas);
        record.outcome = encodedKeyAt(line, commas, record.scratch, record.key);
        if (record.outcome != SplitOutcome::Split) {
            decideAll();
            return;
        }
        record.hash = KeyTable::hashOf(record.key);
        keys_.prefetchSlot(record.hash);
        if (pending_ > entryDistance) {
            const PendingRecord& earlier = ring_[(oldest_ + pending_ - 1 - entryDistance) % ringSize];
            keys_.prefetchEntry(earlier.hash);
        }
        if (pending_ == ringSize) decideOldest();
    }

    // Decides every record taken, in order: writes those with a new key.
    void decideAll() {
        while (pending_ > 0) decideOldest();
    }

private:
    static constexpr std::size_t entryDistance = 8;
    static constexpr std::size_t ringSize = 16;

    void decideOldest() {
        const PendingRecord& record = ring_[oldest_];
        oldest_ = (oldest_ + 1) % ringSize;
        --pending_;
        switch (record.outcome) {
        case SplitOutcome::Split: break;
        case SplitOutcome::TooFewFields: throw recordTooFewFields(sourcePath_, record.lineNumber);
        case SplitOutcome::PositionOverflow: throw positionOverflow(sourcePath_, record.lineNumber);
        }
        if (keys_.findEncoded(record.key, record.hash) != 0) return;
        if (keys_.full()) throw keyTableFull(sourcePath_, record.lineNumber);
        keys_.addEncoded(record.key, record.hash);
        writer_.writeLine(record.line);
    }

    LineWriter& writer_;
    KeyTable& keys_;
    const std::filesystem::path& sourcePath_;
    std::array<PendingRecord, ringSize> ring_;
    std::size_t oldest_ = 0;
    std::size_t pending_ = 0;
};

int copyKeptLines(LineReader& reader, LineWriter& writer, KeyTable& keys,
                  const std::filesystem::path& sourcePath) {
    std::string_view line;
    if (!reader.nextLine(line)) throw sourceEmpty(sourcePath);
    writer.writeLine(line);  // the header: never examined

    RecordFilter filter(writer, keys, sourcePath);
    for (;;) {
        if (reader.nextLineInBlock(line)) {
            filter.take(line, reader);
            continue;
        }
        filter.decideAll();  // the lines of this block end with the next read
        if (!reader.nextLine(line)) break;
        filter.take(line, reader);
        filter.decideAll();  // a line that spans blocks lives only until the next read
    }
    return keys.count();
}

}  // namespace

int filterLines(BlockSource& source, ByteSink& sink, KeyTable& keys, const std::filesystem::path& sourcePath,
                const FilterSizes& sizes) {
    LineReader reader(source, sizes.readBlock);
    LineWriter writer(sink, sizes.writeBuffer);
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
    result_.create(resultPath, source_);
}

int FilterRun::filterRecords() {
    if (!source_.isOpen() || !result_.isOpen()) throw std::logic_error("FilterRun::filterRecords before both files are open");
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
