#pragma once

#include <string_view>

#include "logic/model_collection.h"

namespace veldra {

class BooleanBit;
class BooleanBits;

// One coded-track window queued for the scan. It holds no bits of its own: it reaches
// into the window's pending received bits when the scan drains it, so bits that arrive
// after the window was queued are drained with the rest.
class TrackForm {
public:
    explicit TrackForm(BooleanBits& pendingBits) : vForm_(&pendingBits) {}

    BooleanBits& vForm() const { return *vForm_; }

    // The pending bit at 1-based position i, how many there are, and removing one.
    BooleanBit* TrackBits(int i) const;
    int TrackBitsCount() const;
    void RemoveTrackBit(int i);

private:
    BooleanBits* vForm_;
};

// The coded-track windows holding received bits for the next scan.
class TrackForms : public ModelCollection<TrackForm> {
public:
    // Queues a window's pending bits, keyed by sKey or without a key. A window with
    // nothing pending is not queued. A window queued twice before the scan drains the
    // queue is drained once; its second entry finds nothing.
    TrackForm* Add(BooleanBits& pendingBits, std::string_view sKey = {});
};

}  // namespace veldra
