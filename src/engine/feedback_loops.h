#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veldra {

// Which nodes of a directed graph lie on a cycle, an edge from a node to itself included:
// the nodes of strongly connected components of more than one node, and those with an edge
// to themselves. Tarjan's algorithm, walked with stacks of its own rather than by
// recursion, as a program's statements run to hundreds of thousands and a chain of them
// would overflow the call stack.
//
// The graph tells its size and each node's edges by their place:
//   std::uint32_t NodeCount() const;
//   std::uint32_t EdgeCount(std::uint32_t node) const;
//   std::uint32_t Target(std::uint32_t node, std::uint32_t edge) const;
// A target at or past NodeCount() is no edge. Walks start only from the nodes below `roots`:
// a cycle through none of them is not looked for, and its nodes are reported on none.
template <class Graph>
std::vector<std::uint8_t> NodesOnCycles(const Graph& graph, std::uint32_t roots) {
    constexpr std::uint32_t kUnseen = 0;
    const std::uint32_t count = graph.NodeCount();
    std::vector<std::uint8_t> onCycle(count, 0);
    // The order a node was first reached in, from 1; the least order it reaches back to.
    std::vector<std::uint32_t> order(count, kUnseen);
    std::vector<std::uint32_t> low(count, 0);
    // Reached and not yet given to a component.
    std::vector<bool> open(count, false);
    std::vector<std::uint32_t> pending;  // the open nodes, in the order reached
    struct Frame {
        std::uint32_t node;
        std::uint32_t edge;  // the next edge to follow
    };
    std::vector<Frame> walk;
    std::uint32_t reached = 0;
    const auto reach = [&](std::uint32_t node) {
        order[node] = low[node] = ++reached;
        open[node] = true;
        pending.push_back(node);
        walk.push_back({node, 0});
    };
    for (std::uint32_t root = 0; root < std::min(roots, count); ++root) {
        if (order[root] != kUnseen) {
            continue;
        }
        reach(root);
        while (!walk.empty()) {
            Frame& frame = walk.back();
            const std::uint32_t node = frame.node;
            if (frame.edge < graph.EdgeCount(node)) {
                const std::uint32_t target = graph.Target(node, frame.edge++);
                if (target >= count) {
                    continue;
                }
                if (target == node) {
                    onCycle[node] = 1;
                } else if (order[target] == kUnseen) {
                    reach(target);  // `frame` may have moved
                } else if (open[target]) {
                    low[node] = std::min(low[node], order[target]);
                }
                continue;
            }
            walk.pop_back();
            if (!walk.empty()) {
                const std::uint32_t parent = walk.back().node;
                low[parent] = std::min(low[parent], low[node]);
            }
            if (low[node] != order[node]) {
                continue;  // it belongs to a component opened further up the walk
            }
            // `node` opened a component: it holds every node reached since.
            const bool cycle = pending.back() != node;
            std::uint32_t member = 0;
            do {
                member = pending.back();
                pending.pop_back();
                open[member] = false;
                if (cycle) {
                    onCycle[member] = 1;
                }
            } while (member != node);
        }
    }
    return onCycle;
}

}  // namespace veldra
