#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_fixture.h"
#include "engine/program_engine.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "support/fake_clock.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// The windows a load reports to, recorded in order: "toggle: GROUP BIT",
// "program window shown", "load finished". The progress window is the platform's.
class FakeLoaderHost final : public LoaderHost {
public:
    void DoEvents() override {
        ++yields;
        if (onYield) {
            onYield();
        }
    }
    void AddBits(std::string_view BitName, std::string_view GroupName) override {
        journal.push_back("toggle: " + std::string(GroupName) + " " + std::string(BitName));
    }
    void ShowProgramWindow() override { journal.push_back("program window shown"); }
    void LoadFinished() override {
        journal.push_back("load finished");
        if (onLoadFinished) {
            onLoadFinished();
        }
    }

    std::vector<std::string> Toggles() const {
        std::vector<std::string> toggles;
        for (const std::string& line : journal) {
            if (line.starts_with("toggle: ")) {
                toggles.push_back(line.substr(8));
            }
        }
        return toggles;
    }

    std::vector<std::string> journal;
    std::function<void()> onYield;
    std::function<void()> onLoadFinished;
    int yields = 0;
};

// Answers every box with its most cautious button, as a user clicking through would.
class ClickingThrough final : public Platform {
public:
    ClickingThrough() : scope_(*this) {}
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        ++boxes;
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override { ended = true; }
    void UnloadLoadingProgress() override {}
    int boxes = 0;
    bool ended = false;

private:
    PlatformScope scope_;
};

// Loads sources into a fresh program engine.
// A source given as lines, joined with CR LF as the controller's tools write them.
inline std::string Source(const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line);
        text += "\r\n";
    }
    return text;
}

// The same, its lines written with "|" between them.
inline std::string BarredSource(std::string_view barred) {
    std::string text;
    for (const char c : barred) {
        text += c == '|' ? std::string("\r\n") : std::string(1, c);
    }
    return text + "\r\n";
}

class LoaderTest : public ::testing::Test {
protected:
    std::string Load(const std::string& text) {
        ParseText loader(engine, host);
        return loader.GetProgramFromText(text);
    }
    std::string LoadFile(const std::string& name) {
        ParseText loader(engine, host);
        return loader.GetProgram(DataFile(name));
    }
    static std::string DataFile(const std::string& name) {
        return std::string(VELDRA_TEST_DATA) + "/loader/" + name;
    }

    BooleanBit* Bit(const std::string& name) {
        return engine.PrgBooleanBits() ? engine.PrgBooleanBits()->Find(name) : nullptr;
    }
    std::vector<std::string> BitNames() {
        std::vector<std::string> names;
        if (engine.PrgBooleanBits() != nullptr) {
            for (const BooleanBit& bit : *engine.PrgBooleanBits()) {
                names.push_back(bit.BitName());
            }
        }
        return names;
    }
    std::vector<std::string> StatementTexts() {
        std::vector<std::string> texts;
        if (engine.prgAssigns) {
            for (const Statement& statement : *engine.prgAssigns) {
                texts.push_back(AssignText(statement));
            }
        }
        return texts;
    }
    // The titles and prompts of the message boxes shown, as "title: prompt".
    std::vector<std::string> Boxes() {
        std::vector<std::string> boxes;
        for (const MsgBoxRequest& box : platform.boxes()) {
            boxes.push_back(box.title + ": " + box.prompt);
        }
        return boxes;
    }

    FakePlatform platform;
    FakeClock clock;
    FakeProgramWindow window;
    ProgramEngine engine{window, clock};
    FakeLoaderHost host;
};

}  // namespace veldra::testing
