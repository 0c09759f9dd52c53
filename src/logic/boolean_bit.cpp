#include "logic/boolean_bit.h"

#include <utility>

#include "logic/boolean_bits.h"
#include "logic/model_error.h"
#include "logic/program_host.h"
#include "logic/statement.h"
#include "logic/statements.h"
#include "logic/trigger_target.h"
#include "panels/board_panel.h"
#include "platform/platform.h"

namespace veldra {

BooleanBit::BooleanBit() = default;

MkBkQues& BooleanBit::BitMap() {
    if (!bitMap_) {
        bitMap_ = std::make_unique<MkBkQues>();
    }
    return *bitMap_;
}

const MkBkQues& BooleanBit::BitMap() const {
    static const MkBkQues kNoReaders;
    return bitMap_ ? *bitMap_ : kNoReaders;
}

BooleanBit::~BooleanBit() = default;

void BooleanBit::SetBitValue(bool value, bool NoStatus) {
    if (value == bitValue_) {
        return;
    }
    GuardModel(ProgressWindow::Keep, [&] {
        if (isWatch_) {
            MsgBox(bitName_ + " Is Being " + (value ? "SET" : "CLEARED"), MsgButtons::Ok,
                   MsgIcon::Information, "Bit Watch");
        }
        if (!NoStatus) {
            TheProgramHost().UpdateStatus(bitName_, value, false, false, false, false, 0);
        }
        // The edge is raised only here, so that a failure above cannot leave it behind.
        (value ? risingEdge_ : fallingEdge_) = true;
        FireTriggers();
        bitValue_ = value;
        BitChanged.Raise(vIndex_, value);
        if (owner_ != nullptr) {
            owner_->ForwardBitChanged(*this);
        }
        if (rung_ != nullptr && rung_->AnyDisplayed()) {
            // A ladder window may change the map while it redraws: walk it by position.
            for (int i = 1; bitMap_ && i <= bitMap_->Count(); ++i) {
                Statement* reader = rung_->Find(bitMap_->Item(i)->BitName);
                if (reader != nullptr && reader->IsDisplayed()) {
                    reader->OpBitChange(bitName_, value);
                }
            }
        }
    });
}

void BooleanBit::SetNumValue(std::int16_t number, bool NoStatus) {
    numValue_ = number;
    if (!isNumeric_) {
        return;
    }
    if (!NoStatus) {
        TheProgramHost().UpdateStatus(bitName_, false, false, false, false, true, number);
    }
    risingEdge_ = true;
    FireTriggers();
}

void BooleanBit::FireTriggers() {
    const bool rising = std::exchange(risingEdge_, false);
    const bool falling = std::exchange(fallingEdge_, false);
    if ((!rising && !falling) || !isTrigger_) {
        return;
    }
    TheProgramHost().TriggerBitChanged();
    // Tables follow either edge; numeric blocks only a rising one.
    if (vTables_ != nullptr) {
        vTables_->MarkTriggered(bitName_);
    }
    if (vNumBlocks_ != nullptr && rising) {
        vNumBlocks_->MarkTriggered(bitName_);
    }
}

void BooleanBit::ResetAssigns() {
    bitMap_.reset();
}

void BooleanBit::Assigns(Statement& statement) {
    MkBkQue* entry = BitMap().Add(statement.ResultBitName(0));
    if (entry == nullptr) {
        return;  // already registered: the queue has reported it
    }
    entry->IsBack = statement.IsBack(bitName_);
    entry->IsFront = statement.IsFront(bitName_);
    entry->statement = &statement;
}

void BooleanBit::UpdateIO() const {
    TellWindow([this](BoardPanel& window) { window.UpdateOutput(bitName_, bitValue_); });
}

void BooleanBit::LoadState() const {
    TellWindow([this](BoardPanel& window) { window.LoadState(bitName_, bitValue_); });
}

template <class Call>
void BooleanBit::TellWindow(Call&& call) const {
    if (formIndex_ == nullptr) {
        return;
    }
    try {
        call(*formIndex_);
    } catch (const std::exception&) {
        // A board window that cannot take the bit must not stop the scan or the state
        // load that is telling it; the bit's value itself is already right.
    }
}

}  // namespace veldra
