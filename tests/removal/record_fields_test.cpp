#include "removal/record_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "removal/run_failure.h"

namespace {

using removal::FailureKind;
using removal::RecordFields;
using removal::SplitOutcome;

struct WpCase {
    const char* line;
    bool isRecord;
};

class IsWpRecordTest : public ::testing::TestWithParam<WpCase> {};

TEST_P(IsWpRecordTest, ChecksTheFirstTwoCharactersExactly) {
    EXPECT_EQ(removal::isWpRecord(GetParam().line), GetParam().isRecord) << '"' << GetParam().line << '"';
}

INSTANTIATE_TEST_SUITE_P(Lines, IsWpRecordTest,
                         ::testing::Values(WpCase{"WP,a,b,c,d,", true}, WpCase{"WP", true}, WpCase{"WPT,x", true},
                                           WpCase{"W", false}, WpCase{"", false}, WpCase{" WP,a,b,c,d,", false},
                                           WpCase{"wp,a,b,c,d,", false}, WpCase{"Wp,a,b,c,d,", false},
                                           WpCase{"wP,a,b,c,d,", false}, WpCase{"\tWP", false}));

struct SplitCase {
    const char* name;
    std::string line;
    SplitOutcome outcome;
    std::array<std::string, 5> fields;  // when split
};

// A WP record whose fifth comma stands at the 1-based position `position`.
std::string fifthCommaAt(std::size_t position) {
    std::string line = "WP,a,b,c,";
    line += std::string(position - line.size() - 1, 'd');
    return line + ",tail";
}

// A WP record whose first comma stands at `position`.
std::string firstCommaAt(std::size_t position) {
    return "WP" + std::string(position - 3, 'x') + ",a,b,c,d,";
}

const SplitCase splitCases[] = {
    {"Plain", "WP,a,b,c,d,", SplitOutcome::Split, {"WP", "a", "b", "c", "d"}},
    {"SpacesTrimmed", "WP , a ,  b ,c  ,   d,", SplitOutcome::Split, {"WP", "a", "b", "c", "d"}},
    {"TabsKept", "WP,\ta,b\t,c,d,", SplitOutcome::Split, {"WP", "\ta", "b\t", "c", "d"}},
    {"InnerSpacesKept", "WP,a,b  c,c,d,", SplitOutcome::Split, {"WP", "a", "b  c", "c", "d"}},
    {"EmptyFields", "WP,,,,,", SplitOutcome::Split, {"WP", "", "", "", ""}},
    {"OnlySpaces", "WP,  ,   , , ,", SplitOutcome::Split, {"WP", "", "", "", ""}},
    {"TailIgnored", "WPT,y,b,c,d,z,rest,more", SplitOutcome::Split, {"WPT", "y", "b", "c", "d"}},
    {"FourCommas", "WP,a,b,c,d", SplitOutcome::TooFewFields, {}},
    {"NoComma", "WP", SplitOutcome::TooFewFields, {}},
    {"FourCommasLongLine", "WP,a,b,c," + std::string(40000, 'd'), SplitOutcome::TooFewFields, {}},
    {"FifthCommaAt32765", fifthCommaAt(32765), SplitOutcome::Split, {"WP", "a", "b", "c", std::string(32755, 'd')}},
    {"FifthCommaAt32766", fifthCommaAt(32766), SplitOutcome::Split, {"WP", "a", "b", "c", std::string(32756, 'd')}},
    {"FifthCommaAt32767", fifthCommaAt(32767), SplitOutcome::PositionOverflow, {}},
    {"FifthCommaAt32768", fifthCommaAt(32768), SplitOutcome::PositionOverflow, {}},
    {"FirstCommaAt32766", firstCommaAt(32766), SplitOutcome::PositionOverflow, {}},
    {"FirstCommaAt32767", firstCommaAt(32767), SplitOutcome::PositionOverflow, {}},
    {"OnlyCommaAt32765", "WP" + std::string(32762, 'x') + ",abc", SplitOutcome::TooFewFields, {}},
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, SplitsOrFailsAsTheFormatSays) {
    const SplitCase& splitCase = GetParam();
    RecordFields fields;
    ASSERT_EQ(removal::splitFields(splitCase.line, fields), splitCase.outcome);
    if (splitCase.outcome == SplitOutcome::Split) {
        const RecordFields thrown = removal::splitRecordFields(splitCase.line);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            EXPECT_EQ(fields[k], splitCase.fields[k]) << "field " << k;
            EXPECT_EQ(thrown[k], splitCase.fields[k]) << "field " << k;
        }
        return;
    }
    const FailureKind expected = splitCase.outcome == SplitOutcome::TooFewFields ? FailureKind::RecordTooFewFields
                                                                                 : FailureKind::PositionOverflow;
    try {
        removal::splitRecordFields(splitCase.line);
        FAIL() << "no failure raised";
    } catch (const removal::RunFailure& failure) {
        EXPECT_EQ(failure.kind(), expected);
    }
    EXPECT_THROW(removal::recordKeyOf(splitCase.line), removal::RunFailure);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitFieldsTest, ::testing::ValuesIn(splitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitFields, FirstCommaAt32766LeavesTheSecondOutOfRange) {
    // The first comma fits; the search for the second starts at 32767 and finds
    // its comma beyond the last allowed position.
    RecordFields fields;
    EXPECT_EQ(removal::splitFields(firstCommaAt(32766), fields), SplitOutcome::PositionOverflow);
    EXPECT_EQ(removal::splitFields("WP" + std::string(32763, 'x') + ",", fields), SplitOutcome::TooFewFields);
}

struct KeyCase {
    const char* name;
    const char* first;
    const char* second;
    bool equal;
};

class RecordKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(RecordKeyTest, ComparesFieldsTwoToFourByteForByte) {
    const KeyCase& keyCase = GetParam();
    EXPECT_EQ(removal::recordKeyOf(keyCase.first) == removal::recordKeyOf(keyCase.second), keyCase.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, RecordKeyTest,
    ::testing::Values(KeyCase{"Same", "WP,a,b,c,d,", "WP,a,b,c,d,", true},
                      KeyCase{"OuterSpacesTrimmed", "WP,a,  b ,c,d,", "WP,a,b,c,d,", true},
                      KeyCase{"TailIgnored", "WP,a,b,c,d,rest,more", "WP,a,b,c,d,", true},
                      KeyCase{"FieldsZeroAndOneIgnored", "WP,x,b,c,d,", "WPT,y,b,c,d,z", true},
                      KeyCase{"CaseCounts", "WP,a,B,c,d,", "WP,a,b,c,d,", false},
                      KeyCase{"InnerSpacesCount", "WP,a,b c,d,e,", "WP,a,b  c,d,e,", false},
                      KeyCase{"TabsCount", "WP,a,\tb,c,d,", "WP,a,b,c,d,", false},
                      KeyCase{"FieldBoundariesCount", "WP,a,bc,,d,", "WP,a,b,c,d,", false},
                      KeyCase{"LastFieldCounts", "WP,a,b,c,d,", "WP,a,b,c,e,", false}),
    [](const auto& info) { return std::string(info.param.name); });

// The per-line key takes the record's own bytes when nothing needs trimming
// and builds it otherwise; either way it is the encoding of recordKeyOf.
class EncodedKeyTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EncodedKeyTest, EqualsTheEncodingOfTheSplitKey) {
    const std::string line = GetParam();
    std::string scratch;
    std::string_view encoded;
    ASSERT_EQ(removal::encodedKeyAt(line, removal::findFirstCommas(line), scratch, encoded), SplitOutcome::Split);
    EXPECT_EQ(encoded, removal::encodeKey(removal::recordKeyOf(line).view()));
}

INSTANTIATE_TEST_SUITE_P(Lines, EncodedKeyTest,
                         ::testing::Values("WP,a,b,c,d,", "WP,a,,,,", "WP , a , b,c,d ,tail", "WP,a, b,c,d,",
                                           "WP,a,b ,c,d,", "WP,a,b, c,d,", "WP,a,b,c ,d,", "WP,a,b,c, d,",
                                           "WP,a,b,c,d ,", "WP,a,  ,  ,  ,", "WP,a,b\t,\tc,d,", "WP,a, ,c, ,"));

TEST(RecordKey, IsFieldsTwoThreeAndFour) {
    EXPECT_EQ(removal::recordKeyOf("WP,a, b ,c,d,e"), removal::RecordKey("b", "c", "d"));
}

}  // namespace
