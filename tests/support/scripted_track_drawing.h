#pragma once

#include <functional>

#include "panels/track_panel.h"

namespace veldra::testing {

// The form over a coded-track window as a test scripts it: the code tester answers as
// `tester` says (cancelled by default), and an end is linked as `linked` says (none by
// default).
struct ScriptedTrackDrawing final : TrackDrawing {
    std::function<bool(CodeTester&)> tester = [](CodeTester&) { return false; };
    std::function<bool(TrackSide)> linked = [](TrackSide) { return false; };

    bool RunCodeTester(CodeTester& codes) override { return tester(codes); }
    bool EndLinked(TrackSide side) const override { return linked(side); }
};

}  // namespace veldra::testing
