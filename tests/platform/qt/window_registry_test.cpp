#include "platform/qt/window_registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace veldra::testing {
namespace {

class WindowRegistryTest : public ::testing::Test {
protected:
    std::vector<std::string> Walked(bool fromLast = false) {
        std::vector<std::string> seen;
        const auto visit = [&](BoardPanel& window) {
            seen.push_back(window.Name() + " " + window.Caption());
            window.UpdateIndicators();
            if (onVisit) {
                onVisit();
            }
        };
        fromLast ? windows.ForEachFromLast(visit) : windows.ForEach(visit);
        return seen;
    }

    WindowRegistry windows;
    QWidget main, program, about;
    std::optional<RegisteredWidget> mainEntry{std::in_place, windows, main, "frmMain"};
    std::optional<RegisteredWidget> programEntry{std::in_place, windows, program, "frmProgram"};
    std::optional<RegisteredWidget> aboutEntry{std::in_place, windows, about, "frmAbout"};
    std::function<void()> onVisit;
};

TEST_F(WindowRegistryTest, WalksTheWindowsStillThereInTheOrderOfCreationWithTheirCaptions) {
    about.setWindowTitle("About VELDRA");
    EXPECT_EQ(Walked(),
              (std::vector<std::string>{"frmMain ", "frmProgram ", "frmAbout About VELDRA"}));
    EXPECT_EQ(Walked(true).front(), "frmAbout About VELDRA");

    // A window that went, before or during a walk, is gone from it.
    programEntry.reset();
    EXPECT_EQ(Walked(), (std::vector<std::string>{"frmMain ", "frmAbout About VELDRA"}));
    onVisit = [&] { aboutEntry.reset(); };
    EXPECT_EQ(Walked(), (std::vector<std::string>{"frmMain "}));
    EXPECT_EQ(windows.Count(), 1);
}

}  // namespace
}  // namespace veldra::testing
