#include "removal/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/memory_streams.h"

namespace {

using namespace std::string_literals;
using removal::LineReader;
using removal::ScanMethod;
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
    {"CommasEverywhere", "WP,a,b,c,d,e,f\r\n,,,,,,,\r,\r\n" + std::string(70, ',') + "\rWP," + std::string(100, 'x') + ",b,c,d,",
     {"WP,a,b,c,d,e,f", ",,,,,,,", ",", std::string(70, ','), "WP," + std::string(100, 'x') + ",b,c,d,"}},
    {"RecordsPastWordEdges", std::string(60, 'h') + "\r\nWP,1,a,b,c,\r\n" + std::string(61, 'i') + "\r\nWP,2,a,b,c,",
     {std::string(60, 'h'), "WP,1,a,b,c,", std::string(61, 'i'), "WP,2,a,b,c,"}},
};

std::vector<std::string> readAllByNextLine(LineReader& reader) {
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.nextLine(line)) lines.emplace_back(line);
    return lines;
}

std::vector<ScanMethod> scanMethods() {
    std::vector<ScanMethod> methods = {ScanMethod::Plain};
    if (removal::bestScanMethod() != ScanMethod::Plain) methods.push_back(removal::bestScanMethod());
    return methods;
}

// Every case runs with blocks so small that each possible boundary falls
// between a carriage return and its line feed somewhere, with blocks around
// the 64-byte words of the marks, and with the default block; each with the
// plain scan and the wide one.
class LineReaderTest : public ::testing::TestWithParam<std::tuple<ReadCase, std::size_t, ScanMethod>> {};

TEST_P(LineReaderTest, CutsLinesByTheReadingRule) {
    const auto& [readCase, blockSize, method] = GetParam();
    MemorySource source(readCase.bytes);
    LineReader reader(source, blockSize, method);
    EXPECT_EQ(readAll(reader), readCase.lines);
}

TEST_P(LineReaderTest, NextLineGivesTheSameLines) {
    const auto& [readCase, blockSize, method] = GetParam();
    MemorySource source(readCase.bytes);
    LineReader reader(source, blockSize, method);
    EXPECT_EQ(readAllByNextLine(reader), readCase.lines);
}

TEST_P(LineReaderTest, ShortReadsDontChangeTheLines) {
    const auto& [readCase, blockSize, method] = GetParam();
    MemorySource source(readCase.bytes, {1, 3, 2, 7, 65});
    LineReader reader(source, blockSize, method);
    EXPECT_EQ(readAllByNextLine(reader), readCase.lines);
}

TEST_P(LineReaderTest, FirstCommasAreThoseOfTheLine) {
    const auto& [readCase, blockSize, method] = GetParam();
    MemorySource source(readCase.bytes);
    LineReader reader(source, blockSize, method);
    std::string_view line;
    while (reader.nextLine(line)) {
        removal::FirstCommas fromMarks;
        reader.firstCommas(fromMarks);
        const removal::FirstCommas fromLine = removal::findFirstCommas(line);
        ASSERT_EQ(fromMarks.count, fromLine.count) << "line " << reader.lineNumber();
        for (std::size_t k = 0; k < fromLine.count; ++k) ASSERT_EQ(fromMarks.index[k], fromLine.index[k]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReaderTest,
    ::testing::Combine(::testing::ValuesIn(readCases),
                       ::testing::Values(std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{63},
                                         std::size_t{64}, std::size_t{65}, LineReader::defaultBlockSize),
                       ::testing::ValuesIn(scanMethods())),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_block" + std::to_string(std::get<1>(info.param)) +
               (std::get<2>(info.param) == ScanMethod::Plain ? "_plain" : "_wide");
    });

TEST(LineReader, CrLfSplitAcrossEveryBlockBoundary) {
    // "H\r" fills the first block exactly; the line feed opens the second.
    for (std::size_t blockSize = 1; blockSize <= 12; ++blockSize) {
        const std::string bytes = std::string(blockSize - 1, 'h') + "\r\nWP,a,b,c,d,\r\n";
        MemorySource source(bytes);
        LineReader reader(source, blockSize, ScanMethod::Plain);
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
