#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/program_engine.h"
#include "engine/program_pages.h"
#include "engine/program_window.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "panels/toggle_panel.h"
#include "support/engine_driver.h"
#include "support/fake_clock.h"

namespace veldra::testing {

// A program window that counts what it is told and lets a test act in the middle of a
// scan, where the desktop would handle its events. With pages, it follows them as the
// desktop's window does.
class FakeProgramWindow final : public ProgramWindow {
public:
    void DoEvents() override {
        ++yields;
        if (!inTurn_) {
            ++passYields;
        }
        if (onYield) {
            onYield();
        }
    }
    // The scan's turn inside its work: a yield as any other, then what the test does there.
    void ServeDesktop() override {
        ++turns;
        inTurn_ = true;
        DoEvents();
        if (onTurn) {
            // A copy: the test may let go of its hook from inside it.
            const std::function<void()> turn = onTurn;
            turn();
        }
        inTurn_ = false;
    }
    // Inside the scan's turn, rather than at a yield between passes.
    bool InTurn() const { return inTurn_; }
    void RunStateChanged() override { ++runStateChanges; }
    bool TimeQuePageShown() const override { return pages == nullptr || pages->TimeQuePageShown(); }
    void DisplaysChanged() override {
        if (pages != nullptr) {
            pages->DisplaysChanged();
        }
    }
    void EditFaultyStatement(Statement& statement) override { edited.push_back(&statement); }
    void ProgramReleased() override { ++releases; }

    std::function<void()> onYield;
    std::function<void()> onTurn;
    int yields = 0;
    int passYields = 0;  // the yields outside the scan's turns: one a pass in a scan
    int turns = 0;
    int runStateChanges = 0;
    int releases = 0;
    ProgramPages* pages = nullptr;
    std::vector<Statement*> edited;

private:
    bool inTurn_ = false;
};

// The immediate window's entries from slot `read` on, without their stamps; `read` moves past
// them.
inline std::vector<std::string> StatusLinesSince(const ImmediateWindow& status, int& read) {
    std::vector<std::string> lines;
    for (; read != status.StatusIndex(); read = (read + 1) % 301) {
        if (const auto& slot = status.Slot(read)) {
            // A numeric value's second slot carries no stamp.
            const bool stamped = slot->size() > 10 && (*slot)[2] == ':' && (*slot)[8] == '\r';
            std::string text = stamped ? slot->substr(10) : *slot;
            text.erase(text.find_last_not_of(' ') + 1);
            lines.push_back(text);
        }
    }
    return lines;
}

// The desktop's part of a load without a display: board windows made headless, coded
// outputs handed to the toggle window, and the program window finishing the load.
class HeadlessDesktop final : public LoaderHost {
public:
    HeadlessDesktop(ProgramEngine& engine, PanelSet& panels) : engine_(engine), panels_(panels) {}
    void AddBits(std::string_view BitName, std::string_view GroupName) override {
        panels_.ToggleWindow().AddBits(BitName, GroupName);
    }
    void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }

private:
    ProgramEngine& engine_;
    PanelSet& panels_;
};

// A source given in the test itself rather than in a file.
struct SourceText {
    std::string text;
};

// One simulated controller running a loaded application, with its board windows and the
// program window's pages. Nothing runs by itself: the test gives every scan tick and
// every timer-service tick (100 ms each, so a 5 s delay is 50 ticks).
//
// A process has one program window, and the logic reports to the newest one made. Two
// controllers in one test stand for two simulators: each is made the one reported to
// while it starts, scans or runs its timers.
class Controller {
public:
    explicit Controller(const std::filesystem::path& file) {
        window.pages = &pages;
        ParseText loader(engine, desktop, panels);
        programName = loader.GetProgram(file);
    }
    explicit Controller(const SourceText& source) {
        window.pages = &pages;
        ParseText loader(engine, desktop, panels);
        programName = loader.GetProgramFromText(source.text);
    }

    // The first start; when CPS.STATUS is clear the test has scripted the answer.
    void Start() {
        ProgramHostScope active{engine};
        engine.StartStop();
        ASSERT_TRUE(engine.Running());
    }
    void Scan() {
        ProgramHostScope active{engine};
        engine.tmrProgram_Timer();
    }
    void Service() {
        ProgramHostScope active{engine};
        engine.StartTimer_Timer();
    }
    // Timer-service ticks, each followed by a scan tick, as the two timers run side by side.
    void Run(int serviceTicks) {
        for (int i = 0; i < serviceTicks; ++i) {
            Service();
            Scan();
        }
    }

    // An input as a board window leaves it for the next scan; Change also scans.
    void Set(const std::string& name, bool value) { engine.PostInput(name, value); }
    void Change(const std::string& name, bool value) {
        Set(name, value);
        Scan();
    }
    void Press(const std::string& button) {
        Change(button, true);
        Change(button, false);
    }

    bool Value(const std::string& name) { return Bit(name).BitValue(); }
    int Number(const std::string& name) { return Bit(name).NumValue(); }
    // Whether a delay timer runs for the bit.
    bool Timing(const std::string& name) { return EngineDriver(engine).Timing(name); }
    // Every bit named is up (True), or down (False).
    ::testing::AssertionResult AreUp(std::initializer_list<const char*> names) {
        return All(names, true);
    }
    ::testing::AssertionResult AreDown(std::initializer_list<const char*> names) {
        return All(names, false);
    }

    // The window that shows a bit, as its own kind.
    template <class Panel>
    Panel& WindowOf(const std::string& name) {
        if (auto* window = dynamic_cast<Panel*>(Bit(name).FormIndex())) {
            return *window;
        }
        throw std::logic_error(name + " is shown on no window of that kind");
    }

    // The immediate window's entries written since the last call, without their stamps.
    std::vector<std::string> NewStatusLines() {
        return StatusLinesSince(engine.Status(), statusRead_);
    }

    std::string programName;
    FakeClock clock;
    FakeProgramWindow window;
    ProgramEngine engine{window, clock};
    ProgramPages pages{engine};
    PanelSet panels{engine.InputQueue()};
    HeadlessDesktop desktop{engine, panels};

private:
    BooleanBit& Bit(const std::string& name) {
        BooleanBit* bit = engine.PrgBooleanBits() ? engine.PrgBooleanBits()->Find(name) : nullptr;
        if (bit == nullptr) {
            throw std::logic_error("the program has no bit " + name);
        }
        return *bit;
    }
    ::testing::AssertionResult All(std::initializer_list<const char*> names, bool up) {
        for (const char* name : names) {
            if (Value(name) != up) {
                return ::testing::AssertionFailure() << name << " is " << (up ? "down" : "up");
            }
        }
        return ::testing::AssertionSuccess();
    }

    int statusRead_ = 0;
};

// Every expected line is among the lines, in any order.
inline ::testing::AssertionResult Includes(const std::vector<std::string>& lines,
                                           std::initializer_list<std::string> expected) {
    for (const std::string& line : expected) {
        if (std::find(lines.begin(), lines.end(), line) == lines.end()) {
            auto failure = ::testing::AssertionFailure() << "no line \"" << line << "\" in:";
            for (const std::string& shown : lines) {
                failure << "\n  " << shown;
            }
            return failure;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace veldra::testing
