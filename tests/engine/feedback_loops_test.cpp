#include "engine/feedback_loops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace veldra::testing {
namespace {

// A graph as lists of targets, node by node.
struct ListGraph {
    std::vector<std::vector<std::uint32_t>> targets;

    std::uint32_t NodeCount() const { return std::uint32_t(targets.size()); }
    std::uint32_t EdgeCount(std::uint32_t node) const {
        return std::uint32_t(targets[node].size());
    }
    std::uint32_t Target(std::uint32_t node, std::uint32_t edge) const {
        return targets[node][edge];
    }
};

constexpr std::uint32_t kNoNode = ~std::uint32_t(0);

struct LoopCase {
    const char* name;
    std::vector<std::vector<std::uint32_t>> targets;
    std::vector<std::uint8_t> onCycle;
    std::uint32_t roots = kNoNode;  // every node unless given
};

void PrintTo(const LoopCase& loopCase, std::ostream* out) {
    *out << loopCase.name;
}

const LoopCase kLoopCases[] = {
    {"NoNodes", {}, {}},
    {"ANodeAlone", {{}}, {0}},
    {"ANodeReadingItself", {{0}}, {1}},
    {"AChain", {{1}, {2}, {}}, {0, 0, 0}},
    {"AChainWhoseLastNodeReadsItself", {{1}, {2}, {2}}, {0, 0, 1}},
    {"APair", {{1}, {0}}, {1, 1}},
    {"ARingWithATailInAndOut", {{1}, {2}, {3}, {1, 4}, {}}, {0, 1, 1, 1, 0}},
    {"ADiamond", {{1, 2}, {3}, {3}, {}}, {0, 0, 0, 0}},
    // Many paths coming back together, none of them round.
    {"ReconvergentPaths", {{1, 2, 3}, {2, 3}, {3}, {4}, {}}, {0, 0, 0, 0, 0}},
    {"TwoLoopsOneAfterTheOther", {{1}, {0, 2}, {3}, {2}}, {1, 1, 1, 1}},
    {"TwoLoopsSharingANode", {{1}, {0, 2}, {1}}, {1, 1, 1}},
    {"ALoopReachedLateInTheWalk", {{1, 4}, {2}, {3}, {}, {5}, {6}, {4}}, {0, 0, 0, 0, 1, 1, 1}},
    // A node reaching a loop it is not on, through an edge into its middle.
    {"AnEdgeIntoALoopFromAfterIt", {{1}, {2}, {0}, {1}}, {1, 1, 1, 0}},
    {"EdgesToNoNodeAreNone", {{kNoNode, 1}, {7}}, {0, 0}},
    // Walks start from the first two nodes only: the loop of the last two is reached from
    // neither, the loop through node 2 from node 1.
    {"OnlyLoopsReachedFromTheRoots", {{}, {2}, {3}, {2}, {5}, {4}}, {0, 0, 1, 1, 0, 0}, 2},
};

class NodesOnCyclesTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(NodesOnCyclesTest, FindsExactlyTheNodesOnACycle) {
    const LoopCase& loopCase = GetParam();
    const ListGraph graph{loopCase.targets};
    EXPECT_EQ(NodesOnCycles(graph, loopCase.roots), loopCase.onCycle);
}

INSTANTIATE_TEST_SUITE_P(Graphs, NodesOnCyclesTest, ::testing::ValuesIn(kLoopCases),
                         [](const ::testing::TestParamInfo<LoopCase>& info) {
                             return std::string(info.param.name);
                         });

// A program's statements run to hundreds of thousands, each reading the one before it:
// the walk keeps its own stack, so a chain or a ring that long is walked without overflow.
TEST(NodesOnCycles, WalksAChainAndARingOfAMillionNodes) {
    constexpr std::uint32_t kNodes = 1000000;
    ListGraph chain;
    chain.targets.resize(kNodes);
    for (std::uint32_t node = 0; node + 1 < kNodes; ++node) {
        chain.targets[node].push_back(node + 1);
    }
    const std::vector<std::uint8_t> none = NodesOnCycles(chain, kNodes);
    EXPECT_EQ(std::count(none.begin(), none.end(), 1), 0);

    chain.targets.back().push_back(0);  // the chain closed into a ring
    const std::vector<std::uint8_t> all = NodesOnCycles(chain, kNodes);
    EXPECT_EQ(std::count(all.begin(), all.end(), 1), kNodes);
}

}  // namespace
}  // namespace veldra::testing
