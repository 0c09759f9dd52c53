#include "logic/table.h"

#include <string>

#include "logic/boolean_bits.h"
#include "logic/model_error.h"
#include "logic/numbers.h"
#include "logic/program_host.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace veldra {

template <class Cell>
Cell* TableCells<Cell>::Add(std::string_view BitName, double BitValue, bool IsNumeric) {
    return this->AddReported(KeyForName(BitName), [&] {
        auto cell = std::make_unique<Cell>();
        cell->BitName = std::string(BitName);
        if (IsNumeric) {
            cell->IsNumeric = true;
            cell->Number() = ToInt16(BitValue);
        } else {
            cell->BitValue = BitValue != 0;
        }
        return cell;
    });
}

template class TableCells<stInput>;
template class TableCells<stOutput>;

State::State() = default;

State::~State() = default;

States& State::Rows() {
    if (!rows_) {
        rows_ = std::make_unique<States>();
        rowsAdded_ =
            rows_->StateAdded.Subscribe([this](std::int16_t number) { StateAdded.Raise(number); });
    }
    return *rows_;
}

State* States::Add(std::int16_t StateNumber) {
    State* state = AddReported({}, [&] {
        auto made = std::make_unique<State>();
        made->SetStateNumber(StateNumber);
        return made;
    });
    if (state != nullptr) {
        StateAdded.Raise(StateNumber);
    }
    return state;
}

Table::Table()
    : stateAdded_(
          layout_.StateAdded.Subscribe([this](std::int16_t number) { StateAdded.Raise(number); })),
      triggerAdded_(triggers_.TriggerAdded.Subscribe(
          [this](std::string_view name) { TriggerAdded.Raise(name); })),
      triggersChanged_(triggers_.Changed.Subscribe([this] {
          if (parent_ != nullptr) {
              parent_->TriggersChanged();
          }
      })) {}

Table::~Table() = default;

namespace {

// Fetched with Item, as every bit about to change is: the program window's status grid
// follows the bit fetched last.
BooleanBit& BitNamed(BooleanBits* bits, std::string_view name, std::int16_t table) {
    BooleanBit* bit = bits != nullptr ? bits->Item(name) : nullptr;
    if (bit == nullptr) {
        throw RuntimeError("TABLE " + std::to_string(table) + " names the bit " +
                           std::string(name) + ", which does not exist");
    }
    return *bit;
}

}  // namespace

void Table::Update() {
    if (!tableTriggered_) {
        return;
    }
    GuardModel(ProgressWindow::Keep, [&] {
        ProgramHost& host = TheProgramHost();
        host.UpdateStatus("TABLE " + std::to_string(tableNumber_) + " Triggered", true, false,
                          false, true, false, 0);
        States& rows = layout_.Rows();
        for (int position = 1; position <= rows.Count(); ++position) {
            State& row = *rows.Item(position);
            if (Matches(row, host.PrgBooleanBits())) {
                UpdateOutput.Raise(position);
                WriteOutputs(row);
                tableTriggered_ = false;
                return;
            }
        }
        MsgBox("Unable to find solution for TABLE " + std::to_string(tableNumber_), MsgButtons::Ok,
               MsgIcon::Critical, "Invalid input state");
    });
}

bool Table::Matches(const State& row, BooleanBits* bits) const {
    for (const stInput& input : row.Inputs()) {
        if (input.BitName == "?") {
            continue;
        }
        const BooleanBit& bit = BitNamed(bits, input.BitName, tableNumber_);
        // The kind of comparison follows the bit, not the input.
        const bool matches =
            bit.IsNumeric() ? input.Numeric == bit.NumValue() : input.BitValue == bit.BitValue();
        if (!matches) {
            return false;
        }
    }
    return true;
}

void Table::WriteOutputs(State& row) {
    ProgramHost& host = TheProgramHost();
    for (const stOutput& output : row.Outputs()) {
        if (output.BitName == "?") {
            continue;
        }
        BooleanBit& bit = BitNamed(bits_, output.BitName, tableNumber_);
        // A numeric output gives the bit its number; the bit's Boolean value is not its to set.
        if (output.IsNumeric) {
            bit.SetNumValue(output.NumValue, false);
        } else {
            bit.SetBitValue(output.BitValue, false);
        }
        host.AddQue(output.BitName);
        if (bit.IsFormBit()) {
            host.AddChangedBit(output.BitName);
        }
    }
}

Table* Tables::Add(std::int16_t TableNumber, std::string_view sKey) {
    Table* table = AddReported(sKey, [&] {
        auto made = std::make_unique<Table>();
        made->SetTableNumber(TableNumber);
        made->SetParent(this);
        return made;
    });
    if (table != nullptr) {
        index_.Invalidate();
        TheProgramHost().TableAdded(*table);
    }
    return table;
}

void Tables::Removing(const Table& table) {
    (void)table;
    index_.Invalidate();
}

void Tables::MarkTriggered(std::string_view BitName) {
    index_.ForEachNaming(*this, BitName, [](Table& table) { table.SetTableTriggered(true); });
}

}  // namespace veldra
