#include "platform/platform.h"

#include <iostream>

namespace veldra {
namespace {

// Without a desktop there is nobody to ask: every box is written to the error
// stream and answered with its most cautious button, so nothing ends or is replaced.
class HeadlessPlatform final : public Platform {
public:
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        std::cerr << request.title << ": " << request.prompt << '\n';
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}
};

}  // namespace

MsgAnswer MostCautiousAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::AbortRetryIgnore:
            return MsgAnswer::Abort;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel:
        case MsgButtons::RetryCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

Platform& ThePlatform() {
    static HeadlessPlatform headless;
    Platform* installed = PlatformScope::Current();
    return installed ? *installed : headless;
}

}  // namespace veldra
