// The page-range dialog of the program book as an engineer uses it: a box left with a page
// the book has not is refused once, Cancel, Escape and the frame's close button close it
// without a look at its boxes, and another application only borrows the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <string>

#include "book/page_range.h"
#include "book/qt/book_fixture.h"
#include "book/qt/frmPrintPgs.h"

namespace veldra::testing {
namespace {

class PageRangeTest : public BookFixture {
protected:
    PageRangeTest() {
        StartOn("range", ParallelProgram("RANGE", 20, false), kListing);
        CreateBook();
        dialogs.BoxesTakeTheFocus();
    }
    std::size_t Refusals() const {
        std::size_t count = 0;
        for (const MsgBoxRequest& box : dialogs.boxes()) {
            count += box.title == kPageRangeTitle ? 1 : 0;
        }
        return count;
    }
    // From a page beyond the book, then the way: the dialog closes or stays, with that many
    // refusals; one that stays is then closed by Cancel, with no more.
    void Try(frmPrintPgs& range, std::size_t refused, const std::function<void(frmPrintPgs&)>& way,
             bool closes, const std::string& what) {
        const std::size_t before = Refusals();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&range)) << what;
        auto* fromTo = range.findChild<QRadioButton*>("optPrint_2");
        ASSERT_NE(fromTo, nullptr);
        // On its mark: the rest of the row is no part of the button.
        QTest::mouseClick(fromTo, Qt::LeftButton, {}, QPoint(6, fromTo->height() / 2));
        QTest::mouseClick(range.txtFrom(), Qt::LeftButton);
        ASSERT_TRUE(range.txtFrom()->hasFocus()) << what;
        range.txtFrom()->selectAll();
        QTest::keyClicks(range.txtFrom(), QString::number(Book()->TotalPages() + 3));
        for (std::size_t box = 0; box < refused; ++box) {
            dialogs.Answer(MsgAnswer::Ok);
        }

        way(range);
        QApplication::processEvents();
        if (range.isVisible()) {
            // The offscreen desktop gives the dialog back its activation after a box only when
            // asked, as a window manager would.
            range.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&range)) << what;
        }

        EXPECT_EQ(Refusals() - before, refused) << what;
        ASSERT_EQ(range.isVisible(), !closes) << what;
        if (!closes) {
            EXPECT_TRUE(range.txtFrom()->hasFocus()) << what;
            auto* cancel = range.findChild<QPushButton*>("CancelButton");
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
            EXPECT_FALSE(range.isVisible()) << what;
            EXPECT_EQ(Refusals() - before, refused) << what;
        }
    }
    std::size_t Printed() const {
        std::size_t count = 0;
        for (const FileDialogRequest& request : dialogs.fileDialogs()) {
            count += request.kind == FileKind::Pdf ? 1 : 0;
        }
        return count;
    }
};

template <class Widget>
Widget* Control(frmPrintPgs& range, const char* name) {
    auto* control = range.findChild<Widget*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

TEST_F(PageRangeTest, OnlyLeavingABoxForAControlThatChecksItRefusesAPageTheBookHasNot) {
    ASSERT_NE(Book(), nullptr);
    struct Way {
        const char* name;
        std::function<void(frmPrintPgs&)> act;
        bool closes;
        std::size_t refusals;
    };
    const Way ways[] = {
        {"Cancel",
         [](frmPrintPgs& range) {
             QTest::mouseClick(Control<QPushButton>(range, "CancelButton"), Qt::LeftButton);
         },
         true, 0},
        {"Escape", [](frmPrintPgs& range) { QTest::keyClick(range.txtFrom(), Qt::Key_Escape); },
         true, 0},
        {"the frame's close button", [](frmPrintPgs& range) { range.close(); }, true, 0},
        {"Tab to Cancel, then Cancel",
         [](frmPrintPgs& range) {
             auto* cancel = Control<QPushButton>(range, "CancelButton");
             cancel->setFocus(Qt::TabFocusReason);
             QTest::keyClick(cancel, Qt::Key_Space);
         },
         true, 0},
        {"a click into another application and back",
         [](frmPrintPgs& range) {
             QApplication::setActiveWindow(nullptr);
             QApplication::processEvents();
             range.activateWindow();
             QApplication::setActiveWindow(&range);
             ASSERT_TRUE(QTest::qWaitForWindowActive(&range));
         },
         false, 0},
        {"OK",
         [](frmPrintPgs& range) {
             QTest::mouseClick(Control<QPushButton>(range, "OKButton"), Qt::LeftButton);
         },
         false, 1},
        {"a click on the other box",
         [](frmPrintPgs& range) { QTest::mouseClick(range.txtTo(), Qt::LeftButton); }, false, 1},
        {"a click into another application, then on OK",
         [](frmPrintPgs& range) {
             QApplication::setActiveWindow(nullptr);
             QApplication::processEvents();
             QApplication::setActiveWindow(&range);
             ASSERT_TRUE(QTest::qWaitForWindowActive(&range));
             QTest::mouseClick(Control<QPushButton>(range, "OKButton"), Qt::LeftButton);
         },
         false, 1},
    };
    for (const Way& way : ways) {
        const std::string what = way.name;
        bool shown = false;
        WhenShown<frmPrintPgs>([&](frmPrintPgs& range) {
            shown = true;
            Try(range, way.refusals, way.act, way.closes, what);
            if (range.isVisible()) {
                range.done(QDialog::Rejected);  // whatever failed, the test goes on
            }
        });
        Book()->mnuPrint_Click();
        EXPECT_TRUE(shown) << what;
        EXPECT_EQ(Printed(), 0U) << what;  // cancelled: nothing printed
        Settle();
    }
}

}  // namespace
}  // namespace veldra::testing
