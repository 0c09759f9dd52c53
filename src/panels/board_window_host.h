#pragma once

#include <string>

namespace veldra {

class BooleanBits;

// What a board window asks of the program it belongs to: a bit's statement opened, a line
// written in the immediate window, a coded track's received bits queued for the next scan.
// The program answers for every window it loaded; a window without one asks nobody.
class BoardWindowHost {
public:
    virtual ~BoardWindowHost() = default;

    virtual void ShowBitAssign(const std::string& BitName) = 0;
    virtual void WriteLine(const std::string& line) = 0;
    // The scan takes the bits it needs; what it leaves stays pending in the window.
    virtual void QueueTrack(BooleanBits& pending) = 0;
};

}  // namespace veldra
