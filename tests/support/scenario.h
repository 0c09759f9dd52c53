#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/controller.h"
#include "support/engine_driver.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// One step of a scenario: what the engineer and the clock do, then what must be seen.
//
// `actions`, words done left to right:
//   NAME=1, NAME=0   an outside input, left for the next scan tick
//   NAME#N           a number typed into the numeric editor
//   scan             one scan tick
//   service, service*N   timer-service ticks alone
//   run*N            timer-service ticks, each followed by a scan tick
//   force:NAME=1     the bit forced from the "Force Bit" page
//   page:NAME        a tab chosen: Immediate, ForceBit, BitStatus, TimeQue
//   interval:N       the timer service's interval set to N ms
//   startstop        the start button ("SET CPS.STATUS?" answered No unless answered before)
//   answer:Yes       the answer to the next message box (Yes, No, Ok)
// `bits`: "NAME=1 NAME=0 NAME#N", the values every named bit must have.
// `lines`: the immediate-window entries written during the step, without their stamps.
// `solved`: the statements solved during the step, by their key, in order.
// `timers`: the text of the "Time Que" page.
// `boxes`: the message boxes shown during the step, as "title: prompt".
struct Step {
    std::string actions;
    std::string bits = {};
    std::optional<std::vector<std::string>> lines = std::nullopt;
    std::optional<std::vector<std::string>> solved = std::nullopt;
    std::optional<std::string> timers = std::nullopt;
    std::optional<std::vector<std::string>> boxes = std::nullopt;
};

// A small application given as source text, started, and taken through its steps.
struct Scenario {
    const char* name;
    const char* source;
    std::vector<Step> steps;
};

inline void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class ScenarioPlayer {
public:
    explicit ScenarioPlayer(const char* source) : controller_(SourceText{source}) {
        Watch();
        Do("startstop");
        controller_.NewStatusLines();
    }

    void Play(const std::vector<Step>& steps) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.actions);
            solved_.clear();
            const std::size_t boxesBefore = platform_.boxes().size();
            Do(step.actions);
            std::istringstream words(step.bits);
            for (std::string word; words >> word;) {
                if (word.find('#') != std::string::npos) {
                    const auto [name, number] = Split(word, '#');
                    EXPECT_EQ(Bit(name).NumValue(), std::stoi(number)) << name;
                } else {
                    const auto [name, value] = Split(word, '=');
                    EXPECT_EQ(Bit(name).BitValue(), value == "1") << name;
                }
            }
            const std::vector<std::string> lines = controller_.NewStatusLines();
            if (step.lines) {
                EXPECT_EQ(lines, *step.lines);
            }
            if (step.solved) {
                EXPECT_EQ(solved_, *step.solved);
            }
            if (step.timers) {
                EXPECT_EQ(controller_.engine.TimersText(), *step.timers);
            }
            if (step.boxes) {
                std::vector<std::string> boxes;
                for (std::size_t b = boxesBefore; b < platform_.boxes().size(); ++b) {
                    boxes.push_back(platform_.boxes()[b].title + ": " +
                                    platform_.boxes()[b].prompt);
                }
                EXPECT_EQ(boxes, *step.boxes);
            }
        }
    }

    Controller& controller() { return controller_; }

private:
    void Watch() {
        if (Statements* statements = controller_.engine.prgAssigns.get()) {
            watch_ = statements->StatementChanged.Subscribe(
                [this](std::string_view key, bool) { solved_.emplace_back(key); });
        }
    }

    void Do(const std::string& actions) {
        std::istringstream words(actions);
        for (std::string word; words >> word;) {
            const std::size_t star = word.find('*');
            const int times = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
            const std::string verb = word.substr(0, star);
            if (verb == "scan") {
                controller_.Scan();
            } else if (verb == "service") {
                for (int i = 0; i < times; ++i) {
                    controller_.Service();
                }
            } else if (verb == "run") {
                controller_.Run(times);
            } else if (verb == "startstop") {
                if (!controller_.engine.Running() && !Bit("CPS.STATUS").BitValue() &&
                    platform_.unansweredCount() == 0) {
                    platform_.Answer(MsgAnswer::No);
                }
                controller_.engine.StartStop();
            } else if (verb.starts_with("answer:")) {
                const std::string answer = verb.substr(7);
                platform_.Answer(answer == "Yes"  ? MsgAnswer::Yes
                                 : answer == "No" ? MsgAnswer::No
                                                  : MsgAnswer::Ok);
            } else if (verb.starts_with("force:")) {
                const auto [name, value] = Split(verb.substr(6), '=');
                controller_.pages.ForceBit(name, value == "1");
            } else if (verb.starts_with("page:")) {
                controller_.pages.ShowPage(PageNamed(verb.substr(5)));
            } else if (verb.starts_with("interval:")) {
                EngineDriver(controller_.engine).SetServiceInterval(std::stoi(verb.substr(9)));
            } else if (verb.find('#') != std::string::npos) {
                const auto [name, number] = Split(verb, '#');
                Bit(name).SetNumValue(std::int16_t(std::stoi(number)), false);
            } else {
                const auto [name, value] = Split(verb, '=');
                controller_.Set(name, value == "1");
            }
        }
    }

    static std::pair<std::string, std::string> Split(const std::string& word, char mark) {
        const std::size_t at = word.find(mark);
        return {word.substr(0, at), at == std::string::npos ? "" : word.substr(at + 1)};
    }

    static ProgramPage PageNamed(const std::string& name) {
        const std::pair<const char*, ProgramPage> pages[] = {
            {"Immediate", ProgramPage::ImmediateWindow},
            {"ForceBit", ProgramPage::ForceBit},
            {"BitStatus", ProgramPage::BitStatus},
            {"TimeQue", ProgramPage::TimeQue}};
        for (const auto& [shown, page] : pages) {
            if (name == shown) {
                return page;
            }
        }
        throw std::invalid_argument("no page " + name);
    }

    BooleanBit& Bit(const std::string& name) {
        BooleanBit* bit = controller_.engine.PrgBooleanBits()->Find(name);
        if (bit == nullptr) {
            throw std::invalid_argument("the program has no bit " + name);
        }
        return *bit;
    }

    FakePlatform platform_;
    Controller controller_;
    std::vector<std::string> solved_;
    Subscription watch_;
};

}  // namespace veldra::testing
