#include "support/qt/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

namespace veldra::testing {

ScriptedDialogs& ScriptedDialogs::BoxesTakeTheFocus() {
    whileShown = [](const MsgBoxRequest&) {
        QWidget shown;
        shown.setWindowModality(Qt::ApplicationModal);
        auto* ok = new QPushButton("OK", &shown);
        shown.show();
        shown.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
        ok->setFocus();
        ASSERT_TRUE(ok->hasFocus());
    };
    return *this;
}

std::optional<std::filesystem::path> ScriptedDialogs::FileName(const FileDialogRequest& request) {
    fileDialogs_.push_back(request);
    if (files_.empty()) {
        ADD_FAILURE() << "Unexpected file dialog \"" << request.title << "\"";
        return std::nullopt;
    }
    std::optional<std::filesystem::path> file = std::move(files_.front());
    files_.pop_front();
    if (file && file->empty()) {
        return request.folder / request.proposedName;
    }
    return file;
}

std::optional<std::string> ScriptedDialogs::InputBox(const InputBoxRequest& request) {
    inputBoxes_.push_back(request);
    if (typed_.empty()) {
        ADD_FAILURE() << "Unexpected input box \"" << request.title << "\"";
        return std::nullopt;
    }
    std::optional<std::string> text = std::move(typed_.front());
    typed_.pop_front();
    return text;
}

}  // namespace veldra::testing
