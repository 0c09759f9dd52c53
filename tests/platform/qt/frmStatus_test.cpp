#include "platform/qt/frmStatus.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "platform/qt/qt_platform.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

// Notes what the progress window shows ("status value/maximum", or "closed") at each
// yield of the loader and once the source is read, and finishes the load as the program
// window does.
struct WatchingHost final : LoaderHost {
    void DoEvents() override { seen.push_back(Shown()); }
    void ShowProgramWindow() override { seen.push_back("read: " + Shown()); }
    void LoadFinished() override { engine->LoadFinished({}); }

    std::string Shown() const {
        const frmStatus* window = platform->LoadingProgress();
        if (!window || !window->isVisible()) {
            return "closed";
        }
        const auto* bar = window->findChild<QProgressBar*>("pBar");
        return window->findChild<QLabel*>("lblStatus")->text().toStdString() + " " +
               std::to_string(bar->value()) + "/" + std::to_string(bar->maximum());
    }

    const QtPlatform* platform = nullptr;
    ProgramEngine* engine = nullptr;
    std::vector<std::string> seen;
};

class LoadingProgressTest : public ::testing::Test {
protected:
    LoadingProgressTest() {
        host.platform = &platform;
        host.engine = &engine;
    }

    ScriptedDialogs dialogs;
    WindowRegistry windows;
    QtPlatform platform{dialogs, windows, [] { ADD_FAILURE() << "the application ended"; }};
    FakeClock clock;
    ProgramWindow programWindow;
    ProgramEngine engine{programWindow, clock};
    WatchingHost host;
};

TEST_F(LoadingProgressTest, ShowsTheLoadersStatusAndProgressOnTopThenCloses) {
    const std::string source = std::string(VELDRA_TEST_DATA) + "/loader/logic.ml2";
    const std::string size = std::to_string(std::filesystem::file_size(source));

    EXPECT_EQ(ParseText(engine, host).GetProgram(source), "LOGIC");
    ASSERT_GE(host.seen.size(), 3u);
    EXPECT_EQ(host.seen.front(), "Opening File... 0/" + size);
    EXPECT_TRUE(host.seen[1].starts_with("LOGIC "));
    EXPECT_EQ(host.seen.back(), "read: Loading Program Logic " + size + "/" + size);
    EXPECT_TRUE(host.Shown() == "closed" && windows.Count() == 0);
}

TEST_F(LoadingProgressTest, OpensOnTopAndHoldsTheBarBetweenEmptyAndFull) {
    platform.SetLoadingProgress(0, 0);
    EXPECT_EQ(host.Shown(), " 0/1");
    EXPECT_TRUE(platform.LoadingProgress()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(windows.Windows().at(0)->Name(), "frmStatus");
    platform.SetLoadingProgress(12, 10);
    EXPECT_EQ(host.Shown(), " 10/10");
}

}  // namespace
}  // namespace veldra::testing
