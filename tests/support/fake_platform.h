#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace veldra::testing {

// A platform whose message boxes are answered from a script. It installs itself for
// its lifetime and records, in order, every box, every end of the application and
// every closing of the loading-progress window. A box with no scripted answer fails
// the running test and is answered with its most cautious button.
class FakePlatform final : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    // Queues the answer to the next box shown.
    FakePlatform& Answer(MsgAnswer answer);

    MsgAnswer MsgBox(const MsgBoxRequest& request) override;
    void EndApplication() override;
    void UnloadLoadingProgress() override;
    void SetLoadingStatus(const std::string& text) override;
    void SetLoadingProgress(double value, double maximum) override {
        barValue = value;
        barMax = maximum;
    }

    const std::vector<MsgBoxRequest>& boxes() const { return boxes_; }
    bool ended() const { return ended_; }
    int unansweredCount() const { return static_cast<int>(answers_.size()); }

    // What happened, in order: "box: <title>: <prompt>", "end", "unload progress",
    // "status: <text>" (the progress window's status line).
    const std::vector<std::string>& journal() const { return journal_; }

    // Every status line the loading-progress window was given, in order, and its bar.
    std::vector<std::string> loadingStatus;
    double barValue = -1;
    double barMax = -1;

private:
    std::deque<MsgAnswer> answers_;
    std::vector<MsgBoxRequest> boxes_;
    std::vector<std::string> journal_;
    bool ended_ = false;
    PlatformScope scope_;
};

}  // namespace veldra::testing
