#include "platform/qt/window_registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace veldra::testing {
namespace {

class WindowRegistryTest : public ::testing::Test {
protected:
    std::vector<std::string> Walked(bool fromLast = false) {
        std::vector<std::string> names;
        const auto visit = [&](BoardPanel& window) { names.push_back(window.Name()); };
        fromLast ? windows.ForEachFromLast(visit) : windows.ForEach(visit);
        return names;
    }

    WindowRegistry windows;
    QWidget mainWindow, programWindow, boardWindow;
};

TEST_F(WindowRegistryTest, WalksTheWindowsInTheOrderTheyWereCreated) {
    const RegisteredWidget main(windows, mainWindow, "frmMain");
    const RegisteredWidget program(windows, programWindow, "frmProgram");
    const RegisteredWidget board(windows, boardWindow, "frmIOBoard");
    EXPECT_EQ(Walked(), (std::vector<std::string>{"frmMain", "frmProgram", "frmIOBoard"}));
    EXPECT_EQ(Walked(true), (std::vector<std::string>{"frmIOBoard", "frmProgram", "frmMain"}));
}

TEST_F(WindowRegistryTest, AWindowThatWentIsGoneFromTheWalks) {
    const RegisteredWidget main(windows, mainWindow, "frmMain");
    { const RegisteredWidget program(windows, programWindow, "frmProgram"); }
    const RegisteredWidget board(windows, boardWindow, "frmIOBoard");
    EXPECT_EQ(Walked(), (std::vector<std::string>{"frmMain", "frmIOBoard"}));
    EXPECT_EQ(windows.Count(), 2);
}

TEST_F(WindowRegistryTest, AWindowClosedByAnEarlierOneDuringAWalkIsPassedOver) {
    const RegisteredWidget main(windows, mainWindow, "frmMain");
    std::optional<RegisteredWidget> program(std::in_place, windows, programWindow, "frmProgram");
    const RegisteredWidget board(windows, boardWindow, "frmIOBoard");
    std::vector<std::string> names;
    windows.ForEach([&](BoardPanel& window) {
        names.push_back(window.Name());
        program.reset();
    });
    EXPECT_EQ(names, (std::vector<std::string>{"frmMain", "frmIOBoard"}));
}

TEST_F(WindowRegistryTest, AWindowWithoutBitsAnswersTheBoardProtocolWithItsCaption) {
    const RegisteredWidget about(windows, mainWindow, "frmAbout");
    mainWindow.setWindowTitle("About VELDRA");
    BoardPanel& window = *windows.Windows().at(0);
    EXPECT_EQ(window.Name(), "frmAbout");
    EXPECT_EQ(window.Caption(), "About VELDRA");
    EXPECT_EQ(window.BitCount(), 0);
    window.CreateimgIndic();
    window.UpdateIndicators();
    window.LoadState("LED.1", true);
    EXPECT_FALSE(window.Closed());
}

}  // namespace
}  // namespace veldra::testing
