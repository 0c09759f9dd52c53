#pragma once

#include <string>

namespace veldra::bench {

// The size of a generated application.
struct ApplicationSize {
    int statements = 20000;
    int bits = 40000;       // declared Boolean bits, statement results included
    int boards = 200;       // half input boards, half output boards, 16 bits each
    int contactGroups = 1;  // pairs of "previous * ~route + previous * track" per statement
};

// Writes the source of a large, plausible signalling application: track-circuit and
// route bits on input boards, signal and lamp outputs on output boards, and statements
// in long chains (a route locks the next section, and so on), so that one input change
// ripples through many statements as it would through an interlocking. Statement i sets
// "L<i>" from "L<i-1>" and two more bits, so the first input reaches every statement of
// its chain; chains are `chainLength` long.
std::string GenerateApplication(const ApplicationSize& size, int chainLength = 10000);

// The name of the input at the head of the first chain: changing it ripples through
// min(statements, chainLength) statements.
std::string ChainHeadInput();

}  // namespace veldra::bench
