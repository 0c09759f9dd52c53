#pragma once

#include "platform/qt/dialogs.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// Message boxes answered from a script, in the order shown, and recorded as the fake
// platform does. Any file dialog or input box fails the running test and is answered as
// cancelling it would be.
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs& Answer(MsgAnswer answer) {
        script_.Answer(answer);
        return *this;
    }
    const std::vector<MsgBoxRequest>& boxes() const { return script_.boxes(); }

    MsgAnswer MessageBox(const MsgBoxRequest& request) override { return script_.MsgBox(request); }
    std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;

private:
    // The script and the record; it is the installed platform only until a real one is.
    FakePlatform script_;
};

}  // namespace veldra::testing
