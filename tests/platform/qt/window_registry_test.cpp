#include "platform/qt/window_registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

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

TEST(WindowRegistry, ManyWindowsGoingInAnyOrderLeaveTheOthersInTheirOrderAndANewOneLast) {
    WindowRegistry windows;
    constexpr int kWindows = 500;
    std::vector<std::unique_ptr<QWidget>> widgets;
    std::vector<std::unique_ptr<RegisteredWidget>> entries;
    for (int i = 0; i < kWindows; ++i) {
        widgets.push_back(std::make_unique<QWidget>());
        entries.push_back(
            std::make_unique<RegisteredWidget>(windows, *widgets.back(), std::to_string(i)));
    }
    // Every third window goes, from the middle outwards, during a walk from the last.
    int visited = 0;
    windows.ForEachFromLast([&](BoardPanel&) {
        if (++visited == 1) {
            for (int step = 0; step < kWindows / 2; ++step) {
                for (const int i : {kWindows / 2 + step, kWindows / 2 - 1 - step}) {
                    if (i % 3 == 0) {
                        entries[std::size_t(i)].reset();
                    }
                }
            }
        }
    });
    EXPECT_EQ(visited, kWindows - (kWindows + 2) / 3);
    QWidget later;
    const RegisteredWidget laterEntry(windows, later, "later");

    std::vector<std::string> expected;
    for (int i = 0; i < kWindows; ++i) {
        if (i % 3 != 0) {
            expected.push_back(std::to_string(i));
        }
    }
    expected.push_back("later");
    std::vector<std::string> walked;
    windows.ForEach([&](BoardPanel& window) { walked.push_back(window.Name()); });
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(windows.Count(), int(expected.size()));
}

}  // namespace
}  // namespace veldra::testing
