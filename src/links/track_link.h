#pragma once

// What a coded-track window's ends say to and take from their peers: the out
// codes of an end as records, and received records applied to the end's in
// codes and received caption, after which the end's code delay evaluates them.

#include <functional>
#include <string>
#include <vector>

#include "boards/track_board.h"
#include "links/peer_codec.h"

namespace veldra::links {

// What a link asks of the coded-track window whose ends it carries.
class TrackLinkWindow {
public:
    // The window's board; none before the loader gives it one.
    virtual const TrackBoard* LinkedBoard() const = 0;
    // Whether the end's "SHUNT TRACK" box is ticked.
    virtual bool Shunted(TrackSide side) const = 0;
    // The end took codes from its peer and now receives `received`: shown, and the end's
    // code delay started.
    virtual void TakeLinkedCodes(TrackSide side, std::string received) = 0;

protected:
    ~TrackLinkWindow() = default;
};

class TrackLink {
public:
    explicit TrackLink(TrackLinkWindow& window) : window_(window) {}

    // Every out code of the end in collection order, one record each.
    std::string OutRecords(TrackSide side) const;

    // Applies what the end's peer sent; true when it asked for our out codes.
    // A shunted end still answers requests but takes no codes. Each record it
    // cannot use is handed to `refused` as it came.
    bool Receive(TrackSide side, const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused);

private:
    TrackLinkWindow& window_;
};

}  // namespace veldra::links
