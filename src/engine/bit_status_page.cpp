#include "engine/bit_status_page.h"

#include <cstdint>

#include "engine/program_engine.h"
#include "engine/sorted_names.h"
#include "platform/ascii_text.h"
#include "platform/platform.h"

namespace veldra {

BitStatusPage::BitStatusPage(ProgramEngine& engine) : engine_(engine) {}

BitStatusPage::~BitStatusPage() {
    StopFollowing();
}

void BitStatusPage::DisplaysChanged() {
    rows_.clear();
    values_.clear();
    rowValuesStale_ = false;
    const NameList& names = engine_.Lists().statusRows;
    rows_.reserve(names.size());
    for (const std::string_view name : names) {
        rows_.push_back({std::string(name), false});
    }
    ReadRowValues();
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rows_[row].value = values_[row] != 0;
    }
    topRow_ = currentRow_ = rows_.empty() ? -1 : 0;
    lastFound_ = 0;
    Follow();
    Changed();
}

void BitStatusPage::ReadRowValues() {
    // A bit's row is its vIndex: one walk over the bits finds every row's value.
    values_.assign(rows_.size(), 0);
    const BooleanBits* bits = engine_.PrgBooleanBits();
    if (bits == nullptr) {
        return;
    }
    for (const BooleanBit& bit : *bits) {
        const std::int32_t row = bit.vIndex();
        // A bit made since the rows were listed has no row of its own.
        if (row >= 0 && std::size_t(row) < rows_.size() &&
            EqualsIgnoringCase(rows_[std::size_t(row)].name, bit.BitName())) {
            values_[std::size_t(row)] = bit.BitValue() ? 1 : 0;
        }
    }
}

// The bit collection is replaced when a program is loaded or closed: follow the one that is
// there now. A scan changes thousands of bits; the page takes their changes in a scan's worth
// at a time rather than hearing each one as it happens.
void BitStatusPage::Follow() {
    StopFollowing();
    BooleanBits* bits = engine_.PrgBooleanBits();
    if (!shown_ || bits == nullptr) {
        return;
    }
    followed_ = bits;
    bits->KeepRowChanges([this](std::size_t kept) { ChangesWaiting(kept); });
}

void BitStatusPage::StopFollowing() {
    // A collection the engine no longer holds is gone, and its changes with it.
    if (followed_ != nullptr && followed_ == engine_.PrgBooleanBits()) {
        followed_->StopRowChanges();
    }
    followed_ = nullptr;
}

void BitStatusPage::ChangesWaiting(std::size_t kept) {
    if (kept > 1) {
        TakeChanges();  // nobody took a whole batch in: take it now, so what is kept stays bounded
    } else if (changesWaiting) {
        changesWaiting();
    }
}

const std::vector<BitStatusPage::Row>& BitStatusPage::Rows() {
    TakeChanges();
    if (rowValuesStale_) {
        for (std::size_t row = 0; row < rows_.size(); ++row) {
            rows_[row].value = values_[row] != 0;
        }
        rowValuesStale_ = false;
    }
    return rows_;
}

void BitStatusPage::TakeChanges() {
    if (followed_ == nullptr || followed_ != engine_.PrgBooleanBits()) {
        return;
    }
    // Read where the collection keeps them: nothing here changes a bit.
    const std::span<const BooleanBits::RowChange> taken = followed_->TakeRowChanges();
    if (taken.empty()) {
        return;
    }
    const auto rows = std::int32_t(rows_.size());
    for (const BooleanBits::RowChange& change : taken) {
        // A numeric bit has no row (-1): its Boolean changes colour nothing.
        if (change.row >= 0 && change.row < rows) {
            values_[std::size_t(change.row)] = change.value ? 1 : 0;
        }
    }
    rowValuesStale_ = true;
    if (rowsChanged) {
        rowsChanged(taken);
    }
}

void BitStatusPage::Enter() {
    shown_ = true;
    Follow();
    ReadRowValues();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].value = values_[i] != 0;
    }
    const BooleanBits* bits = engine_.PrgBooleanBits();
    rowValuesStale_ = false;
    numericLines_.clear();
    numericLine_ = -1;
    if (bits != nullptr) {
        for (const BooleanBit& bit : *bits) {
            if (bit.IsNumeric()) {
                numericLines_.push_back(bit.BitName() + " = " + std::to_string(bit.NumValue()));
            }
        }
    }
    numericLines_ = SortedNames(std::move(numericLines_));
    Changed();
}

void BitStatusPage::Leave() {
    // What changed while the page was shown still colours its rows; nothing after.
    TakeChanges();
    shown_ = false;
    StopFollowing();
}

void BitStatusPage::SetCurrentRow(int row) {
    if (row < 0 || row >= int(rows_.size())) {
        return;
    }
    currentRow_ = row;
    lastFound_ = PositionOf(rows_[std::size_t(row)].name);
    Changed();
}

void BitStatusPage::SetNumericLine(int line) {
    if (line < 0 || line >= int(numericLines_.size())) {
        return;
    }
    numericLine_ = line;
    const std::string& text = numericLines_[std::size_t(line)];
    lastFound_ = PositionOf(text.substr(0, text.find(' ')));
    Changed();
}

int BitStatusPage::PositionOf(std::string_view name) const {
    const BooleanBits* bits = engine_.PrgBooleanBits();
    for (int position = 1; bits != nullptr && position <= bits->Count(); ++position) {
        if (bits->Find(position)->BitName() == name) {
            return position;
        }
    }
    return 0;
}

void BitStatusPage::Find(std::string_view text) {
    const std::string key = UpperCased(text);
    const BooleanBits* bits = engine_.PrgBooleanBits();
    if (bits != nullptr) {
        if (const BooleanBit* exact = bits->Find(key)) {
            Show(*exact, PositionOf(exact->BitName()));
            return;
        }
        int first = 0;
        for (int position = 1; position <= bits->Count(); ++position) {
            const BooleanBit& bit = *bits->Find(position);
            if (UpperCased(bit.BitName()).find(key) == std::string::npos) {
                continue;
            }
            if (position > lastFound_) {
                Show(bit, position);
                return;
            }
            if (first == 0) {
                first = position;
            }
        }
        if (first != 0) {
            Show(*bits->Find(first), first);
            return;
        }
    }
    MsgBox(kNotFoundPrompt, MsgButtons::Ok, MsgIcon::Information, "Veldra");
}

void BitStatusPage::Show(const BooleanBit& bit, int position) {
    lastFound_ = position;
    if (bit.IsNumeric()) {
        numericLine_ = -1;
        for (std::size_t line = 0; line < numericLines_.size(); ++line) {
            const std::string& text = numericLines_[line];
            if (text.substr(0, text.find(' ')) == bit.BitName()) {
                numericLine_ = int(line);
                break;
            }
        }
    } else if (bit.vIndex() >= 0 && bit.vIndex() < int(rows_.size())) {
        topRow_ = currentRow_ = bit.vIndex();
    }
    Changed();
}

void BitStatusPage::Changed() {
    if (changed) {
        changed();
    }
}

}  // namespace veldra
