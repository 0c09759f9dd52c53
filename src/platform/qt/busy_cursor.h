#pragma once

namespace veldra {

// The hourglass over the whole application for as long as the guard lives, however the
// work ends: a failure that leaves the command never leaves the pointer busy. Guards
// nest; the normal pointer comes back when the last one goes.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace veldra
