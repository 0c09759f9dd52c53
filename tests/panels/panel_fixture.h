#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "logic/pending_inputs.h"
#include "panels/board_window.h"
#include "panels/board_window_host.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// The names a window reports, 1 to BitCount.
inline std::vector<std::string> Reported(const BoardPanel& window) {
    std::vector<std::string> names;
    for (int i = 1; i <= window.BitCount(); ++i) {
        names.push_back(window.GetSystemBit(i));
    }
    return names;
}

// A board window's half as the program drives it: the pending inputs its clicks go to,
// the statements it opens, and the message boxes it shows.
class PanelTest : public ::testing::Test, protected BoardWindowHost {
protected:
    // The pending inputs, in the order first posted, as "NAME=1" or "NAME=0".
    std::vector<std::string> Pending() const {
        std::vector<std::string> posted;
        for (const PendingInput& input : IOBits) {
            posted.push_back(input.BitName() + (input.BitValue() ? "=1" : "=0"));
        }
        return posted;
    }

    void Watch(BoardWindow& window) { window.SetHost(*this); }
    void ShowBitAssign(const std::string& BitName) override { opened.push_back(BitName); }
    void WriteLine(const std::string& line) override { (void)line; }
    // A test that follows a coded track's bits to the scan takes them here.
    void QueueTrack(BooleanBits& pending) override { (void)pending; }

    // Expects exactly one box, critical with OK, as "title: prompt".
    void ExpectOneBox(const std::string& titleAndPrompt) {
        ASSERT_EQ(platform.boxes().size(), 1u);
        const MsgBoxRequest& box = platform.boxes()[0];
        EXPECT_EQ(box.title + ": " + box.prompt, titleAndPrompt);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
    }

    FakePlatform platform;
    PendingInputs IOBits;
    std::vector<std::string> opened;
};

}  // namespace veldra::testing
