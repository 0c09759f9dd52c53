#include "loader/qt/frmStatus.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <tuple>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "platform/qt/qt_platform.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

// What the progress window shows: the status line, the bar's value and its maximum.
using Shown = std::tuple<std::string, int, int>;

class LoadingProgressTest : public ::testing::Test {
protected:
    frmStatus* Window() const { return platform.LoadingProgress(); }
    std::optional<Shown> NowShown() const {
        if (!Window()) {
            return std::nullopt;
        }
        const auto* bar = Window()->findChild<QProgressBar*>("pBar");
        return Shown{Window()->findChild<QLabel*>("lblStatus")->text().toStdString(), bar->value(),
                     bar->maximum()};
    }

    ScriptedDialogs dialogs;
    WindowRegistry windows;
    QtPlatform platform{dialogs, windows, [] { ADD_FAILURE() << "the application ended"; }};
};

// Whether it takes the focus shows only on a real display: the offscreen platform
// activates every window shown.
TEST_F(LoadingProgressTest, OpensOnTopOfTheOthersAtTheFirstStatus) {
    EXPECT_EQ(Window(), nullptr);
    platform.SetLoadingStatus("Opening File...");
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_TRUE(Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(windows.Windows().at(0)->Name(), "frmStatus");
    platform.UnloadLoadingProgress();
    EXPECT_EQ(windows.Count(), 0);
}

TEST_F(LoadingProgressTest, TheBarStaysBetweenEmptyAndFull) {
    platform.SetLoadingProgress(0, 0);
    EXPECT_EQ(NowShown(), (Shown{"", 0, 1}));
    platform.SetLoadingProgress(12, 10);
    EXPECT_EQ(NowShown(), (Shown{"", 10, 10}));
}

// Records what the progress window shows at each yield of the loader and when the
// source has been read; finishes the load as the program window does.
class WatchingHost final : public LoaderHost {
public:
    WatchingHost(std::function<std::optional<Shown>()> shown, ProgramEngine& engine)
        : shown_(std::move(shown)), engine_(engine) {}
    void DoEvents() override { atYields.push_back(shown_()); }
    void ShowProgramWindow() override { atEnd = shown_(); }
    void LoadFinished() override { engine_.LoadFinished({}); }

    std::vector<std::optional<Shown>> atYields;
    std::optional<Shown> atEnd;

private:
    std::function<std::optional<Shown>()> shown_;
    ProgramEngine& engine_;
};

TEST_F(LoadingProgressTest, FollowsTheLoaderAndClosesWhenTheLoadIsFinished) {
    FakeClock clock;
    ProgramWindow programWindow;
    ProgramEngine engine(programWindow, clock);
    WatchingHost host([this] { return NowShown(); }, engine);
    const std::string source = std::string(VELDRA_TEST_DATA) + "/loader/logic.ml2";
    const int size = int(std::filesystem::file_size(source));

    EXPECT_EQ(ParseText(engine, host).GetProgram(source), "LOGIC");

    ASSERT_GE(host.atYields.size(), 2u);
    EXPECT_EQ(host.atYields[0], (Shown{"Opening File...", 0, size}));
    EXPECT_EQ(host.atYields[1], (Shown{"LOGIC", std::get<1>(*host.atYields[1]), size}));
    ASSERT_TRUE(host.atEnd.has_value());
    EXPECT_EQ(std::get<1>(*host.atEnd), size);
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(windows.Count(), 0);
}

}  // namespace
}  // namespace veldra::testing
