#pragma once

#include <random>
#include <string>

namespace testing_support {

// A random source made of pieces that make trouble likely: "WP" in every
// case, commas, spaces, tabs, carriage returns, line feeds, NUL, bytes
// 128-255, short words, now and then a run long enough to push commas past
// position 32766.
std::string troublesomeSource(std::mt19937& random);

// A source with about 10000 distinct keys, sometimes a few more: the table's
// limit, reached or not, with duplicates and trouble mixed in.
std::string manyKeysSource(std::mt19937& random);

}  // namespace testing_support
