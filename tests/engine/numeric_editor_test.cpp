#include <gtest/gtest.h>

#include "engine/pages_fixture.h"

namespace veldra::testing {
namespace {

class NumericEditorTest : public PagesTest {
protected:
    NumericEditorTest() {
        for (const char* name : {"SPEED", "COUNT"}) {
            BooleanBit& bit = Bit(name);
            bit.SetIsNumeric(true);
            bit.SetNumValue(7, true);
        }
        Map();
        pages.ShowPage(ProgramPage::ForceBit);
    }

    NumericEditor& editor = pages.ForceNumerics();
};

TEST_F(NumericEditorTest, EnterAppliesTheNumberAndStepsOnUntilTheLastLine) {
    EXPECT_EQ(editor.Lines(), (std::vector<std::string>{"SPEED = 7", "COUNT = 7"}));
    EXPECT_FALSE(editor.ValueEnabled());
    editor.Choose(0);
    EXPECT_TRUE(editor.ValueEnabled());
    editor.SetValueText("12");

    editor.Enter();

    EXPECT_EQ(Bits().Find("SPEED")->NumValue(), 12);
    EXPECT_EQ(editor.Lines()[0], "SPEED = 12");
    EXPECT_EQ(engine.Status().StatusText(),
              "12:00:00\r\nSPEED\r\nValue Changed, New Value = 12\r\n");
    EXPECT_FALSE(driver.ScanRequested());  // a numeric change forces no scan
    EXPECT_EQ(editor.CurrentLine(), 1);
    EXPECT_EQ(editor.ValueText(), "7");

    editor.SetValueText("3");
    editor.Enter();
    EXPECT_EQ(editor.CurrentLine(), 1);
    EXPECT_EQ(editor.Lines()[1], "COUNT = 3");
}

// A number entered is shown in the immediate window but kept out of the log, which takes
// the stamped entries written around it.
TEST_F(NumericEditorTest, ANumberEnteredIsShownButNotLogged) {
    std::vector<std::string> logged;
    const Subscription logging = engine.Status().Logged.Subscribe(
        [&](std::string_view entry) { logged.emplace_back(entry); });
    engine.Status().WriteEntry("Setting bit: ROUTE");
    editor.Choose(0);
    editor.SetValueText("12");
    editor.Enter();
    engine.Status().WriteEntry("Clearing bit: ROUTE");

    EXPECT_NE(engine.Status().StatusText().find("SPEED\r\nValue Changed, New Value = 12\r\n"),
              std::string::npos);
    EXPECT_EQ(logged, (std::vector<std::string>{"12:00:00\r\nSetting bit: ROUTE",
                                                "12:00:00\r\nClearing bit: ROUTE"}));
}

TEST_F(NumericEditorTest, TypedNumbersAreRoundedToTheEvenNeighbour) {
    struct Case {
        const char* typed;
        std::int16_t applied;
    };
    for (const Case c : {Case{"2.5", 2}, Case{"3.5", 4}, Case{"-12", -12}, Case{" 40 trains", 40},
                         Case{"12abc", 12}, Case{"letters", 0}, Case{"", 0}, Case{"-", 0},
                         Case{"32767", 32767}, Case{"-32768", -32768}}) {
        editor.Choose(0);
        editor.SetValueText(c.typed);
        EXPECT_TRUE(editor.LeaveValueBox()) << c.typed;
        EXPECT_EQ(Bits().Find("SPEED")->NumValue(), c.applied) << c.typed;
        EXPECT_EQ(editor.Lines()[0], "SPEED = " + std::to_string(c.applied)) << c.typed;
    }
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(NumericEditorTest, ANumberThatDoesNotFitIsRefusedAndChangesNothing) {
    for (const char* typed : {"40000", "32767.5", "-32769", "1e9"}) {
        editor.Choose(0);
        editor.SetValueText(typed);
        platform.Answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor.LeaveValueBox()) << typed;  // the box keeps the focus
        EXPECT_EQ(platform.boxes().back().title, "Invalid Entry") << typed;
        EXPECT_EQ(Bits().Find("SPEED")->NumValue(), 7) << typed;
        EXPECT_EQ(editor.ValueText(), "7") << typed;
    }
    EXPECT_EQ(platform.boxes().size(), 4u);
}

}  // namespace
}  // namespace veldra::testing
