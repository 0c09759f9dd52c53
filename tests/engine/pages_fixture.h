#pragma once

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "engine/program_pages.h"

namespace veldra::testing {

// A program assembled in code, mapped as load completion maps it, with the program
// window's pages following its displays.
class PagesTest : public EngineTest {
protected:
    // Builds the displays from the bits and statements made so far.
    void Map() {
        engine.MapBits();
        pages.DisplaysChanged();
    }

    std::vector<std::string> Names(const std::vector<ProgramPages::CheckLine>& list) {
        std::vector<std::string> names;
        for (const ProgramPages::CheckLine& line : list) {
            names.push_back(line.name);
        }
        return names;
    }

    ProgramPages pages{engine};
};

}  // namespace veldra::testing
