#include <gtest/gtest.h>

#include <filesystem>

#include "engine/engine_fixture.h"
#include "engine/log_file.h"
#include "engine/program_menus.h"

namespace veldra::testing {
namespace {

// The desktop side of the menus and of a log whose Save dialog is always cancelled.
class FakeMenusHost final : public ProgramMenusHost, public LogFileHost {
public:
    void KeepOnTop(bool on) override { journal.push_back(on ? "top on" : "top off"); }
    void ShowFilterWindow() override { journal.push_back("filter window"); }
    void ShowWatchWindow() override { journal.push_back("watch window"); }
    void ShowNumericReport(const std::string&) override { journal.push_back("report"); }
    std::optional<std::filesystem::path> SaveLogAs(const std::string&) override {
        journal.push_back("save dialog");
        return std::nullopt;
    }
    std::string LocationName() override { return {}; }
    std::vector<std::string> journal;
};

class ProgramMenusTest : public EngineTest {
protected:
    ProgramMenus::Item ItemNamed(const std::string& name) {
        for (const ProgramMenus::Menu& menu : menus.Bar()) {
            for (const ProgramMenus::Item& item : menu.items) {
                if (item.name == name) {
                    return item;
                }
            }
        }
        ADD_FAILURE() << "no menu item " << name;
        return {};
    }

    FakeMenusHost host;
    LogFile log{engine, host};
    ProgramMenus menus{engine, host, log};
};

TEST_F(ProgramMenusTest, AFreshWindowShowsTheMenusAsTheyLoad) {
    EXPECT_EQ(ItemNamed("mnuIO").caption, "Do Not Show IO Update in Immediate Window");
    EXPECT_TRUE(ItemNamed("mnuIO").checked);
    for (const char* name : {"mnuCLog", "mnuTop", "mnuCPS", "mnuConfigErr"}) {
        EXPECT_FALSE(ItemNamed(name).checked) << name;
    }
    // The Tools items stay disabled for a program without tables and numeric blocks.
    for (const char* name : {"mnuShowNumeric", "mnuForceTable", "mnuNumeric"}) {
        EXPECT_FALSE(ItemNamed(name).enabled) << name;
    }
    menus.mnuIO_Click();
    EXPECT_TRUE(engine.ShowsIOUpdates());  // the scan writes "Updating IO" again
    menus.mnuShowNumeric_Click();
    menus.mnuShowNumeric_Click();
    EXPECT_EQ(host.journal, (std::vector<std::string>{"report", "report"}));
}

TEST_F(ProgramMenusTest, ASystemBitTakesTheValueOppositeItsMarkAtTheNextScanTick) {
    Bit("CPS.STATUS");
    Assign("CONFIGURE.ERROR", "ALARM");
    menus.mnuCPS_Click();
    menus.mnuCPS_Click();
    menus.mnuConfigErr_Click();

    EXPECT_FALSE(ItemNamed("mnuCPS").checked);
    EXPECT_TRUE(ItemNamed("mnuConfigErr").checked);
    ASSERT_EQ(driver.PendingCount(), 2);
    platform.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
    Start();
    Tick();
    EXPECT_FALSE(Value("CPS.STATUS"));
    EXPECT_TRUE(Value("ALARM"));
}

TEST_F(ProgramMenusTest, ForcingAllTablesWhileStoppedEvaluatesThemInTheFirstScan) {
    Table& table = *engine.prgTables.Add(1);
    table.Layout().Outputs().Add("OUT", 0, false);
    table.Layout().Rows().Add(1)->Outputs().Add("OUT", 1, false);
    engine.LoadFinished({});
    table.SetTableTriggered(false);
    driver.ClearTriggersPending();
    EXPECT_TRUE(ItemNamed("mnuForceTable").enabled);

    menus.mnuForceTable_Click();
    platform.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
    Start();
    Tick();

    EXPECT_TRUE(Value("OUT"));
}

TEST_F(ProgramMenusTest, DialogsOpenWithKeepOnTopOffWhichOnlyTheLogLeavesOff) {
    menus.mnuFilter_Click();
    menus.mnuTop_Click();
    menus.mnuWatch_Click();
    menus.mnuCLog_Click("Yard");  // even when the Save dialog is cancelled

    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"filter window", "top on", "top off", "watch window",
                                        "top on", "top off", "save dialog"}));
    EXPECT_FALSE(menus.TopChecked());
    EXPECT_FALSE(ItemNamed("mnuCLog").checked);
}

TEST_F(ProgramMenusTest, ALogIsRefusedWhileTheSimulationRunsAndKeepOnTopStays) {
    menus.mnuTop_Click();
    Start();
    platform.Answer(MsgAnswer::Ok);

    menus.mnuCLog_Click("Yard");

    EXPECT_EQ(platform.boxes().back().prompt, "You must stop the simulator first");
    EXPECT_EQ(platform.boxes().back().title, "Log Failed");
    EXPECT_EQ(host.journal, (std::vector<std::string>{"top on"}));
}

}  // namespace
}  // namespace veldra::testing
