#include "platform/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "support/qt/modal.h"

namespace veldra::testing {
namespace {

struct BoxCase {
    MsgButtons buttons;
    MsgIcon icon;
    QMessageBox::StandardButtons shown;
    QMessageBox::Icon shownIcon;
    QMessageBox::StandardButton clicked;
    MsgAnswer answer;
};

class MessageBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTest, ShowsThePromptButtonsAndIconAndReturnsTheButtonClicked) {
    const BoxCase& box = GetParam();
    ModalDialogs dialogs;
    WhenShown<QMessageBox>([&](QMessageBox& shown) {
        EXPECT_EQ(shown.text(), "Close Simulator?");
        EXPECT_EQ(shown.windowTitle(), "End Simulation");
        EXPECT_EQ(shown.standardButtons(), box.shown);
        EXPECT_EQ(shown.icon(), box.shownIcon);
        shown.button(box.clicked)->click();
    });
    EXPECT_EQ(dialogs.MessageBox({"Close Simulator?", box.buttons, box.icon, "End Simulation"}),
              box.answer);
}

INSTANTIATE_TEST_SUITE_P(
    EveryButtonSet, MessageBoxTest,
    ::testing::Values(BoxCase{MsgButtons::Ok, MsgIcon::Information, QMessageBox::Ok,
                              QMessageBox::Information, QMessageBox::Ok, MsgAnswer::Ok},
                      BoxCase{MsgButtons::OkCancel, MsgIcon::None,
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                              QMessageBox::Cancel, MsgAnswer::Cancel},
                      BoxCase{MsgButtons::AbortRetryIgnore, MsgIcon::Critical,
                              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                              QMessageBox::Critical, QMessageBox::Ignore, MsgAnswer::Ignore},
                      BoxCase{MsgButtons::YesNoCancel, MsgIcon::Exclamation,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                              QMessageBox::Warning, QMessageBox::No, MsgAnswer::No},
                      BoxCase{MsgButtons::YesNo, MsgIcon::Question,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
                              QMessageBox::Yes, MsgAnswer::Yes},
                      BoxCase{MsgButtons::RetryCancel, MsgIcon::Critical,
                              QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Critical,
                              QMessageBox::Retry, MsgAnswer::Retry}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::to_string(info.index); });

TEST(MessageBox, TheFirstButtonIsTheDefault) {
    ModalDialogs dialogs;
    WhenShown<QMessageBox>([](QMessageBox& shown) {
        EXPECT_EQ(shown.defaultButton(), shown.button(QMessageBox::Yes));
        shown.defaultButton()->click();
    });
    EXPECT_EQ(
        dialogs.MessageBox({"Replace File?", MsgButtons::YesNo, MsgIcon::None, "File Exists"}),
        MsgAnswer::Yes);
}

TEST(FileFilter, TakesThePatternsAfterEachBar) {
    EXPECT_EQ(QtFileFilter("Log File (*.txt)|*.txt"), "Log File (*.txt)");
    EXPECT_EQ(QtFileFilter("Source Files (*.ml2;*.mlr;*gn2)|*.ml2;*.mlr;*.gn2"),
              "Source Files (*.ml2 *.mlr *.gn2)");
    EXPECT_EQ(QtFileFilter("Text|*.txt|All Files|*.*"), "Text (*.txt);;All Files (*.*)");
    EXPECT_EQ(QtFileFilter("Anything"), "Anything (*)");
    EXPECT_EQ(QtFileFilter(""), "");
}

class SaveDialogTest : public ::testing::Test {
protected:
    std::optional<std::filesystem::path> Save(std::function<void(QFileDialog&)> act) {
        WhenShown<QFileDialog>(std::move(act));
        return dialogs.FileName(
            {FileDialogRequest::Mode::Save, "", "Log File (*.txt)|*.txt", "LOGIC"});
    }
    std::filesystem::path InFolder(const char* name) const {
        return std::filesystem::path(folder.filePath(name).toStdString());
    }

    QTemporaryDir folder;
    ModalDialogs dialogs;
};

TEST_F(SaveDialogTest, ProposesTheNameAndAddsNoSuffix) {
    const auto chosen = Save([&](QFileDialog& dialog) {
        EXPECT_TRUE(dialog.selectedFiles().value(0).endsWith("/LOGIC"));
        dialog.setDirectory(folder.path());
        dialog.selectFile("run1");
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    EXPECT_EQ(chosen, InFolder("run1"));
}

TEST_F(SaveDialogTest, LeavesAnExistingFileToTheCommand) {
    QFile existing(folder.filePath("run1.txt"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const auto chosen = Save([&](QFileDialog& dialog) {
        dialog.setDirectory(folder.path());
        dialog.selectFile("run1.txt");
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    EXPECT_EQ(chosen, InFolder("run1.txt"));
}

TEST_F(SaveDialogTest, CancelledGivesNoFile) {
    EXPECT_EQ(Save([](QFileDialog& dialog) { dialog.reject(); }), std::nullopt);
}

TEST(InputBox, GivesTheTextTypedOrNothingWhenCancelled) {
    ModalDialogs dialogs;
    const InputBoxRequest request{"Enter Location Name", "Log To File", ""};
    WhenShown<QInputDialog>([](QInputDialog& box) {
        EXPECT_EQ(box.labelText(), "Enter Location Name");
        EXPECT_EQ(box.windowTitle(), "Log To File");
        box.setTextValue("Signal Box 3");
        box.accept();
    });
    EXPECT_EQ(dialogs.InputBox(request), "Signal Box 3");
    WhenShown<QInputDialog>([](QInputDialog& box) { box.reject(); });
    EXPECT_EQ(dialogs.InputBox(request), std::nullopt);
}

}  // namespace
}  // namespace veldra::testing
