#pragma once

namespace window {

// Shows the wait cursor for as long as it lives, on every way out. A message
// box suspends it, so that the user never answers under an hourglass.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void suspend();
    void resume();

private:
    bool shown_ = false;
};

// Suspends a wait cursor, if there is one, for its own lifetime.
class WaitCursorPause {
public:
    explicit WaitCursorPause(WaitCursor* cursor) : cursor_(cursor) {
        if (cursor_) cursor_->suspend();
    }
    ~WaitCursorPause() {
        if (cursor_) cursor_->resume();
    }
    WaitCursorPause(const WaitCursorPause&) = delete;
    WaitCursorPause& operator=(const WaitCursorPause&) = delete;

private:
    WaitCursor* cursor_;
};

}  // namespace window
