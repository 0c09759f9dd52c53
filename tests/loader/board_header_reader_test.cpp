#include "loader/board_header_reader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace veldra::testing {
namespace {

using Step = BoardHeaderReader::Step;

// A header as pieces, and what reading them all gives.
struct HeaderCase {
    const char* what;
    std::vector<std::string> pieces;
    Step last;
    std::string name;
    std::string type;
    bool adjustable;
    bool enabled;
};
void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << c.what;
}

class BoardHeaderReaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BoardHeaderReaderTest, ReadsTheHeader) {
    const HeaderCase& c = GetParam();
    BoardHeaderReader header;
    std::string name = "BEFORE";
    std::string type = "OUT16";  // the board before's
    Step step = Step::Reading;
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
        step = header.NewBoard(c.pieces[i], name, type);
        if (i + 1 < c.pieces.size()) {
            ASSERT_EQ(step, Step::Reading) << "at " << c.pieces[i];
        }
    }
    EXPECT_EQ(step, c.last);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(header.Adjustable(), c.adjustable);
    EXPECT_EQ(header.Enabled(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BoardHeaderReaderTest,
    ::testing::Values(HeaderCase{"adjustable and enabled",
                                 {"BOARD:", "IN_1", "ADJUSTABLE", "ENABLE:", "1", "TYPE:", "IN16"},
                                 Step::Complete,
                                 "IN_1",
                                 "IN16",
                                 true,
                                 true},
                      HeaderCase{"neither word: fixed and disabled",
                                 {"BOARD:", "B", "TYPE:", "LED6"},
                                 Step::Complete,
                                 "B",
                                 "LED6",
                                 false,
                                 false},
                      HeaderCase{"the type word alone, without TYPE:",
                                 {"BOARD:", "B", "IN16"},
                                 Step::Complete,
                                 "B",
                                 "IN16",
                                 false,
                                 false},
                      HeaderCase{"an enable value of 0",
                                 {"BOARD:", "B", "ENABLE:", "0", "TYPE: IN16"},
                                 Step::Complete,
                                 "B",
                                 "IN16",
                                 false,
                                 false},
                      HeaderCase{"a value ending in another character disables",
                                 {"BOARD:", "B", "ENABLE:", "Y", "IN16"},
                                 Step::Complete,
                                 "B",
                                 "IN16",
                                 false,
                                 false},
                      HeaderCase{"a value closed by a semicolon",
                                 {"BOARD:", "B", "ENABLE:", "1;", "IN16"},
                                 Step::Complete,
                                 "B",
                                 "IN16",
                                 false,
                                 true},
                      HeaderCase{"a further colon keeps the value awaited",
                                 {"BOARD:", "B", "ENABLE:", "X:", "1", "IN16"},
                                 Step::Complete,
                                 "B",
                                 "IN16",
                                 false,
                                 true},
                      HeaderCase{"adjust and enable on one line",
                                 {"BOARD:", "B", "ADJUSTABLE ENABLE:", "1", "TYPE:", "MIXIO"},
                                 Step::Complete,
                                 "B",
                                 "MIXIO",
                                 true,
                                 true},
                      HeaderCase{"still reading: the type word not yet come",
                                 {"BOARD:", "B", "TYPE:"},
                                 Step::Reading,
                                 "B",
                                 "OUT16",
                                 false,
                                 false},
                      HeaderCase{"the next board before the type word",
                                 {"BOARD:", "B", "BOARD:"},
                                 Step::NoTypeWord,
                                 "B",
                                 "OUT16",
                                 false,
                                 false},
                      HeaderCase{"another section before the type word",
                                 {"BOARD:", "B", "FIXED", "LOGIC BEGIN"},
                                 Step::NoTypeWord,
                                 "B",
                                 "OUT16",
                                 false,
                                 false}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string_view(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(BoardHeaderWords, AdjustAndTypeWords) {
    EXPECT_TRUE(ADJFIX("ADJUSTABLE 25 WATT"));
    EXPECT_TRUE(ADJFIX("FIXED"));
    EXPECT_FALSE(ADJFIX("ENABLE:"));
    EXPECT_EQ(GetAdjust("FIXED ADJUSTABLE"), "ADJUSTABLE");
    EXPECT_EQ(GetAdjust("X"), "");
    EXPECT_EQ(GetBoardType("TYPE: IN16"), "IN16");
    EXPECT_EQ(GetBoardType("TYPE:"), "");
}

}  // namespace
}  // namespace veldra::testing
