#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ladder/create_ladder.h"
#include "logic/expression.h"
#include "logic/statement_parser.h"
#include "support/ladder_network.h"

namespace veldra::testing {

// Whether the drawing of `statement` energises its coil exactly when the evaluator gives
// True: for every input where the operands are at most twelve, for `random` drawn at
// random beyond.
inline ::testing::AssertionResult DrawsItsOwnLogic(std::string_view statement,
                                                   std::uint64_t random = 4096) {
    const std::string_view expression = statement.substr(0, statement.find(" TO "));
    const std::vector<std::string_view> names = OperandViews(expression);
    const Expression evaluator = Expression::Parse(expression, names);
    if (!evaluator.Valid()) {
        return ::testing::AssertionFailure() << statement << ": " << evaluator.Error();
    }
    CreateLadder ladder;
    ladder.SetStatement(statement);
    for (const auto& cell : ladder.GetElements()) {
        if (!cell->Note.empty()) {
            return ::testing::AssertionFailure() << statement << ": not drawn, " << cell->Note;
        }
    }
    const LadderNetwork network(ladder.GetElements());

    std::unordered_map<std::string, std::size_t> operand;
    for (std::size_t i = 0; i < names.size(); ++i) {
        operand.emplace(names[i], i);
    }
    for (const std::string& name : network.Operands()) {
        if (!operand.contains(name)) {
            return ::testing::AssertionFailure()
                   << statement << ": a contact reads " << name << ", which it does not";
        }
    }
    const bool every = names.size() <= 12;
    const std::uint64_t readings = every ? std::uint64_t(1) << names.size() : random;
    std::mt19937_64 draw(names.size());
    for (std::uint64_t reading = 0; reading < readings; ++reading) {
        const std::uint64_t up = every ? reading : draw();
        const bool evaluated = evaluator.Evaluate(
            [&](std::uint32_t index, bool negated) { return ((up >> index) & 1) != negated; },
            [](std::string_view, bool) {});
        const bool drawn =
            network.Energised([&](const std::string& name) { return (up >> operand[name]) & 1; });
        if (drawn != evaluated) {
            auto failure = ::testing::AssertionFailure();
            failure << statement << ": the drawing gives " << drawn << " where it runs "
                    << evaluated << " with";
            for (std::size_t i = 0; i < names.size(); ++i) {
                failure << ' ' << names[i] << '=' << ((up >> i) & 1);
            }
            return failure;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace veldra::testing
