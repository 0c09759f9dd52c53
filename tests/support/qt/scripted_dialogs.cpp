#include "support/qt/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace veldra::testing {
namespace {

template <class Answer, class Request>
Answer Next(std::deque<Answer>& script, std::vector<Request>& asked, const Request& request,
            const std::string& what, Answer unscripted) {
    asked.push_back(request);
    if (script.empty()) {
        ADD_FAILURE() << "Unexpected " << what;
        return unscripted;
    }
    Answer answer = std::move(script.front());
    script.pop_front();
    return answer;
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(answers_.empty() && files_.empty() && texts_.empty())
        << "scripted answers never asked for";
}

ScriptedDialogs& ScriptedDialogs::Answer(MsgAnswer answer) {
    answers_.push_back(answer);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::ChooseFile(std::optional<std::filesystem::path> file) {
    files_.push_back(std::move(file));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::Type(std::optional<std::string> text) {
    texts_.push_back(std::move(text));
    return *this;
}

MsgAnswer ScriptedDialogs::MessageBox(const MsgBoxRequest& request) {
    return Next(answers_, boxes_, request,
                "message box \"" + request.title + "\": " + request.prompt,
                MostCautiousAnswer(request.buttons));
}

std::optional<std::filesystem::path> ScriptedDialogs::FileName(const FileDialogRequest& request) {
    return Next(files_, fileDialogs_, request, "file dialog \"" + request.title + "\"",
                std::optional<std::filesystem::path>());
}

std::optional<std::string> ScriptedDialogs::InputBox(const InputBoxRequest& request) {
    return Next(texts_, inputBoxes_, request, "input box \"" + request.title + "\"",
                std::optional<std::string>());
}

}  // namespace veldra::testing
