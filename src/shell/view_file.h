#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// One window of the arrangement as a view file keeps it: its caption ("Card File" for the
// main window), its state (0 normal, 1 minimised, 2 maximised) and, when normal, its
// place and size in twips.
struct ViewWindow {
    std::string caption;
    int state = 0;
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;
};

// The windows the arrangement is put back on, found by caption.
class ViewTarget {
public:
    virtual ~ViewTarget() = default;
    // The first open window, in load order, with exactly this caption; -1 for none.
    virtual int FindWindow(std::string_view caption) = 0;
    // Sets the window's state and tells the state it is in now.
    virtual int SetState(int window, int state) = 0;
    // Places a normal window; a size of 0 or less keeps the window's own.
    virtual void Place(int window, int left, int top, int height, int width) = 0;
    // The main window's caption, and the program window's with it when `withProgram`.
    virtual void SetMainCaption(const std::string& caption, bool withProgram) = 0;
};

// The view file of these windows (main window first, program window left out), closed by
// the main window's caption: one value a line, each ended by CR LF.
std::string ViewFileText(const std::vector<ViewWindow>& windows, std::string_view mainCaption);

// Puts the arrangement a view file holds back on the windows, in two passes as windows
// that move may move others. Records of windows no longer open are passed over line by
// line. False when a line that must be a number is not one: what was placed stays.
bool ApplyViewFile(std::string_view text, ViewTarget& target);

}  // namespace veldra
