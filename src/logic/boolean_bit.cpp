#include "logic/boolean_bit.h"

#include <algorithm>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "logic/boolean_bits.h"
#include "logic/model_error.h"
#include "logic/program_host.h"
#include "logic/statement.h"
#include "logic/statements.h"
#include "logic/trigger_target.h"
#include "platform/ascii_text.h"
#include "platform/board_panel.h"
#include "platform/load_under_way.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace veldra {

std::string_view BitReader::Key() const {
    static_assert(alignof(Statement) > kMarks);
    return statement()->ResultBitName(0);
}

void BitReaders::push_back(const BitReader& reader) {
    if (empty()) {
        first_ = reader;
        return;
    }
    Head* head = Block();
    const auto size = std::uint32_t(this->size());
    if (head == nullptr || size == head->capacity) {
        const std::uint32_t capacity = size * 2;
        auto* grown = static_cast<Head*>(
            ::operator new(sizeof(Head) + std::size_t(capacity) * sizeof(BitReader)));
        static_assert(alignof(std::max_align_t) > kBlock);
        grown->size = size;
        grown->capacity = capacity;
        std::uninitialized_copy_n(begin(), size, Items(grown));
        ::operator delete(head);
        head = grown;
        first_.word_ = reinterpret_cast<std::uintptr_t>(head) | kBlock;
    }
    new (Items(head) + size) BitReader(reader);
    head->size = size + 1;
}

void BitReaders::clear() {
    static_assert(std::is_trivially_destructible_v<BitReader>);
    ::operator delete(Block());
    first_ = BitReader();
}

BooleanBit::BooleanBit() = default;

BooleanBit::~BooleanBit() = default;

bool BooleanBit::BitValue() const {
    return owner_ != nullptr ? owner_->Values()[slot_] != 0 : bitValue_;
}

void BooleanBit::SetFormIndex(BoardPanel* window, int row, std::uint32_t rowsRevision) {
    if (window != nullptr || rare_) {
        RareState& rare = Rare();
        rare.formIndex = window;
        rare.formRow = window != nullptr ? row : 0;
        rare.formRowsRevision = window != nullptr ? rowsRevision : 0;
        if (owner_ != nullptr) {
            owner_->TellPlace(slot_, window, rare.formRow, rare.formRowsRevision);
        }
    }
}

Event<std::int32_t, bool>& BooleanBit::BitChanged() {
    RareState& rare = Rare();
    if (!rare.bitChanged) {
        rare.bitChanged = std::make_unique<Event<std::int32_t, bool>>();
        TellFlags();
    }
    return *rare.bitChanged;
}

void BooleanBit::SetBitValue(bool value, bool NoStatus) {
    if (value == BitValue()) {
        return;
    }
    GuardModel(ProgressWindow::Keep, [&] {
        if (isWatch_) {
            MsgBox(bitName_ + " Is Being " + (value ? "SET" : "CLEARED"), MsgButtons::Ok,
                   MsgIcon::Information, "Bit Watch");
        }
        if (!NoStatus) {
            TheProgramHost().BitStatus(*this, value);
        }
        // The edge is raised only here, so that a failure above cannot leave it behind.
        if (value) {
            risingEdge_ = true;
        } else {
            fallingEdge_ = true;
        }
        FireTriggers();
        bitValue_ = value;
        if (owner_ != nullptr) {
            owner_->StoreValue(slot_, value);
        }
        if (rare_ && rare_->bitChanged) {
            rare_->bitChanged->Raise(vIndex_, value);
        }
        if (owner_ != nullptr) {
            // Read again: a listener of the bit's own event may have changed it meanwhile.
            owner_->ForwardBitChanged(*this, !value, BitValue());
        }
        if (rung_ != nullptr && rung_->AnyDisplayed()) {
            // A ladder window may change the map while it redraws: walk it by position.
            for (std::size_t i = 0; i < readers_.size(); ++i) {
                Statement* reader = rung_->Find(readers_[i].Key());
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
    const bool rising = risingEdge_;
    const bool falling = fallingEdge_;
    risingEdge_ = false;
    fallingEdge_ = false;
    if ((!rising && !falling) || !isTrigger_) {
        return;
    }
    TheProgramHost().TriggerBitChanged();
    // Tables follow either edge; numeric blocks only a rising one.
    if (!rare_) {
        return;
    }
    if (rare_->vTables != nullptr) {
        rare_->vTables->MarkTriggered(bitName_);
    }
    if (rare_->vNumBlocks != nullptr && rising) {
        rare_->vNumBlocks->MarkTriggered(bitName_);
    }
}

void BooleanBit::SetOwner(BooleanBits* owner) {
    bitValue_ = BitValue();
    owner_ = owner;
    if (owner_ != nullptr) {
        slot_ = owner_->TakeSlot(*this, bitValue_, vIndex_);
    }
}

void BooleanBit::SetvIndex(std::int32_t row) {
    vIndex_ = row;
    if (owner_ != nullptr) {
        owner_->TellRow(slot_, row);
    }
}

std::uint8_t BooleanBit::Flags() const {
    return std::uint8_t((IsTimer() ? Flag::kTimer : 0) | (isFormBit_ ? Flag::kFormBit : 0) |
                        (isTrigger_ ? Flag::kTrigger : 0) | (isWatch_ ? Flag::kWatch : 0) |
                        (filter_ ? Flag::kFilter : 0) | (isAssigned_ ? Flag::kAssigned : 0) |
                        (isNumeric_ ? Flag::kNumeric : 0) |
                        (rare_ && rare_->bitChanged ? Flag::kHeard : 0));
}

void BooleanBit::TellFlags() {
    if (owner_ != nullptr) {
        owner_->TellFlags(slot_, Flags());
    }
}

void BooleanBit::ResetAssigns() {
    readers_.clear();
    if (owner_ != nullptr) {
        owner_->ReadersChanged();
    }
}

void BooleanBit::Assigns(Statement& statement) {
    const std::string_view key = statement.ResultBitName(0);
    const bool recorded =
        !key.empty() && std::any_of(readers_.begin(), readers_.end(), [&](const BitReader& reader) {
            return EqualsIgnoringCase(reader.Key(), key);
        });
    if (recorded) {
        GuardModel(ProgressWindow::Close, [] { throw RuntimeError(errors::kDuplicateKey); });
        return;
    }
    Assigns(statement, Contacts{statement.IsBack(bitName_), statement.IsFront(bitName_)});
}

void BooleanBit::Assigns(Statement& statement, Contacts contacts) {
    readers_.push_back(BitReader(&statement, contacts.back, contacts.front));
    if (owner_ != nullptr) {
        owner_->ReadersChanged();
    }
}

void BooleanBit::UpdateIO() const {
    UpdateIO(FormIndex(), FormRow(), bitName_, BitValue());
}

void BooleanBit::UpdateIO(BoardPanel* window, int row, std::string_view name, bool value,
                          std::uint32_t rowsRevision) {
    TellWindow(window,
               [&](BoardPanel& shown) { shown.UpdateOutputAt(row, name, value, rowsRevision); });
}

void BooleanBit::LoadState() const {
    TellWindow(FormIndex(), [this](BoardPanel& window) { window.LoadState(bitName_, BitValue()); });
}

template <class Call>
void BooleanBit::TellWindow(BoardPanel* window, Call&& call) {
    if (window == nullptr) {
        return;
    }
    // A board window that cannot take the bit must not stop the scan or the state load that
    // is telling it; the bit's value itself is already right.
    IgnoringFailures([&] { call(*window); });
}

}  // namespace veldra
