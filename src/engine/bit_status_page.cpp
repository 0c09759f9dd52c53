#include "engine/bit_status_page.h"

#include <cstdint>

#include "engine/program_engine.h"
#include "engine/sorted_names.h"
#include "engine/status_rows.h"
#include "platform/ascii_text.h"
#include "platform/platform.h"

namespace veldra {

namespace {

auto RowNameOf(const std::vector<BitStatusPage::Row>& rows) {
    return [&rows](std::size_t row) -> std::string_view { return rows[row].name; };
}

}  // namespace

BitStatusPage::BitStatusPage(ProgramEngine& engine) : engine_(engine) {}

BitStatusPage::~BitStatusPage() {
    StopFollowing();
}

void BitStatusPage::DisplaysChanged() {
    rows_.clear();
    values_.clear();
    const NameList& names = engine_.Lists().statusRows;
    rows_.reserve(names.size());
    for (const std::string_view name : names) {
        rows_.push_back({std::string(name), false});
    }
    values_.assign(rows_.size(), 0);
    if (const BooleanBits* bits = engine_.PrgBooleanBits()) {
        ForEachBitAtItsRow(*bits, rows_.size(), RowNameOf(rows_),
                           [this](std::size_t row, const BooleanBit& bit) {
                               rows_[row].value = bit.BitValue();
                               values_[row] = rows_[row].value ? 1 : 0;
                           });
    }
    topRow_ = currentRow_ = rows_.empty() ? -1 : 0;
    lastFound_ = 0;
    Follow();
    Changed.Raise();
}

// The bit collection is replaced when a program is loaded or closed: follow the one that is
// there now. A scan changes thousands of bits; while the page is shown its rows read their
// colours from the bits' values, and only a change of a row in sight is told of.
void BitStatusPage::Follow() {
    StopFollowing();
    BooleanBits* bits = engine_.PrgBooleanBits();
    if (!shown_ || bits == nullptr) {
        return;
    }
    // Every row takes the colour of the bit it was listed for.
    std::vector<std::uint32_t> slots(rows_.size(), BitStatusRows::kNoRowSlot);
    ForEachBitAtItsRow(
        *bits, rows_.size(), RowNameOf(rows_),
        [&slots](std::size_t row, const BooleanBit& bit) { slots[row] = bit.Slot(); });
    followed_ = bits;
    shownRows_.Show(*bits, std::move(slots), [this] { ChangesWaiting.Raise(); });
    shownRows_.SetRowsInSight(firstInSight_, lastInSight_);
}

void BitStatusPage::StopFollowing() {
    shownRows_.Stop();
    followed_ = nullptr;
}

bool BitStatusPage::Following() const {
    return followed_ != nullptr && followed_ == engine_.PrgBooleanBits();
}

bool BitStatusPage::RowValue(std::size_t row) const {
    return Following() ? shownRows_.RowShown(std::int32_t(row)) : values_[row] != 0;
}

const std::vector<BitStatusPage::Row>& BitStatusPage::Rows() {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rows_[row].value = RowValue(row);
    }
    return rows_;
}

void BitStatusPage::SetRowsInSight(int first, int last) {
    firstInSight_ = first;
    lastInSight_ = first < 0 ? -1 : last;
    if (Following()) {
        shownRows_.SetRowsInSight(firstInSight_, lastInSight_);
    }
}

std::vector<int> BitStatusPage::TakeRowsChangedInSight() {
    if (!Following()) {
        return {};
    }
    const std::vector<std::int32_t>& taken = shownRows_.TakeRowsChangedInSight();
    return {taken.begin(), taken.end()};
}

void BitStatusPage::Enter() {
    shown_ = true;
    Follow();
    numericLines_.clear();
    numericLine_ = -1;
    if (const BooleanBits* bits = engine_.PrgBooleanBits()) {
        for (const BooleanBit& bit : *bits) {
            if (bit.IsNumeric()) {
                numericLines_.push_back(bit.BitName() + " = " + std::to_string(bit.NumValue()));
            }
        }
    }
    numericLines_ = SortedNames(std::move(numericLines_));
    Changed.Raise();
}

void BitStatusPage::Leave() {
    // What changed while the page was shown still colours its rows; nothing after.
    if (Following()) {
        for (std::size_t row = 0; row < rows_.size(); ++row) {
            values_[row] = shownRows_.RowShown(std::int32_t(row)) ? 1 : 0;
        }
    }
    shown_ = false;
    StopFollowing();
}

void BitStatusPage::SetCurrentRow(int row) {
    if (row < 0 || row >= int(rows_.size())) {
        return;
    }
    currentRow_ = row;
    lastFound_ = PositionOf(rows_[std::size_t(row)].name);
    Changed.Raise();
}

void BitStatusPage::SetNumericLine(int line) {
    if (line < 0 || line >= int(numericLines_.size())) {
        return;
    }
    numericLine_ = line;
    const std::string& text = numericLines_[std::size_t(line)];
    lastFound_ = PositionOf(text.substr(0, text.find(' ')));
    Changed.Raise();
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
    Changed.Raise();
}

}  // namespace veldra
