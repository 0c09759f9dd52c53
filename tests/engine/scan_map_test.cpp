#include "engine/scan_map.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/controller.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

// A program's statements, each by its key, and whether the layout finds it on a feedback
// loop: a second solve of it within one pass then ends the pass.
struct FeedbackCase {
    const char* name;
    const char* logic;
    std::vector<std::pair<const char*, bool>> onLoop;
};

void PrintTo(const FeedbackCase& feedbackCase, std::ostream* out) {
    *out << feedbackCase.name;
}

const FeedbackCase kFeedbackCases[] = {
    // The latch feeds its lamp, which is on no loop.
    {"ALatch",
     "ASSIGN SET + ~RESET * HOLD TO LATCH;\nASSIGN LATCH TO HOLD;\nASSIGN LATCH TO LAMP;\n",
     {{"LATCH", true}, {"HOLD", true}, {"LAMP", false}}},
    {"APlainChain",
     "ASSIGN IN TO A;\nASSIGN A TO B;\nASSIGN ~B TO C;\n",
     {{"A", false}, {"B", false}, {"C", false}}},
    {"AReconvergentDiamond",
     "ASSIGN IN TO A;\nASSIGN ~IN TO B;\nASSIGN A + B TO C;\nASSIGN C * A TO D;\n",
     {{"A", false}, {"B", false}, {"C", false}, {"D", false}}},
    // The other statement's write queues the bit's own statement again, which writes it
    // back; nothing that reads the bit leads to either statement.
    {"TwoStatementsSharingAResultBit",
     "ASSIGN IN TO A, SHARED;\nASSIGN OTHER TO SHARED;\n",
     {{"A", false}, {"SHARED", false}}},
    // Every link written by a second statement too, to the same value.
    {"AChainWhoseLinksAreAssignedTwice",
     "ASSIGN IN TO L1;\nASSIGN IN TO M1, L1;\nASSIGN L1 TO L2;\nASSIGN L1 TO M2, L2;\n"
     "ASSIGN L2 + L1 TO L3;\nASSIGN L2 + L1 TO M3, L3;\n",
     {{"L1", false}, {"M1", false}, {"L2", false}, {"M2", false}, {"L3", false}, {"M3", false}}},
    // K's write of B queues B's own statement again, which writes D, which K reads.
    {"ALoopClosingThroughTheOwnStatementQueuedAgain",
     "ASSIGN IN TO B, D;\nASSIGN D TO K, B;\nASSIGN K TO LAMP;\n",
     {{"B", true}, {"K", true}, {"LAMP", false}}},
    // K reads itself; its write of B queues B's own statement, whose change leads nowhere.
    {"AWriterOnALoopOfItsOwnSharingABit",
     "ASSIGN IN TO B;\nASSIGN GO * ~K TO K, B;\n",
     {{"B", false}, {"K", true}}},
    {"AStatementReadingItsOwnResult",
     "ASSIGN IN TO A;\nASSIGN A + SELF * ~IN TO SELF;\nASSIGN SELF TO B;\n",
     {{"A", false}, {"SELF", true}, {"B", false}}},
};

class FeedbackInTheLayout : public ::testing::TestWithParam<FeedbackCase> {};

TEST_P(FeedbackInTheLayout, EndsAPassAtASecondSolveOnlyOnALoop) {
    const std::string source = std::string("LOGIC BEGIN\n") + GetParam().logic + "END LOGIC\n";
    FakePlatform platform;
    Controller controller(SourceText{source});
    ProgramEngine& engine = controller.engine;
    ScanMap map;
    map.Build(*engine.PrgBooleanBits(), *engine.prgAssigns);
    for (const auto& [key, onLoop] : GetParam().onLoop) {
        const Statement* statement = engine.prgAssigns->Find(key);
        ASSERT_NE(statement, nullptr) << key;
        const std::uint32_t index = map.IndexOf(*statement);
        ASSERT_NE(index, ScanMap::kNone) << key;
        EXPECT_EQ(map.EndsPassWhenSolvedAgain(index), onLoop) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FeedbackInTheLayout, ::testing::ValuesIn(kFeedbackCases),
                         [](const ::testing::TestParamInfo<FeedbackCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace veldra::testing
