#pragma once

// A broken or hostile peer can send thousands of bad records a second; the immediate
// window must stay readable and the scan must not spend its time writing lines. A link
// lets a few lines through in each window of time and counts the rest, which it tells
// as one line when the window closes. The owner times the windows.

#include <optional>
#include <string>
#include <string_view>

namespace veldra::links {

class LineBudget {
public:
    explicit LineBudget(int linesPerWindow = 5) : linesPerWindow_(linesPerWindow) {}

    // Whether the next line may be written. The first line after a window closed opens
    // the next one.
    bool Admit();
    bool Open() const { return open_; }
    // Closes the window: the line that tells how many were left out, if any were.
    std::optional<std::string> Close();

private:
    int linesPerWindow_;
    bool open_ = false;
    int written_ = 0;
    int leftOut_ = 0;
};

// A peer's text as a line can show it: control and non-ASCII bytes as "?", cut after
// `limit` characters with "...".
std::string Printable(std::string_view text, std::size_t limit = 40);

}  // namespace veldra::links
