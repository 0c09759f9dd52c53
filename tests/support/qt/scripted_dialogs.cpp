#include "support/qt/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace veldra::testing {

std::optional<std::filesystem::path> ScriptedDialogs::FileName(const FileDialogRequest& request) {
    ADD_FAILURE() << "Unexpected file dialog \"" << request.title << "\"";
    return std::nullopt;
}

std::optional<std::string> ScriptedDialogs::InputBox(const InputBoxRequest& request) {
    ADD_FAILURE() << "Unexpected input box \"" << request.title << "\"";
    return std::nullopt;
}

}  // namespace veldra::testing
