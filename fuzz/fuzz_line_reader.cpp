// The line reader, fed in blocks and short reads of sizes taken from the
// input, with both scanning methods, against the simple line cutter; and the
// commas it reports for each line against a plain count.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "oracle/simple_removal.h"
#include "removal/line_reader.h"
#include "support/memory_streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t blockSize = 1 + data[0] % 130;
    const std::vector<std::size_t> pieces = {1u + data[1] % 67u, 1u + data[2] % 5u, 64, 1};
    const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);
    const std::vector<std::string> expected = oracle::splitLines(bytes);

    for (const removal::ScanMethod method : {removal::ScanMethod::Plain, removal::bestScanMethod()}) {
        testing_support::MemorySource source(bytes, pieces);
        removal::LineReader reader(source, blockSize, method);
        std::size_t count = 0;
        std::string_view line;
        while (reader.nextLine(line)) {
            if (count >= expected.size() || line != expected[count]) __builtin_trap();
            removal::FirstCommas commas;
            reader.firstCommas(commas);
            std::size_t found = 0;
            for (std::size_t i = 0; i < line.size() && found < 5; ++i) {
                if (line[i] != ',') continue;
                if (found >= commas.count || commas.index[found] != i) __builtin_trap();
                ++found;
            }
            if (found != commas.count) __builtin_trap();
            ++count;
            if (reader.lineNumber() != count) __builtin_trap();
        }
        if (count != expected.size()) __builtin_trap();
    }
    return 0;
}
