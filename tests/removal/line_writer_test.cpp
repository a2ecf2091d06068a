#include "removal/line_writer.h"

#include <gtest/gtest.h>

#include "removal/run_failure.h"
#include "support/memory_streams.h"

namespace {

using removal::LineWriter;
using testing_support::MemorySink;

TEST(LineWriter, EndsEveryLineWithCrLfAndKeepsBytes) {
    for (const std::size_t bufferSize : {std::size_t{1}, std::size_t{2}, std::size_t{5}, LineWriter::defaultBufferSize}) {
        MemorySink sink;
        LineWriter writer(sink, bufferSize);
        writer.writeLine("H");
        writer.writeLine("");
        writer.writeLine(std::string("W\0\xFF\n", 4));
        writer.writeLine(std::string(20, 'x'));
        writer.flush();
        EXPECT_EQ(sink.bytes(), "H\r\n\r\n" + std::string("W\0\xFF\n\r\n", 6) + std::string(20, 'x') + "\r\n")
            << "buffer " << bufferSize;
    }
}

TEST(LineWriter, HoldsLinesUntilFlushed) {
    MemorySink sink;
    LineWriter writer(sink, 64);
    writer.writeLine("abc");
    EXPECT_EQ(sink.bytes(), "");
    writer.flush();
    EXPECT_EQ(sink.bytes(), "abc\r\n");
}

TEST(LineWriter, AFailedFlushDropsTheBufferSoNothingIsWrittenTwice) {
    MemorySink sink(4);
    LineWriter writer(sink, 64);
    writer.writeLine("abcdef");
    EXPECT_THROW(writer.flush(), removal::RunFailure);
    EXPECT_NO_THROW(writer.flush());
    EXPECT_EQ(sink.bytes(), "abcd");
}

}  // namespace
