#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/dialogs.h"

namespace veldra::testing {

// Dialogs answered from a script, in the order asked. Every question is recorded; one
// with no scripted answer fails the running test and is answered as the user's
// cancelling it would be. Answers never asked for fail the test when the script goes.
class ScriptedDialogs final : public Dialogs {
public:
    ~ScriptedDialogs() override;

    ScriptedDialogs& Answer(MsgAnswer answer);
    ScriptedDialogs& ChooseFile(std::optional<std::filesystem::path> file);
    ScriptedDialogs& Type(std::optional<std::string> text);

    MsgAnswer MessageBox(const MsgBoxRequest& request) override;
    std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;

    const std::vector<MsgBoxRequest>& boxes() const { return boxes_; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    const std::vector<InputBoxRequest>& inputBoxes() const { return inputBoxes_; }

private:
    std::deque<MsgAnswer> answers_;
    std::deque<std::optional<std::filesystem::path>> files_;
    std::deque<std::optional<std::string>> texts_;
    std::vector<MsgBoxRequest> boxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<InputBoxRequest> inputBoxes_;
};

}  // namespace veldra::testing
