#pragma once

// What a serial station says to and takes from its peer station: its out bits
// as records by index, and received records applied to its in bits.

#include <functional>
#include <string>
#include <vector>

#include "links/peer_codec.h"

namespace veldra {
class SerialPortPanel;
}

namespace veldra::links {

class SerialLink {
public:
    explicit SerialLink(SerialPortPanel& panel) : panel_(panel) {}

    // Every out bit by index; a change sends the False ones first.
    std::string OutRecords(bool falseFirst) const;

    // Applies what the peer sent; true when it asked for our out bits. Each record it
    // cannot use is handed to `refused` as it came.
    bool Receive(const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused);

private:
    SerialPortPanel& panel_;
};

}  // namespace veldra::links
