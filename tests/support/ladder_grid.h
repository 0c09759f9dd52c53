#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ladder/create_ladder.h"

namespace veldra::testing {

// Each cell of a ladder in the order it was added: its key, its name in brackets and its flags.
inline std::vector<std::string> Grid(const CreateLadder& ladder) {
    std::vector<std::string> cells;
    for (const auto& cell : ladder.GetElements()) {
        std::string line = Elements::Key(cell->Col(), cell->Row()) + " [" + cell->Name + "]";
        const std::pair<bool, const char*> flags[] = {
            {cell->Back(), "Back"},         {cell->IsOr, "IsOr"},
            {cell->LeftorUp, "LeftorUp"},   {cell->LeftOrDown, "LeftOrDown"},
            {cell->RightOrUp, "RightOrUp"}, {cell->RightOrDown, "RightOrDown"},
            {cell->hLine(), "hLine"},       {cell->IsOutput, "IsOutput"},
            {cell->IsDrawn, "IsDrawn"}};
        for (const auto& [set, name] : flags) {
            if (set) {
                line += std::string(" ") + name;
            }
        }
        cells.push_back(line);
    }
    return cells;
}

}  // namespace veldra::testing
