#pragma once

namespace veldra {

class BooleanBits;

// What an in code needs of the coded-track window that shows it: the window's pending
// bits, where a received code's new value waits until the window's code delay hands it
// to the scan.
class TrackWindow {
public:
    virtual ~TrackWindow() = default;

    virtual BooleanBits& PendingBits() = 0;
};

}  // namespace veldra
