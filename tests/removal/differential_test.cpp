// The real filter against the simple one in the test folder, on many seeded
// random sources made of the pieces that make trouble likely. Both must give
// the same result bytes and the same outcome: n, or the kind of failure.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "oracle/simple_removal.h"
#include "removal/filter_run.h"
#include "removal/run_failure.h"
#include "support/memory_streams.h"
#include "support/random_source.h"

namespace {

struct RealOutcome {
    std::string result;
    std::optional<removal::FailureKind> failure;
    int kept = 0;
};

RealOutcome runReal(const std::string& source, std::vector<std::size_t> pieces, const removal::FilterSizes& sizes) {
    testing_support::MemorySource input(source, std::move(pieces));
    testing_support::MemorySink output;
    removal::KeyTable keys;
    RealOutcome outcome;
    try {
        outcome.kept = removal::filterLines(input, output, keys, "ddd.txt", sizes);
    } catch (const removal::RunFailure& failure) {
        outcome.failure = failure.kind();
    }
    outcome.result = output.bytes();
    return outcome;
}

void expectSameOutcome(const std::string& source, const oracle::Outcome& expected, std::vector<std::size_t> pieces,
                       unsigned seed, const removal::FilterSizes& sizes = {}) {
    const RealOutcome actual = runReal(source, std::move(pieces), sizes);
    ASSERT_EQ(actual.failure, expected.failure) << "seed " << seed;
    ASSERT_EQ(actual.result, expected.result) << "seed " << seed;
    if (!expected.failure) {
        ASSERT_EQ(actual.kept, expected.kept) << "seed " << seed;
    }
}

TEST(Differential, RandomSourcesAgreeWithTheSimpleRemoval) {
    constexpr unsigned cases = 3000;
    for (unsigned seed = 1; seed <= cases; ++seed) {
        std::mt19937 random(seed);
        const std::string source = testing_support::troublesomeSource(random);
        std::vector<std::size_t> pieces;
        for (int i = 0; i < 8; ++i) pieces.push_back(std::uniform_int_distribution<std::size_t>(1, 300)(random));
        if (seed % 4 == 0) pieces.clear();  // whole blocks too
        removal::FilterSizes sizes;
        if (seed % 3 == 0) sizes = {std::uniform_int_distribution<std::size_t>(1, 200)(random),
                                    std::uniform_int_distribution<std::size_t>(1, 100)(random)};
        expectSameOutcome(source, oracle::removeDuplicates(source), pieces, seed, sizes);
    }
}

TEST(Differential, ManyKeysReachTheTableLimitAlike) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        std::mt19937 random(seed);
        const std::string source = testing_support::manyKeysSource(random);
        const oracle::Outcome expected = oracle::removeDuplicates(source);
        expectSameOutcome(source, expected, {}, seed);
        expectSameOutcome(source, expected, {4093, 17, 65536}, seed);
    }
}

}  // namespace
