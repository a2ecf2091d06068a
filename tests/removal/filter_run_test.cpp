#include "removal/filter_run.h"

#include <gtest/gtest.h>

#include <string>

#include "removal/run_failure.h"
#include "support/memory_streams.h"
#include "support/temp_folder.h"

namespace {

using namespace std::string_literals;
using removal::FailureKind;
using removal::FilterRun;
using removal::KeyTable;
using removal::RunFailure;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

// Runs the filter on real files; `outcome` is n, or the failure's kind.
struct RunOutcome {
    int kept = -1;
    std::optional<FailureKind> failure;
    std::string description;
    std::string result;
};

RunOutcome filterFile(const std::string& source) {
    TempFolder folder;
    writeFile(folder / "ddd.txt", source);
    RunOutcome outcome;
    {
        FilterRun run;
        run.openSource(folder / "ddd.txt");
        run.createResult(folder / "ddd_new.txt");
        try {
            outcome.kept = run.filterRecords();
        } catch (const RunFailure& failure) {
            outcome.failure = failure.kind();
            outcome.description = failure.what();
        }
    }
    outcome.result = readFile(folder / "ddd_new.txt");
    EXPECT_EQ(readFile(folder / "ddd.txt"), source) << "the source changed";
    return outcome;
}

std::string numberedRecords(int from, int to) {
    std::string lines;
    for (int number = from; number <= to; ++number)
        lines += "WP,n" + std::to_string(number) + ",k" + std::to_string(number) + ",c,d,tail\r\n";
    return lines;
}

struct FilterCase {
    const char* name;
    std::string source;
    std::string result;
    int kept;
};

const FilterCase filterCases[] = {
    {"OnlyHeader", "HEADER", "HEADER\r\n", 0},
    {"OnlyHeaderWithTerminator", "HEADER\r\n", "HEADER\r\n", 0},
    {"FirstRecordOfEachKeyWins", "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,\r\nWP,3,a,b,d,\r\n",
     "H\r\nWP,1,a,b,c,\r\nWP,3,a,b,d,\r\n", 2},
    {"HeaderIsNeverExamined", "WP,h,a,b,c,\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,", "WP,h,a,b,c,\r\nWP,1,a,b,c,\r\n", 1},
    {"ShortHeaderRecordDoesNotFail", "WP\r\nWP,1,a,b,c,", "WP\r\nWP,1,a,b,c,\r\n", 1},
    {"OtherLinesDropped", "H\r\n\r\n WP,1,a,b,c,\r\nwp,1,a,b,c,\r\nWp,x\r\nX\r\nWP,1,a,b,c,\r\nW\r\n",
     "H\r\nWP,1,a,b,c,\r\n", 1},
    {"SameKeyEverywhere", "H\r\nWP,1,a,b,c,\r\nWP,2, a,b ,c,x\r\nWP,3,a,b,c,y\r\nWP,4,a,b,c,z\r\n",
     "H\r\nWP,1,a,b,c,\r\n", 1},
    {"LoneLineFeedsStayInTheHeader", "H\nWP,1,a,b,c,\n", "H\nWP,1,a,b,c,\n\r\n", 0},
    {"RecordsCarriedByteForByte", "H\xC0\0\r\nWP,\xFF,\x80,\0,c,  tail \n\rWP,x,\x80,\0,c,"s,
     "H\xC0\0\r\nWP,\xFF,\x80,\0,c,  tail \n\r\n"s, 1},
    {"LoneCrEndsLines", "H\rWP,1,a,b,c,\rWP,2,a,b,d,", "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,d,\r\n", 2},
};

class FilterRunTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterRunTest, WritesHeaderAndFirstRecordOfEachKey) {
    const RunOutcome outcome = filterFile(GetParam().source);
    ASSERT_FALSE(outcome.failure) << outcome.description;
    EXPECT_EQ(outcome.result, GetParam().result);
    EXPECT_EQ(outcome.kept, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Sources, FilterRunTest, ::testing::ValuesIn(filterCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::string source;
    FailureKind kind;
    std::string partialResult;
    const char* lineInDescription;
};

const FailureCase failureCases[] = {
    {"EmptySource", "", FailureKind::SourceEmpty, "", nullptr},
    {"TooFewFieldsAfterKeptRecords", "H\r\nWP,1,a,b,c,\r\nX\r\nWP,2,a,b,c\r\nWP,3,a,b,d,\r\n",
     FailureKind::RecordTooFewFields, "H\r\nWP,1,a,b,c,\r\n", "Строка 4 "},
    {"BareWp", "H\r\nWP\r\n", FailureKind::RecordTooFewFields, "H\r\n", "Строка 2 "},
    {"PositionOverflow", "H\r\nWP,1,a,b,c,\r\nWP," + std::string(32770, 'x') + ",a,b,c,\r\n",
     FailureKind::PositionOverflow, "H\r\nWP,1,a,b,c,\r\n", "Строка 3 "},
    {"KeyTableFull", "H\r\n" + numberedRecords(1, 10001) + "WP,x,never,read,here,\r\n", FailureKind::KeyTableFull,
     "H\r\n" + numberedRecords(1, 10000), "Строка 10002 "},
};

class FilterRunFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FilterRunFailureTest, StopsAndLeavesWhatWasWritten) {
    const FailureCase& failureCase = GetParam();
    const RunOutcome outcome = filterFile(failureCase.source);
    ASSERT_EQ(outcome.failure, failureCase.kind);
    EXPECT_EQ(outcome.result, failureCase.partialResult);
    if (failureCase.lineInDescription != nullptr) {
        EXPECT_NE(outcome.description.find(failureCase.lineInDescription), std::string::npos) << outcome.description;
    }
    EXPECT_NE(outcome.description.find("ddd.txt"), std::string::npos) << outcome.description;
}

INSTANTIATE_TEST_SUITE_P(Sources, FilterRunFailureTest, ::testing::ValuesIn(failureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilterRun, TenThousandKeysFitAndAFullTableStillDropsKnownKeys) {
    const std::string records = numberedRecords(1, KeyTable::capacity);
    const RunOutcome outcome = filterFile("H\r\n" + records + numberedRecords(1, 50) + "WP,z,k7,c,d,");
    ASSERT_FALSE(outcome.failure) << outcome.description;
    EXPECT_EQ(outcome.kept, KeyTable::capacity);
    EXPECT_EQ(outcome.result, "H\r\n" + records);
}

TEST(FilterRun, EachRunStartsWithAnEmptyTable) {
    TempFolder folder;
    writeFile(folder / "a.txt", "H\r\nWP,1,a,b,c,\r\n");
    for (int pass = 0; pass < 2; ++pass) {
        FilterRun run;
        run.openSource(folder / "a.txt");
        run.createResult(folder / "b.txt");
        EXPECT_EQ(run.filterRecords(), 1);
        run.abandon();
        run.abandon();
    }
}

TEST(FilterLines, AWriteFailureKeepsEverythingThatFit) {
    testing_support::MemorySource source("H\r\nWP,1,a,b,c,\r\nWP,2,a,b,d,\r\n");
    testing_support::MemorySink sink(10);
    KeyTable keys;
    try {
        removal::filterLines(source, sink, keys, "ddd.txt");
        FAIL() << "no failure raised";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::WriteFailed);
    }
    EXPECT_EQ(sink.bytes(), "H\r\nWP,1,a,");
}

}  // namespace
