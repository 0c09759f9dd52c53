#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "gen/generate_application.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/board_window_host.h"
#include "panels/panel_set.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace veldra::bench {

// Answers every box as a careful user does: "SET CPS.STATUS?" gets No. The installed
// platform while it lives.
class CautiousPlatform final : public Platform {
public:
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}

private:
    PlatformScope scope_{*this};
};

// A program window with nothing to show.
class QuietWindow final : public ProgramWindow {};

// A program the board windows ask nothing of: no statement opens, no line is written, and
// a coded track's bits stay with it.
class QuietBoardProgram final : public BoardWindowHost {
public:
    void ShowBitAssign(const std::string& BitName) override { (void)BitName; }
    void WriteLine(const std::string& line) override { (void)line; }
    void QueueTrack(BooleanBits& pending) override { (void)pending; }
};

// The windows of a headless load: board windows without a display, and the program
// window finishing the load.
class HeadlessLoad final : public LoaderHost {
public:
    explicit HeadlessLoad(ProgramEngine& engine) : engine_(engine), panels_(engine.InputQueue()) {}
    void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }
    PanelSet& Panels() { return panels_; }

private:
    ProgramEngine& engine_;
    PanelSet panels_;
};

// An application loaded headless and mapped, its board windows' updates off.
struct LoadedProgram {
    explicit LoadedProgram(const std::string& source) {
        ParseText(engine, host, host.Panels()).GetProgramFromText(source);
        engine.SetShowIOUpdates(false);
    }
    explicit LoadedProgram(const std::filesystem::path& file) {
        ParseText(engine, host, host.Panels()).GetProgram(file);
        engine.SetShowIOUpdates(false);
    }
    QuietWindow window;
    SystemClock clock;
    ProgramEngine engine{window, clock};
    HeadlessLoad host{engine};
};

// A line of this process's status in kB ("VmRSS", "VmHWM", "VmPeak"); 0 when it cannot be
// read.
inline double StatusKb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key + ":")) {
            return std::stod(line.substr(key.size() + 1));
        }
    }
    return 0;
}

// Starts the count of the process's peak resident memory ("VmHWM") afresh from what it
// holds now.
inline bool ResetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

// The generated application of the default size, made once.
inline const std::string& DefaultApplication() {
    static const std::string source = GenerateApplication({});
    return source;
}

}  // namespace veldra::bench
