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
    // Adds "ASSIGN expression TO results;" for Map or load completion to map.
    void AddStatement(const std::string& expression, const std::string& results) {
        engine.prgAssigns->Add("ASSIGN " + expression + " TO " + results + ";");
    }

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

    int LineOf(const std::vector<ProgramPages::CheckLine>& list, const std::string& name) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].name == name) {
                return int(i);
            }
        }
        ADD_FAILURE() << name << " is not listed";
        return -1;
    }

    ProgramPages pages{engine};
};

}  // namespace veldra::testing
