#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace veldra::testing {

FakePlatform::FakePlatform() : scope_(*this) {}

FakePlatform::~FakePlatform() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
}

FakePlatform& FakePlatform::Answer(MsgAnswer answer) {
    answers_.push_back(answer);
    return *this;
}

MsgAnswer FakePlatform::MsgBox(const MsgBoxRequest& request) {
    boxes_.push_back(request);
    journal_.push_back("box: " + request.title + ": " + request.prompt);
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected message box \"" << request.title << "\": " << request.prompt;
        // Logic that unexpectedly never settles is stopped, so that the test fails at its
        // first box rather than scanning on for ever.
        return request.title == "Logic Loop?" ? MsgAnswer::Yes
                                              : MostCautiousAnswer(request.buttons);
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void FakePlatform::EndApplication() {
    ended_ = true;
    journal_.push_back("end");
}

void FakePlatform::UnloadLoadingProgress() {
    journal_.push_back("unload progress");
}

void FakePlatform::SetLoadingStatus(const std::string& text) {
    loadingStatus.push_back(text);
    journal_.push_back("status: " + text);
}

}  // namespace veldra::testing
