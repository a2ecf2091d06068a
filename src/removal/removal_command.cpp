#include "removal/removal_command.h"

#include <glob.h>
#include <sys/stat.h>

#include "removal/filter_run.h"

namespace removal {

namespace {

constexpr int sourceIndex = 0;
constexpr int resultIndex = 1;

bool isRegularFile(const char* path) {
    struct stat status {};
    return ::stat(path, &status) == 0 && S_ISREG(status.st_mode);
}

bool patternMatchesRegularFile(const std::string& pattern) {
    glob_t matches{};
    // GLOB_PERIOD: dot files count as existing, as they do when named in full.
    const int outcome = ::glob(pattern.c_str(), GLOB_NOESCAPE | GLOB_NOSORT | GLOB_PERIOD, nullptr, &matches);
    bool found = false;
    if (outcome == 0)
        for (std::size_t i = 0; i < matches.gl_pathc && !found; ++i) found = isRegularFile(matches.gl_pathv[i]);
    ::globfree(&matches);
    return found;
}

}  // namespace

bool resultExists(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.find_first_of("*?") != std::string::npos) return patternMatchesRegularFile(text);
    return isRegularFile(text.c_str());
}

void runRemoval(RemovalView& view) {
    for (const int index : {sourceIndex, resultIndex}) {
        if (view.pathText(index).empty()) {
            view.showInfo("Не указан " + view.pathCaption(index));
            return;
        }
    }
    const std::string sourceText = view.pathText(sourceIndex);
    const std::string resultText = view.pathText(resultIndex);

    FilterRun run;
    run.openSource(sourceText);  // a missing source is reported before any question

    if (view.overwriteWithoutAsking() == 0 && resultExists(resultText)) {
        if (view.askYesNo("Можно ли затереть существующий итоговый файл " + resultText) == Answer::No) {
            run.abandon();
            return;
        }
    }
    run.createResult(resultText);
    const int kept = run.filterRecords();
    view.showInfo("Сформировано " + std::to_string(kept + 2) + " строк.");
}

}  // namespace removal
