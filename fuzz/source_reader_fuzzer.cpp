// Hands arbitrary bytes to the source loader as an application source, boards and serial
// links included, each board read into a headless board window, and has the program
// window bind the result together. Whatever the bytes, the
// load must end, finished or failed with its message, and every window it made must
// answer the board-panel protocol, without a crash, a hang or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/board_panel.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace {

// Nobody is there to click: every box gets its most cautious answer, at once and silently.
class ClickingThrough final : public veldra::Platform {
public:
    veldra::MsgAnswer MsgBox(const veldra::MsgBoxRequest& request) override {
        return veldra::MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}
};

class FixedClock final : public veldra::Clock {
public:
    veldra::TimeOfDay Now() const override { return {12, 0, 0}; }
    // Time stands still: the desktop is never due a turn inside a run.
    std::chrono::nanoseconds Steady() const override { return {}; }
};

// What load completion and the scans ask of every board window, without the program's
// logic: the bits it reports, its indicators built and drawn, then each of its bits set.
void DriveWindows(const veldra::PanelSet& panels) {
    for (veldra::BoardPanel* window : panels.Windows()) {
        const int count = window->BitCount();
        std::vector<std::string> names;
        for (int i = 1; i <= count; ++i) {
            names.push_back(window->GetSystemBit(i));
        }
        window->CreateimgIndic();
        window->UpdateIndicators();
        for (const std::string& name : names) {
            window->UpdateOutput(name, true);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ClickingThrough platform;
    static veldra::PlatformScope installed(platform);

    FixedClock clock;
    veldra::ProgramWindow window;
    veldra::ProgramEngine engine(window, clock);
    veldra::PanelSet panels(engine.InputQueue());
    // The program window binds the loaded program together; no scan runs, since a source
    // whose logic never settles would keep one going for as long as the fuzzer waits.
    class FinishingLoad final : public veldra::LoaderHost {
    public:
        FinishingLoad(veldra::ProgramEngine& engine, veldra::PanelSet& panels)
            : engine_(engine), panels_(panels) {}
        void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }

    private:
        veldra::ProgramEngine& engine_;
        veldra::PanelSet& panels_;
    } host(engine, panels);
    {
        veldra::ParseText loader(engine, host, panels);
        loader.GetProgramFromText(std::string(reinterpret_cast<const char*>(data), size));
    }
    DriveWindows(panels);
    panels.CloseAll();
    return 0;
}
