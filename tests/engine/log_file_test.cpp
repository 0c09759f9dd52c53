#include "engine/log_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

namespace fs = std::filesystem;

// The desktop side of the log: a chosen file, a location typed in, a fixed moment.
class FakeLogHost final : public LogFileHost {
public:
    std::optional<fs::path> SaveLogAs(const std::string& proposedName) override {
        proposed = proposedName;
        return chosen;
    }
    std::string LocationName() override { return "Relay Room 2"; }
    LogMoment Now() const override { return {2024, 3, 7, 14, 5}; }

    std::optional<fs::path> chosen;
    std::string proposed;
};

class LogFileTest : public EngineTest {
protected:
    LogFileTest() {
        fs::create_directories(folder);
        host.chosen = folder / "yard.txt";
    }
    ~LogFileTest() override { fs::remove_all(folder); }

    std::string FileText() {
        std::stringstream text;
        text << std::ifstream(*host.chosen, std::ios::binary).rdbuf();
        return text.str();
    }

    // One folder per test and process: ctest runs the tests side by side, and other
    // builds on the machine run the same tests.
    const fs::path folder =
        fs::temp_directory_path() /
        ("veldra_log_file_test_" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
         std::to_string(::getpid()));
    FakeLogHost host;
    LogFile log{engine, host};
};

TEST(LogMomentFormat, DatesAndTwelveHourTimesAsTheHeaderWritesThem) {
    EXPECT_EQ(FormatLogDate({2024, 3, 7, 0, 0}), "03/07/2024");
    EXPECT_EQ(FormatLogTime({2024, 3, 7, 0, 5}), "12:05 AM");
    EXPECT_EQ(FormatLogTime({2024, 3, 7, 9, 30}), "09:30 AM");
    EXPECT_EQ(FormatLogTime({2024, 3, 7, 12, 0}), "12:00 PM");
    EXPECT_EQ(FormatLogTime({2024, 3, 7, 23, 59}), "11:59 PM");
}

TEST_F(LogFileTest, TheHeaderNamesTheProgramThePlaceTheMomentAndEveryBitsStartingState) {
    Bit("TR2", true);
    Bit("signal").SetFilter(true);
    Bit("SPEED").SetIsNumeric(true);
    engine.prgUserBits.Add("UB1", 1);
    engine.LoadFinished({});
    for (BooleanBit& bit : Bits()) {
        bit.SetFilter(bit.Filter() || bit.IsFormBit() || bit.BitName() == "CPS.STATUS");
    }

    ASSERT_TRUE(log.Start(" yard east\t"));

    EXPECT_EQ(host.proposed, " yard east\t");
    EXPECT_EQ(FileText(),
              "Program Name: YARD EAST\r\nLocation Name: Relay Room 2\r\n\r\n"
              "Date: 03/07/2024\r\nTime: 02:05 PM\r\n\r\n"
              "The following bits are part of the program but will not be shown in this log\r\n"
              "\r\n"
              "CPS.STATUS\r\nLED.1\r\nLED.2\r\nLED.3\r\nLED.4\r\nLED.5\r\nLED.6\r\nLED.7\r\n"
              "LED.8\r\nsignal\r\n\r\n\r\n\r\n"
              "User Bits (Configuration)\r\n\r\nUB1: True\r\n\r\n\r\n\r\n"
              "IO Updates will not be logged\r\n\r\n\r\n\r\n"
              "Starting bit state\r\n\r\nTR2: True\r\nUB1: True\r\n\r\n\r\n\r\n\r\n\r\n"
              "Begin Log\r\n\r\n");
    EXPECT_TRUE(log.Logging());
}

TEST_F(LogFileTest, EntriesFollowTheHeaderUntilTheLogStopsAlsoWhileRunning) {
    engine.prgAssigns->Add("ASSIGN IN TO OUT;");
    Bit("QUIET").SetFilter(true);
    Bit("SPEED").SetIsNumeric(true);
    engine.LoadFinished({});
    ASSERT_TRUE(log.Start("YARD"));
    platform.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
    Start();
    clock.now = {14, 5, 9};

    Input("IN", true);
    Input("QUIET", true);
    Tick();
    Bits().Find("SPEED")->SetNumValue(4);
    log.Stop();
    Bits().Find("OUT")->SetBitValue(false);

    const std::string text = FileText();
    EXPECT_EQ(text.substr(text.find("Begin Log\r\n\r\n") + 13),
              "14:05:09\r\nSetting bit: IN\r\n\r\n14:05:09\r\nSetting bit: OUT\r\n\r\n");
    EXPECT_FALSE(log.Logging());
}

TEST_F(LogFileTest, AnExistingFileIsReplacedOnlyAfterYes) {
    std::ofstream(*host.chosen) << "earlier log";

    platform.Answer(MsgAnswer::No);
    EXPECT_FALSE(log.Start("YARD"));
    EXPECT_EQ(platform.boxes().back().prompt, "Replace File?");
    EXPECT_EQ(platform.boxes().back().title, "File Exists");
    EXPECT_EQ(FileText(), "earlier log");

    fs::permissions(*host.chosen, fs::perms::owner_read);
    platform.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(log.Start("YARD"));
    EXPECT_EQ(FileText().rfind("Program Name: YARD\r\n", 0), 0u);
    EXPECT_EQ(fs::status(*host.chosen).permissions(), fs::perms::owner_read);
}

TEST_F(LogFileTest, ALogChosenThroughALinkIsWrittenWhereTheLinkPoints) {
    const fs::path target = folder / "logs" / "yard.txt";
    fs::create_directories(target.parent_path());
    std::ofstream(target) << "earlier log";
    fs::create_symlink("logs/yard.txt", *host.chosen);

    platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(log.Start("YARD"));
    log.Stop();

    EXPECT_TRUE(fs::is_symlink(*host.chosen));
    EXPECT_EQ(FileText().rfind("Program Name: YARD\r\n", 0), 0u);
}

TEST_F(LogFileTest, AFileThatCannotBeCreatedIsReportedAndLoggingStaysOff) {
    host.chosen = folder / "no such folder" / "yard.txt";
    platform.Answer(MsgAnswer::Ok);

    EXPECT_FALSE(log.Start("YARD"));

    EXPECT_EQ(platform.boxes().back().title, "Log Failed");
    EXPECT_NE(platform.boxes().back().prompt.find("could not be created"), std::string::npos);
    EXPECT_FALSE(log.Logging());
}

}  // namespace
}  // namespace veldra::testing
