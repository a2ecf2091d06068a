#include "removal/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/memory_streams.h"

namespace {

using namespace std::string_literals;
using removal::LineReader;
using testing_support::MemorySource;

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

std::vector<std::string> readAll(LineReader& reader) {
    std::vector<std::string> lines;
    while (!reader.atEnd()) lines.emplace_back(reader.readLine());
    return lines;
}

const ReadCase readCases[] = {
    {"Empty", "", {}},
    {"OneLineNoTerminator", "H", {"H"}},
    {"CrLfEnds", "H\r\nWP,a,b,c,d,", {"H", "WP,a,b,c,d,"}},
    {"TerminatorAtEndAddsNoLine", "H\r\nA\r\n", {"H", "A"}},
    {"LoneCrEnds", "A\rB\rC", {"A", "B", "C"}},
    {"LoneLfIsOrdinary", "H\nWP,a,b,c,d,", {"H\nWP,a,b,c,d,"}},
    {"OnlyLineFeeds", "\n\n\n", {"\n\n\n"}},
    {"LfBeforeCrBelongsToLine", "A\n\rB", {"A\n", "B"}},
    {"CrCrLf", "A\r\r\nB", {"A", "", "B"}},
    {"CrLfLf", "A\r\n\nB", {"A", "\nB"}},
    {"EmptyLines", "\r\n\r\n\r\nX", {"", "", "", "X"}},
    {"OnlyCrLf", "\r\n", {""}},
    {"OnlyCr", "\r", {""}},
    {"NulAndHighBytes", "A\0B\xC0\xFF\r\n\x80"s, {"A\0B\xC0\xFF"s, "\x80"}},
    {"LongLine", std::string(3000, 'x') + "\r\n" + std::string(5000, 'y'),
     {std::string(3000, 'x'), std::string(5000, 'y')}},
};

// Every case runs with blocks so small that each possible boundary falls
// between a carriage return and its line feed somewhere, and with the
// default block.
class LineReaderTest : public ::testing::TestWithParam<std::tuple<ReadCase, std::size_t>> {};

TEST_P(LineReaderTest, CutsLinesByTheReadingRule) {
    const auto& [readCase, blockSize] = GetParam();
    MemorySource source(readCase.bytes);
    LineReader reader(source, blockSize);
    EXPECT_EQ(readAll(reader), readCase.lines);
}

TEST_P(LineReaderTest, ShortReadsDontChangeTheLines) {
    const auto& [readCase, blockSize] = GetParam();
    MemorySource source(readCase.bytes, {1, 3, 2, 7});
    LineReader reader(source, blockSize);
    EXPECT_EQ(readAll(reader), readCase.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReaderTest,
    ::testing::Combine(::testing::ValuesIn(readCases),
                       ::testing::Values(std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{4},
                                         std::size_t{5}, LineReader::defaultBlockSize)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_block" + std::to_string(std::get<1>(info.param));
    });

TEST(LineReader, CrLfSplitAcrossEveryBlockBoundary) {
    // "H\r" fills the first block exactly; the line feed opens the second.
    for (std::size_t blockSize = 1; blockSize <= 12; ++blockSize) {
        const std::string bytes = std::string(blockSize - 1, 'h') + "\r\nWP,a,b,c,d,\r\n";
        MemorySource source(bytes);
        LineReader reader(source, blockSize);
        const std::vector<std::string> expected = {std::string(blockSize - 1, 'h'), "WP,a,b,c,d,"};
        EXPECT_EQ(readAll(reader), expected) << "block size " << blockSize;
    }
}

TEST(LineReader, CountsLinesFromOne) {
    MemorySource source("a\r\nb\rc");
    LineReader reader(source, 2);
    EXPECT_EQ(reader.lineNumber(), 0u);
    reader.readLine();
    EXPECT_EQ(reader.lineNumber(), 1u);
    reader.readLine();
    reader.readLine();
    EXPECT_EQ(reader.lineNumber(), 3u);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.lineNumber(), 3u);
}

}  // namespace
