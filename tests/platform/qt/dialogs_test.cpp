#include "platform/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

TEST(MessageBox, IsWideEnoughForItsWholeTitleBesideTheTitleBarsButtons) {
    ModalDialogs dialogs;
    for (const char* title : {"End Simulation", "CPS.STATUS IS CLEAR (FALSE)"}) {
        WhenShown<QMessageBox>([&](QMessageBox& shown) {
            QFont bold = shown.font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            // The title in bold, and an icon and three buttons as high as it.
            EXPECT_GE(shown.width(), metrics.horizontalAdvance(title) + 4 * metrics.height())
                << title;
            shown.button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(dialogs.MessageBox({"Set?", MsgButtons::Ok, MsgIcon::None, title}),
                  MsgAnswer::Ok);
    }
}

TEST(FileFilter, TakesThePatternsAfterEachBar) {
    EXPECT_EQ(QtFileFilter("Source Files (*.ml2;*.mlr;*gn2)|*.ml2;*.mlr;*.gn2|Text|*.txt"),
              "Source Files (*.ml2 *.mlr *.gn2);;Text (*.txt)");
}

}  // namespace
}  // namespace veldra::testing
