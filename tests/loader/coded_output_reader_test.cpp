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

TEST_F(CodedOutputReaderTest, AGroupOfThousandsOfBitsHandsEachOnOnceInListOrder) {
    constexpr int kBits = 20000;
    std::string list = "TOGGLE G1 ON 2 IF B0";
    Lines expected{"G1 B0"};
    for (int i = 1; i < kBits; ++i) {
        const std::string name = "B" + std::to_string(i);
        list += ", " + name + ", b" + std::to_string(i / 2);  // each earlier name again
        expected.push_back("G1 " + name);
    }
    Load("PROGRAM P;\r\nCODED OUTPUTS\r\n" + list + ";\r\n");
    EXPECT_EQ(host.Toggles(), expected);
}

// The lines after "CODED OUTPUTS" and the "GROUP BIT"s handed to the toggle window.
class ToggleGroups : public CodedOutputReaderTest,
                     public ::testing::WithParamInterface<std::pair<const char*, Lines>> {};

TEST_P(ToggleGroups, HandTheirBitsToTheToggleWindow) {
    Load(std::string("PROGRAM P;\r\nCODED OUTPUTS\r\n") + GetParam().first);
    EXPECT_EQ(host.Toggles(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ToggleGroups,
    ::testing::Values(
        std::pair{"TOGGLE G1 ON 2 IF B1, B2;\r\n", Lines{"G1 B1", "G1 B2"}},
        std::pair{"TOGGLE G1 ON 2 IF B1,\r\nIF B1;\r\n", Lines{"G1 B1"}},  // named twice
        // The next TOGGLE, the section's end or the file's hands on a group left open.
        std::pair{"TOGGLE G1 ON 2 IF B1,\r\nTOGGLE G2 ON 1 IF C1;\r\n", Lines{"G1 B1", "G2 C1"}},
        std::pair{"TOGGLE G1 ON 2 IF B1,\r\nIF B2,\r\nBOOLEAN BITS A;\r\n",
                  Lines{"G1 B1", "G1 B2"}},
        std::pair{"TOGGLE G1 ON 2 IF B1,", Lines{"G1 B1"}},
        std::pair{"TOGGLE G1 ON 2 IF B1;\r\nIF B2;\r\n", Lines{"G1 B1", "G1 B2"}},  // after ';'
        std::pair{"TOGGLE GONE ON 2 IF IFFY, TOGGLED;\r\n", Lines{"GONE IFFY", "GONE TOGGLED"}}));

}  // namespace
}  // namespace veldra::testing
