#pragma once

// What a coded-track window's ends say to and take from their peers: the out
// codes of an end as records, and received records applied to the end's in
// codes and received caption, after which the end's code delay evaluates them.

#include <functional>
#include <string>
#include <vector>

#include "boards/track_board.h"
#include "links/peer_codec.h"

namespace veldra {
class TrackPanel;
}

namespace veldra::links {

class TrackLink {
public:
    explicit TrackLink(TrackPanel& panel) : panel_(panel) {}

    // Every out code of the end in collection order, one record each.
    std::string OutRecords(TrackSide side) const;

    // Applies what the end's peer sent; true when it asked for our out codes.
    // A shunted end still answers requests but takes no codes. Each record it
    // cannot use is handed to `refused` as it came.
    bool Receive(TrackSide side, const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused);

private:
    TrackPanel& panel_;
};

}  // namespace veldra::links
