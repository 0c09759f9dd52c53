#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "logic/statements.h"
#include "logic/text_helpers.h"
#include "shell/statement_export.h"
#include "shell/view_file.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

// Windows that record where they were put: "state" or "state left,top height x width".
struct RecordedWindows final : ViewTarget {
    explicit RecordedWindows(std::vector<std::string> names) : captions(std::move(names)) {}
    int FindWindow(std::string_view caption) override {
        const auto found = std::find(captions.begin(), captions.end(), caption);
        return found == captions.end() ? -1 : int(found - captions.begin());
    }
    int SetState(int window, int state) override {
        placed[captions[std::size_t(window)]] = std::to_string(state);
        return state;
    }
    void Place(int window, int left, int top, int height, int width) override {
        placed[captions[std::size_t(window)]] +=
            " " + std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(height) +
            "x" + std::to_string(width);
    }
    void SetMainCaption(const std::string& caption, bool withProgram) override {
        mainCaption = caption + (withProgram ? " (and program)" : "");
        captions[0] = caption;
    }

    std::vector<std::string> captions;
    std::map<std::string, std::string> placed;
    std::string mainCaption;
};

TEST(ViewFile, PutsBackStatesAndPlacesOfTheWindowsItFinds) {
    const std::string text = ViewFileText({{"SID 2, Card File: SMALL", 2},
                                           {"IN16 1", 0, -300, 150, 4500, 6000},
                                           {"Table 1", 1},
                                           {"Closed since", 0, 15, 15, 15, 15}},
                                          "SID 2, Card File: SMALL");
    EXPECT_EQ(text.substr(0, 34), "Card File\r\n2\r\nIN16 1\r\n0\r\n-300\r\n150");
    EXPECT_EQ(text.substr(text.size() - 44), "Card File Caption\r\nSID 2, Card File: SMALL\r\n");

    RecordedWindows windows({"SID 7, Card File: SMALL", "IN16 1", "Table 1"});
    EXPECT_TRUE(ApplyViewFile(text, windows));
    EXPECT_EQ(windows.placed,
              (std::map<std::string, std::string>{
                  {"Card File", "2"}, {"IN16 1", "0 0,150 4500x6000"}, {"Table 1", "1"}}));
    EXPECT_EQ(windows.mainCaption, "SID 2, Card File: SMALL (and program)");
}

struct OddView {
    const char* name;
    const char* text;
    bool read;
    const char* in16;  // where "IN16 1" ends up; empty: not placed
};

class OddViewTest : public ::testing::TestWithParam<OddView> {};

TEST_P(OddViewTest, IsReadAsFarAsItGoesWithoutFault) {
    RecordedWindows windows({"Card File", "IN16 1"});
    EXPECT_EQ(ApplyViewFile(GetParam().text, windows), GetParam().read);
    EXPECT_EQ(windows.placed["IN16 1"], GetParam().in16);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OddViewTest,
    ::testing::Values(OddView{"Empty", "", true, ""},
                      OddView{"LineFeedsOnly", "IN16 1\n0\n30\n45\n60\n75\n", true,
                              "0 30,45 60x75"},
                      OddView{"Unknown", "Gone\n0\n1\n2\n3\n4\nIN16 1\n1\n", true, "1"},
                      OddView{"NotANumber", "IN16 1\n0\n30\nwide\n60\n75\n", false, "0"},
                      OddView{"Hexadecimal", "IN16 1\n0x1\n", false, ""},
                      OddView{"NoState", "IN16 1\n9\n", false, ""},
                      OddView{"CutShort", "IN16 1\n0\n30\n", false, "0"},
                      OddView{"CaptionCutShort", "Card File Caption", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportCase {
    const char* statement;
    const char* line;
};

class ExportTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportTest, SpreadsOperatorsAndListsResults) {
    FakePlatform platform;
    Statements statements;
    ASSERT_NE(statements.Add(GetParam().statement), nullptr);
    EXPECT_EQ(StatementExportText(&statements, false), std::string(GetParam().line) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ExportTest,
    ::testing::Values(ExportCase{"ASSIGN A*B+~C TO X, Y;", "ASSIGN A * B + ~C TO X, Y;"},
                      ExportCase{"ASSIGN A TO X;", "ASSIGN A TO X;"},
                      ExportCase{"ASSIGN (A+B)*~C@D TO X;", "ASSIGN (A + B) * ~C @ D TO X;"}));

TEST(StatementExport, WritesOnlyEditedStatementsWhenAskedAndNothingForNone) {
    FakePlatform platform;
    Statements statements;
    statements.Add("ASSIGN A TO X;");
    statements.Add("ASSIGN B*C TO Y;")->SetEdited(true);

    EXPECT_EQ(StatementExportText(&statements, true), "ASSIGN B * C TO Y;\r\n");
    EXPECT_EQ(StatementExportText(&statements, false), "ASSIGN A TO X;\r\nASSIGN B * C TO Y;\r\n");
    statements.Item(2)->SetEdited(false);
    EXPECT_EQ(StatementExportText(&statements, true), "");
    EXPECT_EQ(StatementExportText(nullptr, false), "");
    // Blanks an expression already holds beside an operator stay.
    EXPECT_EQ(SpaceOperators("A + B"), "A  +  B");
}

}  // namespace
}  // namespace veldra::testing
