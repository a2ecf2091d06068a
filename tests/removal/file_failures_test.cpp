// Faults provoked for real on temporary files, through the removal command:
// each row says what the user sees and what the result then holds. In every
// row the source must come out byte for byte as it went in.
#include "removal/removal_command.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "removal/filter_run.h"
#include "removal/run_failure.h"
#include "support/fake_view.h"
#include "support/memory_streams.h"
#include "support/temp_folder.h"

namespace {

using removal::Answer;
using removal::FailureKind;
using removal::RunFailure;
using testing_support::FakeView;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

const std::string sampleSource = "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,\r\nWP,3,a,b,d,\r\n";
const std::string sampleResult = "H\r\nWP,1,a,b,c,\r\nWP,3,a,b,d,\r\n";
const std::string question = "ask: Можно ли затереть существующий итоговый файл ";

std::string tenThousandAndOneKeys() {
    std::string lines = "H\r\n";
    for (int number = 1; number <= 10001; ++number) lines += "WP,x,k" + std::to_string(number) + ",c,d,\r\n";
    return lines;
}

// What the result path holds afterwards.
enum class ResultState { Untouched, Absent, Empty, Prefix, Exact };

struct Fault {
    const char* name;
    std::string sourceBytes = sampleSource;
    // Prepares the folder and the view: the source is written as "ddd.txt" and
    // the view's fields point at "ddd.txt" and "ddd_new.txt" in the folder.
    std::function<void(const TempFolder&, FakeView&)> arrange = [](const TempFolder&, FakeView&) {};
    std::optional<FailureKind> failure;
    bool asked = false;
    ResultState result = ResultState::Exact;
    std::string expectedResult = sampleResult;
};

std::string at(const TempFolder& folder, const char* name) { return (folder / name).string(); }

const Fault faults[] = {
    {.name = "MissingSource",
     .arrange = [](const TempFolder& f, FakeView& v) { v.texts[0] = at(f, "missing.txt"); },
     .failure = FailureKind::SourceNotFound, .result = ResultState::Absent},
    {.name = "SourceInMissingFolder",
     .arrange = [](const TempFolder& f, FakeView& v) { v.texts[0] = at(f, "nofolder/ddd.txt"); },
     .failure = FailureKind::SourceNotFound, .result = ResultState::Absent},
    {.name = "SourceIsADirectory",
     .arrange = [](const TempFolder& f, FakeView& v) {
         std::filesystem::create_directory(f / "dir");
         v.texts[0] = at(f, "dir");
     },
     .failure = FailureKind::SourceUnreadable, .result = ResultState::Absent},
    {.name = "SourceIsAFifoWithoutWriter",
     .arrange = [](const TempFolder& f, FakeView& v) {
         ASSERT_EQ(::mkfifo(at(f, "fifo").c_str(), 0600), 0);
         v.texts[0] = at(f, "fifo");
     },
     .failure = FailureKind::SourceUnreadable, .result = ResultState::Absent},
    {.name = "SourceIsADevice",
     .arrange = [](const TempFolder&, FakeView& v) { v.texts[0] = "/dev/zero"; },
     .failure = FailureKind::SourceUnreadable, .result = ResultState::Absent},
    {.name = "SourceRemovedAfterTheQuestionIsStillReadWhole",
     .arrange = [](const TempFolder& f, FakeView& v) {
         writeFile(f / "ddd_new.txt", "old");
         v.answers = {Answer::Yes};
         const auto source = f / "ddd.txt";
         v.onQuestion = [source] {
             const std::string keep = readFile(source);
             std::filesystem::remove(source);
             writeFile(source, keep);  // a new file under the old name; the open one goes on
         };
     },
     .failure = std::nullopt, .asked = true},
    {.name = "ResultIsTheSourceByPath",
     .arrange = [](const TempFolder&, FakeView& v) {
         v.texts[1] = v.texts[0];
         v.answers = {Answer::Yes};
     },
     .failure = FailureKind::ResultAlreadyOpen, .asked = true, .result = ResultState::Untouched},
    {.name = "ResultIsTheSourceByAnotherSpelling",
     .arrange = [](const TempFolder& f, FakeView& v) {
         std::filesystem::create_directory(f / "sub");
         v.texts[1] = at(f, "sub/../././ddd.txt");
         v.checkState = 1;
     },
     .failure = FailureKind::ResultAlreadyOpen, .result = ResultState::Untouched},
    {.name = "ResultIsASymlinkToTheSource",
     .arrange = [](const TempFolder& f, FakeView& v) {
         std::filesystem::create_symlink(f / "ddd.txt", f / "link.txt");
         v.texts[1] = at(f, "link.txt");
         v.answers = {Answer::Yes};
     },
     .failure = FailureKind::ResultAlreadyOpen, .asked = true, .result = ResultState::Untouched},
    {.name = "ResultIsAHardLinkToTheSource",
     .arrange = [](const TempFolder& f, FakeView& v) {
         std::filesystem::create_hard_link(f / "ddd.txt", f / "hard.txt");
         v.texts[1] = at(f, "hard.txt");
         v.checkState = 2;
     },
     .failure = FailureKind::ResultAlreadyOpen, .result = ResultState::Untouched},
    {.name = "ResultIsAReadOnlySource",
     .arrange = [](const TempFolder& f, FakeView& v) {
         std::filesystem::permissions(f / "ddd.txt", std::filesystem::perms::owner_read);
         v.texts[1] = v.texts[0];
         v.checkState = 1;
     },
     .failure = FailureKind::ResultAlreadyOpen, .result = ResultState::Untouched},
    {.name = "ResultInMissingFolder",
     .arrange = [](const TempFolder& f, FakeView& v) { v.texts[1] = at(f, "nofolder/ddd_new.txt"); },
     .failure = FailureKind::ResultNotCreatable, .result = ResultState::Absent},
    {.name = "ResultIsADirectory",
     .arrange = [](const TempFolder& f, FakeView&) {
         std::filesystem::create_directory(f / "ddd_new.txt");
         std::filesystem::create_directory(f / "ddd_new.txt/keep");
     },
     .failure = FailureKind::ResultNotCreatable, .result = ResultState::Untouched},
    {.name = "ResultIsAFifoWithoutReader",
     .arrange = [](const TempFolder& f, FakeView&) { ASSERT_EQ(::mkfifo(at(f, "ddd_new.txt").c_str(), 0600), 0); },
     .failure = FailureKind::ResultNotCreatable, .result = ResultState::Untouched},
    {.name = "ResultNameWithStarMatchingAFile",
     .arrange = [](const TempFolder& f, FakeView& v) {
         writeFile(f / "ddd_old.txt", "old");
         v.texts[1] = at(f, "ddd_*.txt");
         v.answers = {Answer::Yes};
     },
     .failure = FailureKind::ResultNotCreatable, .asked = true, .result = ResultState::Absent},
    {.name = "ResultNameWithQuestionMark",
     .arrange = [](const TempFolder& f, FakeView& v) { v.texts[1] = at(f, "ddd_new.tx?"); },
     .failure = FailureKind::ResultNotCreatable, .result = ResultState::Absent},
    {.name = "ResultOnAFullDevice",
     .arrange = [](const TempFolder&, FakeView& v) { v.texts[1] = "/dev/full"; },
     .failure = FailureKind::WriteFailed, .result = ResultState::Untouched},
    {.name = "EmptySource", .sourceBytes = "", .failure = FailureKind::SourceEmpty, .result = ResultState::Empty},
    {.name = "TenThousandAndFirstKey", .sourceBytes = tenThousandAndOneKeys(), .failure = FailureKind::KeyTableFull,
     .result = ResultState::Exact,
     .expectedResult = tenThousandAndOneKeys().substr(0, tenThousandAndOneKeys().rfind("WP,"))},
    {.name = "RecordFailureAfterKeptRecords", .sourceBytes = "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,d,\r\nWP,bad\r\nWP,3,x,y,z,",
     .failure = FailureKind::RecordTooFewFields, .result = ResultState::Exact,
     .expectedResult = "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,d,\r\n"},
};

class FaultMatrix : public ::testing::TestWithParam<Fault> {};

TEST_P(FaultMatrix, FailsCleanlyAndKeepsTheSource) {
    const Fault& fault = GetParam();
    TempFolder folder;
    writeFile(folder / "ddd.txt", fault.sourceBytes);
    FakeView view;
    view.texts[0] = at(folder, "ddd.txt");
    view.texts[1] = at(folder, "ddd_new.txt");
    fault.arrange(folder, view);
    const std::string resultBefore =
        std::filesystem::is_regular_file(view.texts[1]) ? readFile(view.texts[1]) : std::string();

    std::optional<FailureKind> failure;
    try {
        removal::runRemoval(view);
    } catch (const RunFailure& raised) {
        failure = raised.kind();
        EXPECT_NE(std::string(raised.what()).find("«"), std::string::npos) << "no path in: " << raised.what();
    }

    EXPECT_EQ(failure, fault.failure);
    EXPECT_EQ(!view.messages.empty() && view.messages.front().rfind(question, 0) == 0, fault.asked);
    if (!fault.failure) {
        ASSERT_FALSE(view.messages.empty());
        EXPECT_EQ(view.messages.back(), "info: Сформировано 4 строк.");
    } else {
        for (const std::string& message : view.messages) EXPECT_EQ(message.find("Сформировано"), std::string::npos);
    }

    std::filesystem::permissions(folder / "ddd.txt", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(readFile(folder / "ddd.txt"), fault.sourceBytes) << "the source changed";

    const std::filesystem::path resultPath = view.texts[1];
    switch (fault.result) {
    case ResultState::Untouched:
        if (std::filesystem::is_regular_file(resultPath)) {
            EXPECT_EQ(readFile(resultPath), resultBefore);
        }
        break;
    case ResultState::Absent:
        EXPECT_FALSE(std::filesystem::exists(resultPath));
        break;
    case ResultState::Empty:
        EXPECT_EQ(readFile(resultPath), "");
        break;
    case ResultState::Prefix:
    case ResultState::Exact:
        EXPECT_EQ(readFile(resultPath), fault.expectedResult);
        break;
    }
    // A pattern never becomes a file's name.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find_first_of("*?"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

// A file-size limit stops the write in the middle of the run: the failure is
// reported, not a summary, and the result holds a prefix of the right output.
TEST(FaultMatrixWrite, FileSizeLimitInTheMiddle) {
    TempFolder folder;
    std::string source = "H\r\n";
    std::string expected = "H\r\n";
    for (int number = 0; number < 3000; ++number) {
        const std::string line = "WP,x,k" + std::to_string(number) + ",c,d,\r\n";
        source += line;
        expected += line;
    }
    writeFile(folder / "ddd.txt", source);
    FakeView view;
    view.texts[0] = at(folder, "ddd.txt");
    view.texts[1] = at(folder, "ddd_new.txt");

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 10000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::optional<FailureKind> failure;
    try {
        removal::runRemoval(view);
    } catch (const RunFailure& raised) {
        failure = raised.kind();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(failure, FailureKind::WriteFailed);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(readFile(folder / "ddd.txt"), source);
    const std::string result = readFile(folder / "ddd_new.txt");
    EXPECT_EQ(result.size(), 10000u);
    EXPECT_EQ(result, expected.substr(0, result.size()));
}

// A read error in the middle of the source ends the run as SourceUnreadable
// and leaves the lines written before it in the result.
class FailingSource : public removal::BlockSource {
public:
    std::size_t readBlock(char* buffer, std::size_t capacity) override {
        if (handedOut_) throw removal::sourceUnreadable("ddd.txt", "Ошибка ввода/вывода");
        handedOut_ = true;
        const std::string bytes = "H\r\nWP,1,a,b,c,\r\nWP,2,a";
        const std::size_t size = std::min(capacity, bytes.size());
        bytes.copy(buffer, size);
        return size;
    }

private:
    bool handedOut_ = false;
};

TEST(FaultMatrixRead, ReadErrorInTheMiddle) {
    FailingSource source;
    testing_support::MemorySink sink;
    removal::KeyTable keys;
    try {
        removal::filterLines(source, sink, keys, "ddd.txt");
        FAIL() << "no failure raised";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::SourceUnreadable);
    }
    EXPECT_EQ(sink.bytes(), "H\r\nWP,1,a,b,c,\r\n");
}

}  // namespace
