#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "platform/board_panel.h"
#include "support/controller.h"
#include "support/engine_driver.h"
#include "support/fake_clock.h"
#include "support/fake_platform.h"
#include "support/recording_board.h"

namespace veldra::testing {

// A program assembled in code, mapped as load completion maps it: every statement
// registered with the bits it reads, result bits marked as assigned.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        engine.SetPrgBooleanBits(std::make_unique<BooleanBits>());
        engine.prgAssigns = std::make_unique<Statements>();
        solvedWatch = engine.prgAssigns->StatementChanged.Subscribe(
            [this](std::string_view key, bool) { solved.push_back(std::string(key)); });
    }

    BooleanBits& Bits() { return *engine.PrgBooleanBits(); }
    // The bit of that name, made when missing; a value given is set without a line.
    BooleanBit& Bit(const std::string& name, std::optional<bool> value = std::nullopt) {
        BooleanBit* bit = Bits().Find(name);
        if (bit == nullptr) {
            bit = Bits().Add(name, false);
        }
        if (value) {
            bit->SetBitValue(*value, true);
        }
        return *bit;
    }
    BooleanBit& TimerBit(const std::string& name, std::int32_t onTime, std::int32_t offTime) {
        BooleanBit& bit = Bit(name);
        bit.SetOnTime(onTime);
        bit.SetOffTime(offTime);
        return bit;
    }

    // Adds "ASSIGN expression TO results;", mapped with the others at the start.
    Statement& Assign(const std::string& expression, const std::string& results) {
        return *engine.prgAssigns->Add("ASSIGN " + expression + " TO " + results + ";");
    }

    // An outside input, as a board click leaves it for the next tick.
    void Input(const std::string& name, bool value) { driver.Post(name, value); }
    void Tick() { engine.tmrProgram_Timer(); }

    // Starts the program without the first start's queueing of every statement, so that
    // a test sees only the work its inputs cause.
    void Start() {
        if (!mapped_) {
            engine.MapBits();
            mapped_ = true;
        }
        driver.SetStatementsQueued(true);
        engine.StartStop();
        ASSERT_TRUE(engine.Running());
    }

    bool Value(const std::string& name) {
        const BooleanBit* bit = Bits().Find(name);
        if (bit == nullptr) {
            ADD_FAILURE() << "the program has no bit " << name;
            return false;
        }
        return bit->BitValue();
    }

    // The immediate window's entries so far, without their stamps.
    std::vector<std::string> StatusLines() {
        int from = 0;
        return StatusLinesSince(engine.Status(), from);
    }

    FakePlatform platform;
    FakeClock clock;
    FakeProgramWindow window;
    ProgramEngine engine{window, clock};
    EngineDriver driver{engine};
    // The statements solved, by their key, in order.
    std::vector<std::string> solved;
    Subscription solvedWatch;
    bool mapped_ = false;
};

}  // namespace veldra::testing
