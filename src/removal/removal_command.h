#pragma once

#include <filesystem>
#include <string>

namespace removal {

enum class Answer { Yes, No };

// What the removal command needs of the window. Texts are UTF-8.
class RemovalView {
public:
    virtual ~RemovalView() = default;
    virtual std::string pathText(int index) const = 0;     // UTF-8, exactly as typed
    virtual std::string pathCaption(int index) const = 0;
    virtual int overwriteWithoutAsking() const = 0;         // 0 unchecked, 1 checked, 2 greyed
    virtual void showInfo(const std::string& text) = 0;
    virtual Answer askYesNo(const std::string& text) = 0;
};

// What a press of the button does: check both paths, open the source, ask
// before overwriting, filter, and report the lines formed. Lets every
// RunFailure through to the caller's failure report.
void runRemoval(RemovalView& view);

// True when the path names an existing regular file (links followed), or,
// when it holds * or ?, when the pattern matches one. Directories don't count.
bool resultExists(const std::filesystem::path& path);

}  // namespace removal
