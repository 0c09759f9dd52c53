// Generated applications, loaded from source and driven by generated input sequences:
// the trace of every scan (each bit's value, the immediate-window lines and the order
// in which statements are solved) must stay exactly as recorded.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/example_fixture.h"
#include "support/engine_driver.h"

namespace veldra::testing {
namespace {

// Small and deterministic, so that a scenario is the same on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    int Below(int bound) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return int((state_ >> 33) % std::uint64_t(bound));
    }

private:
    std::uint64_t state_;
};

// FNV-1a over everything a scan leaves behind.
class Trace {
public:
    void Add(std::string_view text) {
        for (const char c : text) {
            hash_ = (hash_ ^ std::uint8_t(c)) * 0x100000001B3ull;
        }
        hash_ = (hash_ ^ 0xFFu) * 0x100000001B3ull;
    }
    std::uint64_t Hash() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

struct Scenario {
    const char* name;
    std::uint64_t seed;
    int statements;
    int inputBoards;
    int steps;
    std::uint64_t recorded;
};

// Inputs I<n> on input boards, results Q<n> (some delayed, the first ones on an output
// board), and statements that read inputs, earlier results, extra results X<n> and
// themselves, with every operator, back contacts, groups and negated groups, written
// in symbols or in words.
class ApplicationWriter {
public:
    ApplicationWriter(const Scenario& scenario) : random_(scenario.seed), scenario_(scenario) {}

    std::string Source() {
        const int inputs = scenario_.inputBoards * 16;
        std::string out = "PROGRAM EQUIVALENCE;\r\n\r\nBOOLEAN BITS\r\n";
        for (int i = 0; i < scenario_.statements; ++i) {
            out += "    Q" + std::to_string(i) + ";\r\n";
        }
        out += "\r\nTIMER BITS\r\n";
        for (int i = 5; i < scenario_.statements; i += 17) {
            out += "    Q" + std::to_string(i) + " : SET = " + std::to_string(100 * (1 + i % 3)) +
                   " : MSEC, CLEAR = 200 : MSEC;\r\n";
        }
        out += "\r\nCONSTANTS BOOLEAN\r\n    CPS.STATUS = 1;\r\n\r\nLOGIC BEGIN\r\n";
        for (int i = 0; i < scenario_.statements; ++i) {
            current_ = i;
            std::string results = "Q" + std::to_string(i);
            if (i % 7 == 3) {
                results += ", X" + std::to_string(i);
            }
            std::string expression = Expression(0);
            if (i % 5 == 2) {
                expression = "(" + expression + ") + Q" + std::to_string(i) + " * ~I" +
                             std::to_string(random_.Below(inputs));  // a latch
            }
            out += "    ASSIGN " + expression + " TO " + results + ";\r\n";
        }
        out += "END LOGIC\r\n";
        for (int b = 0; b < scenario_.inputBoards; ++b) {
            out += "\r\nBOARD: IN" + std::to_string(b) +
                   "\r\n    ENABLE: 1\r\n    TYPE: IN16\r\n    INPUT:";
            for (int k = 0; k < 16; ++k) {
                out += " I" + std::to_string(b * 16 + k) + (k == 15 ? ";" : ",");
            }
            out += "\r\n";
        }
        out += "\r\nBOARD: OUT0\r\n    ENABLE: 1\r\n    TYPE: OUT16\r\n    OUTPUT:";
        for (int k = 0; k < 16; ++k) {
            out += " Q" + std::to_string(k * 3 % scenario_.statements) + (k == 15 ? ";" : ",");
        }
        out += "\r\nEND PROGRAM\r\n";
        return out;
    }

private:
    std::string Operand() {
        const int inputs = scenario_.inputBoards * 16;
        const int pick = random_.Below(10);
        if (current_ == 0 || pick < 4) {
            return "I" + std::to_string(random_.Below(inputs));
        }
        const int earlier = random_.Below(current_);
        return (pick == 9 && earlier % 7 == 3 ? "X" : "Q") + std::to_string(earlier);
    }

    std::string Expression(int depth) {
        const bool words = random_.Below(3) == 0;
        std::string text;
        const int terms = 1 + random_.Below(depth == 0 ? 5 : 3);
        for (int t = 0; t < terms; ++t) {
            if (t > 0) {
                static constexpr const char* kSymbols[] = {" + ", " * ", " @ "};
                static constexpr const char* kWords[] = {" OR ", " AND ", " XOR "};
                const int op = random_.Below(3);
                text += words ? kWords[op] : kSymbols[op];
            }
            const int kind = random_.Below(8);
            if (depth < 2 && kind == 0) {
                text += "(" + Expression(depth + 1) + ")";
            } else if (depth < 2 && kind == 1) {
                text += "~(" + Expression(depth + 1) + ")";
            } else if (kind < 4) {
                text += (words ? "NOT " : "~") + Operand();
            } else {
                text += Operand();
            }
        }
        return text;
    }

    Random random_;
    const Scenario& scenario_;
    int current_ = 0;
};

// One controller running the scenario, tracing every scan.
class EquivalenceRun {
public:
    explicit EquivalenceRun(const Scenario& scenario)
        : scenario_(scenario), random_(~scenario.seed) {
        ParseText(engine_, desktop_, panels_)
            .GetProgramFromText(ApplicationWriter(scenario).Source());
        logged_ =
            engine_.Status().Logged.Subscribe([this](std::string_view line) { trace_.Add(line); });
        // A scan that cannot settle is stopped, so that a wrong solve fails instead of
        // looping on in the "Logic Loop?" box.
        window_.onYield = [this] {
            if (window_.yields > 1000000) {
                EngineDriver(engine_).SetSolving(false);
            }
        };
        for (Statement& statement : *engine_.prgAssigns) {
            subscriptions_.push_back(
                statement.StatementChanged().Subscribe([this](bool result, std::string_view key) {
                    trace_.Add(std::string(key) + (result ? "=1" : "=0"));
                }));
        }
    }

    std::uint64_t Run() {
        engine_.StartStop();
        const int inputs = scenario_.inputBoards * 16;
        for (int step = 0; step < scenario_.steps; ++step) {
            for (int changes = 1 + random_.Below(3); changes > 0; --changes) {
                // Drawn one at a time: the order of a call's arguments is the compiler's
                // choice, and the recorded runs drew the value first.
                const bool value = random_.Below(2) == 1;
                const int input = random_.Below(inputs);
                engine_.PostInput("I" + std::to_string(input), value);
            }
            engine_.tmrProgram_Timer();
            if (step % 4 == 3) {
                for (int tick = 0; tick < 3; ++tick) {
                    engine_.StartTimer_Timer();
                    engine_.tmrProgram_Timer();
                }
            }
            if (step == scenario_.steps / 2) {
                // As a statement editor does it: stopped, the text changed, every bit's
                // readers forgotten and the bits mapped again; then running on.
                engine_.StartStop();
                const std::string key = "Q" + std::to_string(scenario_.statements / 2);
                engine_.prgAssigns->Find(key)->SetStrStatement("ASSIGN ~I0 + Q0 * I1 TO " + key +
                                                               ";");
                for (BooleanBit& bit : *engine_.PrgBooleanBits()) {
                    bit.ResetAssigns();
                }
                engine_.MapBits();
                engine_.StartStop();
            }
            std::string values;
            for (const BooleanBit& bit : *engine_.PrgBooleanBits()) {
                values += bit.BitName();
                values += bit.BitValue() ? '1' : '0';
            }
            trace_.Add(values);
        }
        return trace_.Hash();
    }

private:
    const Scenario& scenario_;
    Random random_;
    FakeClock clock_;
    FakeProgramWindow window_;
    ProgramEngine engine_{window_, clock_};
    PanelSet panels_{engine_.InputQueue()};
    HeadlessDesktop desktop_{engine_, panels_};
    Trace trace_;
    std::vector<Subscription> subscriptions_;
    Subscription logged_;
};

class ScanEquivalence : public ::testing::TestWithParam<Scenario> {};

TEST_P(ScanEquivalence, EveryScanLeavesTheRecordedTrace) {
    FakePlatform platform;
    const Scenario& scenario = GetParam();
    EXPECT_EQ(EquivalenceRun(scenario).Run(), scenario.recorded)
        << "scenario " << scenario.name << " left another trace";
    for (const auto& box : platform.boxes()) {
        ADD_FAILURE() << box.title << ": " << box.prompt;
    }
}

INSTANTIATE_TEST_SUITE_P(
    GeneratedApplications, ScanEquivalence,
    ::testing::Values(Scenario{"small", 1, 40, 1, 80, 4845401829135624898ull},
                      Scenario{"medium", 2, 200, 2, 120, 13943514131729963607ull},
                      Scenario{"wide", 3, 400, 4, 150, 9566162455081978130ull},
                      Scenario{"deep", 4, 800, 2, 100, 3734154254789699351ull},
                      Scenario{"busy", 5, 300, 1, 200, 1371663778212979597ull}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
