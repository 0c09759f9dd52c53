#include "engine/qt/force_bit_frame.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "engine/qt/core_list_model.h"
#include "engine/qt/name_list_delegate.h"
#include "engine/qt/numeric_editor_controls.h"
#include "platform/qt/qt_text.h"

namespace veldra {

using namespace page_controls;

ForceBitFrame::ForceBitFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent)
    : ProgramPageFrame("Force Change Bit", 1, engine, pages, parent) {
    auto* layout = new QGridLayout(this);
    for (int index = 0; index < 2; ++index) {
        QListView* list = List(Indexed("cmbBitSelect", index), this);
        list->setItemDelegate(new NameListDelegate(list));
        CoreListModel::Source lines;
        const auto listOf = [this, index]() -> const std::vector<ProgramPages::CheckLine>& {
            return index == 0 ? pages_.ForceBitList() : pages_.UserBitList();
        };
        lines.count = [listOf] { return int(listOf().size()); };
        lines.text = [listOf](int line) { return ToQString(listOf()[std::size_t(line)].name); };
        lines.checked = [listOf](int line) { return listOf()[std::size_t(line)].checked; };
        lines.check = [this, index](int line, bool checked) {
            Command([&] {
                if (index == 0) {
                    pages_.CheckForceBit(line, checked);
                } else {
                    pages_.CheckUserBit(line, checked);
                }
            });
        };
        checkLists_[std::size_t(index)] = new CoreListModel(std::move(lines), list);
        list->setModel(checkLists_[std::size_t(index)]);
        cmbBitSelect_[std::size_t(index)] = list;
        layout->addWidget(list, 0, 0, 5, 1);
    }

    lblSelectedBit_ = Label("Selected Bit", this);
    layout->addWidget(lblSelectedBit_, 0, 1, 1, 2);
    lblForceValue_ = Label("Selected Numeric Value", this);
    layout->addWidget(lstNumerics_ = List(Indexed("lstNumerics", 1), this), 1, 1, 1, 2);
    layout->addWidget(lblForceValue_, 2, 1, 1, 2);
    layout->addWidget(txtNumeric_ = Box(Indexed("txtNumeric", 1), this), 3, 1);
    layout->addWidget(apply_ = Button("Apply", "cmdNum1Apply", this), 3, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    numerics_ =
        new NumericEditorControls(*this, pages_.ForceNumerics(), lstNumerics_, txtNumeric_, apply_);
}

void ForceBitFrame::Sync(ProgramPage page) {
    {
        const Following following(*this);
        // The frame serves both the "Force Bit" and the "User Bits" page.
        const bool userBits = page == ProgramPage::UserBits;
        if (page == ProgramPage::ForceBit || userBits) {
            setTitle(ToQString(pages_.FrameCaption()));
        }
        cmbBitSelect_[0]->setVisible(!userBits);
        cmbBitSelect_[1]->setVisible(userBits);
        for (QWidget* numeric :
             {static_cast<QWidget*>(lstNumerics_), static_cast<QWidget*>(txtNumeric_),
              static_cast<QWidget*>(apply_), static_cast<QWidget*>(lblSelectedBit_),
              static_cast<QWidget*>(lblForceValue_)}) {
            numeric->setVisible(!userBits);
        }
        // The Force Bit list of a large program is put in order when it is first shown.
        if (page == ProgramPage::ForceBit) {
            checkLists_[0]->Sync();
        }
        checkLists_[1]->Sync();
        if (page == ProgramPage::ForceBit || userBits) {
            // No line is current when the page is entered.
            ShowLine(cmbBitSelect_[userBits ? 1 : 0], -1);
        }
    }
    numerics_->Sync();
}

}  // namespace veldra
