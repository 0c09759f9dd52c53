#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/qt/dialogs.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// Message boxes answered from a script, in the order shown, and recorded as the fake
// platform does. File dialogs and input boxes take their own scripted answers in turn;
// one with none left fails the running test and is answered as cancelling it would be.
class ScriptedDialogs final : public Dialogs {
public:
    ScriptedDialogs& Answer(MsgAnswer answer) {
        script_.Answer(answer);
        return *this;
    }
    // The next file dialog chooses this file; the next input box gets this text.
    ScriptedDialogs& Choose(std::filesystem::path file) {
        files_.push_back(std::move(file));
        return *this;
    }
    ScriptedDialogs& Type(std::string text) {
        typed_.push_back(std::move(text));
        return *this;
    }
    // The next file dialog takes the file it proposes, in the folder it opens in.
    ScriptedDialogs& AcceptProposal() {
        files_.emplace_back(std::filesystem::path());
        return *this;
    }
    // The next file dialog, or input box, is cancelled.
    ScriptedDialogs& CancelFile() {
        files_.push_back(std::nullopt);
        return *this;
    }
    ScriptedDialogs& CancelInput() {
        typed_.push_back(std::nullopt);
        return *this;
    }
    const std::vector<MsgBoxRequest>& boxes() const { return script_.boxes(); }
    const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    const std::vector<InputBoxRequest>& inputBoxes() const { return inputBoxes_; }

    // Runs while a box is up, before it is answered: what the program does meanwhile.
    std::function<void(const MsgBoxRequest&)> whileShown;
    // While a box is up it takes the focus from the application's windows onto its button,
    // as a modal box on the desktop does.
    ScriptedDialogs& BoxesTakeTheFocus();

    MsgAnswer MessageBox(const MsgBoxRequest& request) override {
        if (whileShown) {
            whileShown(request);
        }
        return script_.MsgBox(request);
    }
    std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;

private:
    // The script and the record; it is the installed platform only until a real one is.
    FakePlatform script_;
    std::deque<std::optional<std::filesystem::path>> files_;
    std::deque<std::optional<std::string>> typed_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<InputBoxRequest> inputBoxes_;
};

}  // namespace veldra::testing
