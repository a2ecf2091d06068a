// A whole filter run, with read blocks, short reads and a write buffer of
// sizes taken from the input, against the simple removal: the same result
// bytes and the same outcome.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "oracle/simple_removal.h"
#include "removal/filter_run.h"
#include "removal/run_failure.h"
#include "support/memory_streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    std::vector<std::size_t> pieces;
    if (data[0] != 0) pieces = {data[0], 1u + data[0] % 7u, 300};
    const removal::FilterSizes sizes{1u + data[1] * 3u, 1u + data[2] * 5u};
    const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

    const oracle::Outcome expected = oracle::removeDuplicates(bytes);
    testing_support::MemorySource source(bytes, pieces);
    testing_support::MemorySink sink;
    static removal::KeyTable keys;  // one table, emptied for each input: allocating it costs more than a run
    keys.clear();
    std::optional<removal::FailureKind> failure;
    int kept = 0;
    try {
        kept = removal::filterLines(source, sink, keys, "fuzz.txt", sizes);
    } catch (const removal::RunFailure& raised) {
        failure = raised.kind();
    }
    if (failure != expected.failure) __builtin_trap();
    if (sink.bytes() != expected.result) __builtin_trap();
    if (!failure && kept != expected.kept) __builtin_trap();
    return 0;
}
