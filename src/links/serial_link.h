#pragma once

// What a serial station says to and takes from its peer station: its out bits
// as records by index, and received records applied to its in bits.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "links/peer_codec.h"

namespace veldra {
class SerialPort;
}

namespace veldra::links {

// What a link asks of the serial station window whose bits it carries.
class SerialLinkWindow {
public:
    // The window's board; none before the loader gives it one.
    virtual const SerialPort* LinkedBoard() const = 0;
    // The in bits the peer sent, by index, in the order they came.
    virtual void ReceiveBits(const std::vector<std::pair<int, bool>>& bits) = 0;

protected:
    ~SerialLinkWindow() = default;
};

class SerialLink {
public:
    explicit SerialLink(SerialLinkWindow& window) : window_(window) {}

    // Every out bit by index; a change sends the False ones first.
    std::string OutRecords(bool falseFirst) const;

    // Applies what the peer sent; true when it asked for our out bits. Each record it
    // cannot use is handed to `refused` as it came.
    bool Receive(const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused);

private:
    SerialLinkWindow& window_;
};

}  // namespace veldra::links
