#include "loader/coded_output_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using CodedOutputReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

TEST_F(CodedOutputReaderTest, EachGroupsBitsGoToTheToggleWindowInSourceOrder) {
    LoadFile("coded_outputs.ml2");
    EXPECT_EQ(host.Toggles(), (Lines{"G1 B1", "G1 B2", "G1 B3", "G2 C1"}));
    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
}

struct ToggleCase {
    const char* what;
    std::string text;  // after "CODED OUTPUTS"
    Lines toggles;     // "GROUP BIT" as handed to the toggle window
};

void PrintTo(const ToggleCase& c, std::ostream* out) {
    *out << c.what;
}

class ToggleGroups : public CodedOutputReaderTest,
                     public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleGroups, HandTheirBitsToTheToggleWindow) {
    Load("PROGRAM P;\r\nCODED OUTPUTS\r\n" + GetParam().text);
    EXPECT_EQ(host.Toggles(), GetParam().toggles);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ToggleGroups,
    ::testing::Values(ToggleCase{"every name of an IF list is read",
                                 "TOGGLE G1 ON 2 IF B1, B2;\r\n",
                                 {"G1 B1", "G1 B2"}},
                      ToggleCase{"a bit named twice in a group is handed on once",
                                 "TOGGLE G1 ON 2 IF B1,\r\nIF B1;\r\n",
                                 {"G1 B1"}},
                      ToggleCase{"the next TOGGLE hands on a group left without its ';'",
                                 "TOGGLE G1 ON 2 IF B1,\r\nTOGGLE G2 ON 1 IF C1;\r\n",
                                 {"G1 B1", "G2 C1"}},
                      ToggleCase{"bits still waiting when the section ends are handed on",
                                 "TOGGLE G1 ON 2 IF B1,\r\nIF B2,\r\nBOOLEAN BITS A;\r\n",
                                 {"G1 B1", "G1 B2"}},
                      ToggleCase{"bits waiting at the end of the file are handed on",
                                 "TOGGLE G1 ON 2 IF B1,",
                                 {"G1 B1"}},
                      ToggleCase{"a group may go on after its ';'",
                                 "TOGGLE G1 ON 2 IF B1;\r\nIF B2;\r\n",
                                 {"G1 B1", "G1 B2"}},
                      ToggleCase{"names that only contain the words stay whole",
                                 "TOGGLE GONE ON 2 IF IFFY, TOGGLED;\r\n",
                                 {"GONE IFFY", "GONE TOGGLED"}}));

}  // namespace
}  // namespace veldra::testing
