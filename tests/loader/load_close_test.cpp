#include <gtest/gtest.h>

#include <string>

#include "engine/engine_fixture.h"
#include "loader/loader_fixture.h"
#include "panels/panel_set.h"
#include "support/engine_driver.h"

namespace veldra::testing {
namespace {

// One program window opening a source: the loader's yields and those of load completion
// are counted as one sequence, and the program may be closed at any one of them.
class OpeningWindow {
public:
    explicit OpeningWindow(const Clock& clock) : engine_(window_, clock) {
        host_.onYield = [this] { Yielded(); };
        window_.onYield = [this] { Yielded(); };
        host_.onLoadFinished = [this] { engine_.LoadFinished(panels_.Windows()); };
    }

    std::string Open(const std::string& file, int closeAtYield) {
        closeAt_ = closeAtYield;
        ParseText loader(engine_, host_, panels_);
        return loader.GetProgram(std::string(VELDRA_TEST_DATA) + "/loader/" + file);
    }

    ProgramEngine& Engine() { return engine_; }
    int Yields() const { return yields_; }
    int Releases() const { return window_.releases; }

private:
    void Yielded() {
        if (++yields_ == closeAt_) {
            // The user answers "Close Simulator?" or opens another file.
            engine_.CloseWindow();
            panels_.CloseAll();
        }
    }

    FakeProgramWindow window_;
    FakeLoaderHost host_;
    ProgramEngine engine_;
    PanelSet panels_{engine_.InputQueue()};
    int yields_ = 0;
    int closeAt_ = -1;
};

class LoadCloseTest : public ::testing::TestWithParam<const char*> {
protected:
    FakePlatform platform;
    FakeClock clock;
};

TEST_P(LoadCloseTest, AProgramClosedAtAnyYieldOfItsLoadEndsTheLoadQuietly) {
    int yields = 0;
    {
        OpeningWindow whole(clock);
        ASSERT_FALSE(whole.Open(GetParam(), -1).empty());
        yields = whole.Yields();
    }
    ASSERT_GT(yields, 5);

    for (int closeAt = 1; closeAt <= yields; ++closeAt) {
        OpeningWindow window(clock);

        EXPECT_EQ(window.Open(GetParam(), closeAt), "") << "closed at yield " << closeAt;

        EXPECT_EQ(window.Engine().PrgBooleanBits(), nullptr) << "closed at yield " << closeAt;
        EXPECT_FALSE(window.Engine().InUse());
        EXPECT_EQ(window.Releases(), 1) << "closed at yield " << closeAt;
        EXPECT_TRUE(platform.boxes().empty()) << "closed at yield " << closeAt;

        // The same window opens the next program as a fresh one.
        ASSERT_FALSE(window.Open(GetParam(), -1).empty()) << "closed at yield " << closeAt;
        EXPECT_NE(window.Engine().PrgBooleanBits()->Find("CPS.STATUS"), nullptr);
        EXPECT_TRUE(EngineDriver(window.Engine()).TriggersPending());
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, LoadCloseTest,
                         ::testing::Values("every_section.ml2", "every_board.ml2"));

}  // namespace
}  // namespace veldra::testing
