#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/board_panel.h"

namespace veldra::testing {

// A board window that records the bits pushed to it and the states loaded into it, or
// fails as a window whose bit went missing.
class RecordingBoard final : public BoardPanel {
public:
    std::string Name() const override { return "frmIO"; }
    std::string Caption() const override { return "IO Board"; }
    void UpdateOutput(std::string_view BitName, bool BitValue) override {
        if (failing) {
            throw std::runtime_error("Bit Not Found");
        }
        shown.push_back(std::string(BitName) + (BitValue ? " on" : " off"));
    }
    void LoadState(std::string_view BitName, bool BitValue) override {
        shown.push_back("state " + std::string(BitName) + (BitValue ? " on" : " off"));
    }
    std::vector<std::string> shown;
    bool failing = false;
};

}  // namespace veldra::testing
