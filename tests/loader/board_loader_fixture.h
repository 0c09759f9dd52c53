#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/loader_fixture.h"
#include "panels/panel_fixture.h"
#include "panels/panel_set.h"
#include "platform/board_panel.h"

namespace veldra::testing {

// Loads sources with their boards: every board and station window made headless, the
// load finished by the program window's binding of the windows' bits, then run.
class BoardLoaderTest : public LoaderTest {
protected:
    BoardLoaderTest() {
        host.onLoadFinished = [this] { engine.LoadFinished(panels.Windows()); };
    }

    std::string LoadBoards(const std::string& text) {
        ParseText loader(engine, host, panels);
        return loader.GetProgramFromText(text);
    }
    std::string LoadBoardsFile(const std::string& name) {
        ParseText loader(engine, host, panels);
        return loader.GetProgram(DataFile(name));
    }

    // The open windows in load order, and the i-th of them (from 0) as its own kind.
    std::vector<BoardPanel*> Windows() const { return panels.Windows(); }
    template <class Panel>
    Panel& WindowAt(std::size_t i) {
        const std::vector<BoardPanel*> windows = panels.Windows();
        EXPECT_LT(i, windows.size());
        auto* window = i < windows.size() ? dynamic_cast<Panel*>(windows[i]) : nullptr;
        EXPECT_NE(window, nullptr) << "window " << i << " is of another kind";
        return *window;
    }
    std::vector<std::string> WindowNames() const {
        std::vector<std::string> names;
        for (const BoardPanel* window : panels.Windows()) {
            names.push_back(window->Name());
        }
        return names;
    }

    // The window the program bound the bit to.
    BoardPanel* WindowOf(const std::string& name) {
        BooleanBit* bit = Bit(name);
        return bit != nullptr ? bit->FormIndex() : nullptr;
    }

    // A first start, as the user makes it: every statement is solved once.
    void Start() {
        platform.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        engine.StartStop();
        ASSERT_TRUE(engine.Running());
        Tick();
    }
    void Tick() { engine.tmrProgram_Timer(); }
    bool Value(const std::string& name) {
        BooleanBit* bit = Bit(name);
        EXPECT_NE(bit, nullptr) << name;
        return bit != nullptr && bit->BitValue();
    }

    PanelSet panels{engine.InputQueue()};
};

}  // namespace veldra::testing
