#include "removal/key_table.h"

#include <gtest/gtest.h>

#include <string>

#include "removal/run_failure.h"

namespace {

using removal::KeyTable;
using removal::RecordKey;

RecordKey numberedKey(int number) { return {"k" + std::to_string(number), "c", std::to_string(number * 7)}; }

TEST(KeyTable, FindsRowsInOrderOfFirstAppearance) {
    KeyTable table;
    EXPECT_EQ(table.count(), 0);
    EXPECT_FALSE(table.find(RecordKey("b", "c", "d")));
    table.add(RecordKey("b", "c", "d"));
    table.add(RecordKey("b", "c", "e"));
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.find(RecordKey("b", "c", "d")), 1);
    EXPECT_EQ(table.find(RecordKey("b", "c", "e")), 2);
    EXPECT_FALSE(table.find(RecordKey("b", "cd", "")));
    EXPECT_FALSE(table.find(RecordKey("B", "c", "d")));
    EXPECT_EQ(table.row(2), RecordKey("b", "c", "e"));
}

TEST(KeyTable, HoldsTenThousandKeysAndRefusesTheNext) {
    KeyTable table;
    for (int number = 1; number <= KeyTable::capacity; ++number) table.add(numberedKey(number));
    EXPECT_TRUE(table.full());
    for (int number = 1; number <= KeyTable::capacity; ++number) ASSERT_EQ(table.find(numberedKey(number)), number);
    EXPECT_FALSE(table.find(numberedKey(KeyTable::capacity + 1)));

    try {
        table.add(numberedKey(KeyTable::capacity + 1));
        FAIL() << "no failure raised";
    } catch (const removal::RunFailure& failure) {
        EXPECT_EQ(failure.kind(), removal::FailureKind::KeyTableFull);
    }
    EXPECT_EQ(table.count(), KeyTable::capacity);
    EXPECT_FALSE(table.find(numberedKey(KeyTable::capacity + 1)));
}

TEST(KeyTable, EncodingKeepsFieldBoundaries) {
    EXPECT_EQ(removal::encodeKey({"b", "c", "d"}), "b,c,d");
    EXPECT_NE(removal::encodeKey({"bc", "", "d"}), removal::encodeKey({"b", "c", "d"}));
    EXPECT_EQ(removal::decodeKey(",c d,"), RecordKey("", "c d", ""));
    EXPECT_EQ(KeyTable::hashOf(std::string("b,c,d")), KeyTable::hashOf("b,c,d"));
}

TEST(KeyTable, HashesEveryLengthAndByte) {
    // Keys of every length up to past two words, differing in one byte only,
    // must not collide in the table: each is found in its own row.
    KeyTable table;
    std::string base(40, 'k');
    int rows = 0;
    for (std::size_t length = 0; length <= base.size(); ++length) {
        for (std::size_t changed = 0; changed < length; ++changed) {
            std::string key = base.substr(0, length);
            key[changed] = '\x80';
            table.add(removal::decodeKey(",," + key));
            ASSERT_EQ(table.find(removal::decodeKey(",," + key)), ++rows);
        }
    }
    EXPECT_FALSE(table.find(removal::decodeKey(",," + base)));
}

}  // namespace
