#include "platform/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>

#include "platform/qt/folder_keeping_dialogs.h"
#include "support/map_settings.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

// Acts on the dialog as soon as it is shown; a dialog of another kind is closed, so that
// no test waits on it.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* shown = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(shown)) {
            return act(*dialog);
        }
        ADD_FAILURE() << "the dialog expected was not shown";
        if (shown) {
            shown->close();
        }
    });
}

TEST(MessageBox, ShowsThePromptButtonsAndIconAndReturnsTheButtonClicked) {
    struct Case {
        MsgButtons buttons;
        MsgIcon icon;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon shownIcon;
        QMessageBox::StandardButton clicked;
        MsgAnswer answer;
    };
    ModalDialogs dialogs;
    for (const Case& box : std::vector<Case>{
             {MsgButtons::YesNo, MsgIcon::Question, QMessageBox::Yes | QMessageBox::No,
              QMessageBox::Question, QMessageBox::No, MsgAnswer::No},
             {MsgButtons::AbortRetryIgnore, MsgIcon::Exclamation,
              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Warning,
              QMessageBox::Ignore, MsgAnswer::Ignore}}) {
        WhenShown<QMessageBox>([&](QMessageBox& shown) {
            EXPECT_EQ(shown.windowTitle() + ": " + shown.text(),
                      "End Simulation: Close Simulator?");
            EXPECT_EQ(shown.standardButtons(), box.shown);
            EXPECT_EQ(shown.icon(), box.shownIcon);
            shown.button(box.clicked)->click();
        });
        EXPECT_EQ(dialogs.MessageBox({"Close Simulator?", box.buttons, box.icon, "End Simulation"}),
                  box.answer);
    }
}

// Room for the whole title as a window manager writes it: in a title font as large as
// desktops use, 12 points and bold, beside an icon and three buttons as high as it.
bool HoldsItsTitle(const QWidget& box) {
    const QFontMetrics metrics(QFont("DejaVu Sans", 12, QFont::Bold));
    return box.width() >= metrics.horizontalAdvance(box.windowTitle()) + 4 * metrics.height();
}

TEST(MessageBox, IsWideEnoughForItsWholeTitleBesideTheTitleBarsButtons) {
    ModalDialogs dialogs;
    for (const char* title : {"End Simulation", "CPS.STATUS IS CLEAR (FALSE)", "Plot Complete",
                              "Display Visio Application", "Add Index to Visio Document"}) {
        WhenShown<QMessageBox>([&](QMessageBox& shown) {
            EXPECT_EQ(shown.windowTitle(), title);
            EXPECT_TRUE(HoldsItsTitle(shown)) << title << " " << shown.width();
            shown.button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(dialogs.MessageBox({"Set?", MsgButtons::Ok, MsgIcon::None, title}),
                  MsgAnswer::Ok);
    }
}

TEST(InputBox, IsWideEnoughForItsWholeTitleAndReturnsTheTextTyped) {
    ModalDialogs dialogs;
    WhenShown<QInputDialog>([](QInputDialog& shown) {
        EXPECT_EQ(shown.labelText(), "Enter Designer Name:");
        EXPECT_TRUE(HoldsItsTitle(shown)) << shown.width();
        shown.setTextValue("J. Smith");
        shown.accept();
    });
    EXPECT_EQ(dialogs.InputBox({"Enter Designer Name:", "Document Details", ""}), "J. Smith");
}

TEST(FileDialog, OpensInTheFolderAskedWithTheProposedNameChosen) {
    QTemporaryDir folder;
    ModalDialogs dialogs;
    WhenShown<QFileDialog>([&folder](QFileDialog& shown) {
        EXPECT_EQ(shown.directory().absolutePath(), QDir(folder.path()).absolutePath());
        EXPECT_EQ(shown.selectedFiles().value(0), folder.filePath("MILL_LANE_LC index.pdf"));
        static_cast<QDialog&>(shown).accept();
    });
    const std::optional<std::filesystem::path> chosen =
        dialogs.FileName({FileDialogRequest::Mode::Save, "Print to File", "PDF Files|*.pdf",
                          "MILL_LANE_LC index.pdf", FileKind::Pdf, folder.path().toStdString()});
    EXPECT_EQ(chosen,
              std::filesystem::path(folder.filePath("MILL_LANE_LC index.pdf").toStdString()));
}

// Each kind of file opens where it was last chosen, else where the program last opened
// came from, and keeps that for the next run in the settings store.
TEST(FolderKeepingDialogs, OpenWhereTheirKindWasLastChosenElseInTheProgramsFolder) {
    QTemporaryDir top;
    const std::filesystem::path root = top.path().toStdString();
    for (const char* name : {"lines", "states", "views"}) {
        std::filesystem::create_directory(root / name);
    }
    MapSettings settings;
    ScriptedDialogs scripted;
    FolderKeepingDialogs dialogs(scripted, settings);
    struct Step {
        FileKind kind;
        const char* opensIn;  // "" the desktop's choice
        const char* chosen;   // nullptr: cancelled
    };
    const Step steps[] = {
        {FileKind::Source, "", "lines/a.ml2"},       // nothing known yet
        {FileKind::State, "lines", "states/a.sst"},  // the program's folder
        {FileKind::View, "lines", nullptr},          // a cancel keeps nothing
        {FileKind::View, "lines", "views/a.svw"},   {FileKind::State, "states", "states/b.sst"},
        {FileKind::View, "views", "lines/b.svw"},   {FileKind::Source, "lines", "lines/b.ml2"},
        {FileKind::Pdf, "lines", "lines/a.pdf"},
    };
    for (const Step& step : steps) {
        step.chosen ? scripted.Choose(root / step.chosen) : scripted.CancelFile();
        dialogs.FileName({FileDialogRequest::Mode::Save, "", "", "", step.kind});
        const std::filesystem::path expected = *step.opensIn ? root / step.opensIn : "";
        EXPECT_EQ(scripted.fileDialogs().back().folder, expected) << step.opensIn;
    }
    EXPECT_EQ(settings.values["Folders/State"], (root / "states").string());

    // A program opened without the dialog moves the program's folder; a kept folder gone
    // counts as none; a folder the command names is kept.
    KeepFolder(settings, FileKind::Source, root / "views" / "c.ml2");
    std::filesystem::remove_all(root / "states");
    EXPECT_EQ(StartFolder(settings, FileKind::State), root / "views");
    scripted.CancelFile();
    dialogs.FileName({FileDialogRequest::Mode::Open, "", "", "", FileKind::View, root});
    EXPECT_EQ(scripted.fileDialogs().back().folder, root);
}

TEST(FileFilter, TakesThePatternsAfterEachBar) {
    EXPECT_EQ(QtFileFilter("Source Files (*.ml2;*.mlr;*gn2)|*.ml2;*.mlr;*.gn2|Text|*.txt"),
              "Source Files (*.ml2 *.mlr *.gn2);;Text (*.txt)");
}

}  // namespace
}  // namespace veldra::testing
