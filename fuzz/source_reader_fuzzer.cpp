// Hands arbitrary bytes to the source loader as an application source. Whatever the
// bytes, the load must end, finished or failed with its message, without a crash, a hang
// or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
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
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ClickingThrough platform;
    static veldra::PlatformScope installed(platform);

    FixedClock clock;
    veldra::ProgramWindow window;
    veldra::ProgramEngine engine(window, clock);
    veldra::LoaderHost host;
    veldra::ParseText loader(engine, host);
    loader.GetProgramFromText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
