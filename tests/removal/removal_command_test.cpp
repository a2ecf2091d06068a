#include "removal/removal_command.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include "removal/run_failure.h"
#include "support/fake_view.h"
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

int openDescriptorCount() {
    int count = 0;
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        while (::readdir(folder) != nullptr) ++count;
        ::closedir(folder);
    }
    return count;
}

class RemovalCommand : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(source(), sampleSource);
        view.texts[0] = source();
        view.texts[1] = result();
    }
    std::string source() const { return (folder / "ddd.txt").string(); }
    std::string result() const { return (folder / "ddd_new.txt").string(); }

    TempFolder folder;
    FakeView view;
};

struct EmptyFieldCase {
    const char* name;
    std::string source;
    std::string result;
    std::string message;
};

class RemovalCommandEmptyField : public RemovalCommand, public ::testing::WithParamInterface<EmptyFieldCase> {};

TEST_P(RemovalCommandEmptyField, ReportsTheFirstEmptyFieldAndOpensNothing) {
    view.texts[0] = GetParam().source;
    view.texts[1] = GetParam().result;
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{GetParam().message});
    EXPECT_FALSE(std::filesystem::exists(result()));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RemovalCommandEmptyField,
    ::testing::Values(EmptyFieldCase{"Both", "", "", "info: Не указан Исходный файл :"},
                      EmptyFieldCase{"Source", "", "x.txt", "info: Не указан Исходный файл :"},
                      EmptyFieldCase{"Result", "/no/such/source", "", "info: Не указан Итоговый файл :"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RemovalCommand, NewResultIsWrittenWithoutAQuestion) {
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{"info: Сформировано 4 строк."});
    EXPECT_EQ(readFile(result()), sampleResult);
}

TEST_F(RemovalCommand, OnlyAHeaderFormsTwoLines) {
    writeFile(source(), "HEADER");
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{"info: Сформировано 2 строк."});
}

TEST_F(RemovalCommand, ExistingResultIsOverwrittenOnYes) {
    writeFile(result(), "old result, longer than the new one will be........................");
    view.answers = {Answer::Yes};
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, (std::vector<std::string>{question + result(), "info: Сформировано 4 строк."}));
    EXPECT_EQ(readFile(result()), sampleResult);
}

TEST_F(RemovalCommand, DeclinedOverwriteChangesNothingAndAsksAgainNextTime) {
    writeFile(result(), "old");
    const int descriptorsBefore = openDescriptorCount();
    view.answers = {Answer::No};
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{question + result()});
    EXPECT_EQ(readFile(result()), "old");
    EXPECT_EQ(openDescriptorCount(), descriptorsBefore) << "the source was left open";

    view.answers = {Answer::No};
    removal::runRemoval(view);
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1], question + result());
    EXPECT_EQ(readFile(source()), sampleSource);
}

TEST_F(RemovalCommand, CheckedOrGreyedBoxOverwritesWithoutAsking) {
    for (const int state : {1, 2}) {
        writeFile(result(), "old");
        view.messages.clear();
        view.checkState = state;
        removal::runRemoval(view);
        EXPECT_EQ(view.messages, std::vector<std::string>{"info: Сформировано 4 строк."}) << "state " << state;
        EXPECT_EQ(readFile(result()), sampleResult);
    }
}

TEST_F(RemovalCommand, MissingSourceFailsBeforeAnyQuestion) {
    writeFile(result(), "old");
    view.texts[0] = (folder / "missing.txt").string();
    try {
        removal::runRemoval(view);
        FAIL() << "no failure raised";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::SourceNotFound);
        EXPECT_NE(std::string(failure.what()).find("missing.txt"), std::string::npos);
    }
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(readFile(result()), "old");
}

TEST_F(RemovalCommand, PathsOfSpacesAreNotEmpty) {
    view.texts[0] = "   ";
    EXPECT_THROW(removal::runRemoval(view), RunFailure);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(RemovalCommand, RelativePathsAreTakenFromTheCurrentFolder) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    view.texts[0] = "ddd.txt";
    view.texts[1] = "ddd_new.txt";
    removal::runRemoval(view);
    std::filesystem::current_path(previous);
    EXPECT_EQ(readFile(result()), sampleResult);
}

TEST_F(RemovalCommand, ResultNamesInTheQuestionExactlyAsTyped) {
    writeFile(result(), "old");
    view.texts[1] = folder.path().string() + "/./ddd_new.txt";
    removal::runRemoval(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{question + view.texts[1]});
}

struct ExistsCase {
    const char* name;
    const char* path;  // relative to the folder
    bool exists;
};

class ResultExists : public ::testing::TestWithParam<ExistsCase> {};

TEST_P(ResultExists, CountsRegularFilesAndMatchingPatterns) {
    TempFolder folder;
    writeFile(folder / "plain.txt", "x");
    writeFile(folder / ".hidden", "x");
    std::filesystem::create_directory(folder / "folder.txt");
    std::filesystem::create_symlink(folder / "plain.txt", folder / "link.txt");
    std::filesystem::create_symlink(folder / "gone", folder / "dangling.txt");
    EXPECT_EQ(removal::resultExists(folder / GetParam().path), GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ResultExists,
    ::testing::Values(ExistsCase{"RegularFile", "plain.txt", true}, ExistsCase{"DotFile", ".hidden", true},
                      ExistsCase{"Missing", "missing.txt", false}, ExistsCase{"Directory", "folder.txt", false},
                      ExistsCase{"LinkToFile", "link.txt", true}, ExistsCase{"DanglingLink", "dangling.txt", false},
                      ExistsCase{"StarMatchesFile", "pl*.txt", true}, ExistsCase{"QuestionMatchesFile", "plai?.txt", true},
                      ExistsCase{"StarMatchesDotFile", "*hidden", true},
                      ExistsCase{"PatternMatchesOnlyDirectory", "fold*", false},
                      ExistsCase{"PatternMatchesNothing", "*.none", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
