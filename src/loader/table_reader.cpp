#include "loader/table_reader.h"

#include <cstdint>

#include "engine/program_engine.h"
#include "loader/keywords.h"
#include "loader/load_context.h"
#include "loader/source_values.h"
#include "loader/trigger_names.h"
#include "logic/numbers.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

std::string_view AfterKey(std::string_view text, std::size_t at, std::string_view key) {
    return text.substr(at + key.size());
}

}  // namespace

bool TableReader::GetTables(std::string_view piece) {
    if (Contains(piece, "END TABLES")) {
        CloseTable();
        return true;
    }
    if (Contains(piece, "END TABLE")) {
        CloseTable();
        return false;
    }
    if (!context_.Guard([&] { Read(piece); }) && (rowInputs_ || rowOutputs_)) {
        skipRow_ = true;
    }
    return false;
}

void TableReader::CloseTable() {
    skipRow_ = false;
    inTable_ = false;
    inTriggers_ = false;
    inInputs_ = false;
    inOutputs_ = false;
    rowInputs_ = false;
    rowOutputs_ = false;
    rowCount_ = 0;
    column_ = 0;
}

bool TableReader::OpenTable(std::string_view& t) {
    if (t.empty()) {
        return false;
    }
    if (const std::size_t at = t.find("TABLE"); at != std::string_view::npos) {
        t = AfterKey(t, at, "TABLE");
    }
    t = TrimBlanks(t);
    if (t.empty()) {
        return false;
    }
    // Only the first digit is looked at; the number written is not the table's number.
    if (t[0] < '0' || t[0] > '9') {
        throw RuntimeError(std::string(errors::kTypeMismatch) + ": a table number is expected in " +
                           Excerpt(t));
    }
    if (t[0] == '0') {
        return false;
    }
    if (tableCount_ == INT16_MAX) {
        throw RuntimeError(errors::kOverflow);
    }
    context_.Engine().prgTables.Add(std::int16_t(tableCount_ + 1));
    ++tableCount_;
    inTable_ = true;
    return true;
}

Table& TableReader::CurrentTable() {
    Table* table = context_.Engine().prgTables.Item(tableCount_);
    if (table == nullptr) {
        throw RuntimeError(errors::kSubscriptOutOfRange);
    }
    return *table;
}

State& TableReader::CurrentRow(Table& table) {
    State* row = table.Layout().Rows().Item(rowCount_);
    if (row == nullptr) {
        throw RuntimeError("A value stands before the table's first STATE:");
    }
    return *row;
}

void TableReader::Read(std::string_view t) {
    if (skipRow_) {
        const bool nextRow = FindWord(t, "STATE") != std::string_view::npos ||
                             FindWord(t, "UNDEFINED") != std::string_view::npos ||
                             StartsWithWord(t, "TABLE");
        if (!nextRow && !Contains(t, ";")) {
            return;
        }
        skipRow_ = false;
        rowInputs_ = false;
        rowOutputs_ = false;
        if (!nextRow) {
            t = t.substr(t.find(';') + 1);
        }
    }
    // A new header closes a table left without its END TABLE.
    if (inTable_ && StartsWithWord(t, "TABLE")) {
        CloseTable();
    }
    if (!inTable_ && !OpenTable(t)) {
        return;
    }
    Table& table = CurrentTable();

    if (const std::size_t at = t.find("TRIGGERS ON"); at != std::string_view::npos) {
        t = AfterKey(t, at, "TRIGGERS ON");
        inTriggers_ = true;
    }
    if (inTriggers_) {
        t = ReadTriggerNames(t, table.TriggerList(), inTriggers_);
    }

    if (const std::size_t at = t.find("INPUTS:"); at != std::string_view::npos) {
        t = AfterKey(t, at, "INPUTS:");
        inInputs_ = true;
    }
    if (inInputs_) {
        std::string name;
        std::size_t at = 0;
        for (; at < t.size(); ++at) {
            if (name.empty() && t.substr(at).starts_with("OUTPUTS:")) {
                inInputs_ = false;
                break;
            }
            if (t[at] == ' ' || t[at] == ',') {
                AddColumn(table, std::exchange(name, {}), true);
            } else {
                name += t[at];
            }
        }
        AddColumn(table, name, true);
        t = t.substr(at);
    }

    if (const std::size_t at = t.find("OUTPUTS:"); at != std::string_view::npos) {
        t = AfterKey(t, at, "OUTPUTS:");
        inOutputs_ = true;
    }
    if (const std::size_t at = FindWord(t, "UNDEFINED"); at != std::string_view::npos) {
        table.Layout().Rows().Add(std::int16_t(++rowCount_));
        t = AfterKey(t, at, "UNDEFINED");
        column_ = 0;
        rowInputs_ = false;
        rowOutputs_ = true;
    }
    if (inOutputs_) {
        std::string name;
        std::size_t at = 0;
        for (; at < t.size() && inOutputs_; ++at) {
            if (t[at] == ' ' || t[at] == ',' || t[at] == ';') {
                AddColumn(table, std::exchange(name, {}), false);
            } else {
                name += t[at];
            }
            if (t[at] == ';') {
                inOutputs_ = false;
                rowInputs_ = true;
            }
        }
        AddColumn(table, name, false);
        t = t.substr(at);
    }

    if (const std::size_t at = FindWord(t, "STATE"); at != std::string_view::npos) {
        std::string_view rest = TrimBlanks(AfterKey(t, at, "STATE"));
        while (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
            rest.remove_prefix(1);  // "STATE 2:" names its row; rows are counted
        }
        if (rest.starts_with(':')) {
            table.Layout().Rows().Add(std::int16_t(++rowCount_));
            t = rest.substr(1);
            rowInputs_ = true;
        } else {
            t = AfterKey(t, at, "STATE");
            rowInputs_ = false;
            rowOutputs_ = true;
        }
        column_ = 0;
    }

    if (rowInputs_) {
        std::string value;
        std::size_t at = 0;
        for (; at < t.size(); ++at) {
            if (t.substr(at).starts_with("YIELDS:")) {
                AddInputCell(table, std::exchange(value, {}));
                rowInputs_ = false;
                rowOutputs_ = true;
                column_ = 0;
                at += std::string_view("YIELDS:").size();
                break;
            }
            if (t[at] == ' ' || t[at] == ',') {
                AddInputCell(table, std::exchange(value, {}));
            } else {
                value += t[at];
            }
        }
        AddInputCell(table, value);
        t = t.substr(at);
    }
    if (const std::size_t at = t.find("YIELDS:"); at != std::string_view::npos) {
        t = AfterKey(t, at, "YIELDS:");
    }

    if (rowOutputs_) {
        std::string value;
        for (std::size_t at = 0; at < t.size() && rowOutputs_; ++at) {
            if (t[at] == ';') {
                rowOutputs_ = false;
            }
            if (t[at] == ',' || t[at] == ';') {
                AddOutputCell(table, std::exchange(value, {}));
            } else if (t[at] != ' ' || !value.empty()) {
                value += t[at];  // a blank inside a value stays part of it
            }
        }
        AddOutputCell(table, value);
    }
}

void TableReader::AddColumn(Table& table, const std::string& name, bool input) {
    if (name.empty()) {
        return;
    }
    ProgramEngine& engine = context_.Engine();
    const BooleanBit* bit = context_.ProgramBits().Find(name);
    bool numeric = bit != nullptr && bit->IsNumeric();
    if (input) {
        if (const UserBit* user = engine.prgUserBits.Item(name)) {
            numeric = user->IsNumeric;
        }
        table.Layout().Inputs().Add(name, 0, numeric);
    } else {
        table.Layout().Outputs().Add(name, 0, numeric);
    }
}

namespace {

// One value of a state's row, given to the column it stands under: "?" for any value, a
// number for a numeric column, a Boolean for any other.
template <class Cells>
void AddCell(const Cells& columns, Cells& cells, int column, std::string_view value,
             const char* kind) {
    const auto* heading = columns.Item(column);
    if (heading == nullptr) {
        throw RuntimeError("The value " + Excerpt(value) + " lies beyond the table's " +
                           std::to_string(columns.Count()) + " " + kind);
    }
    if (value == "?") {
        cells.Add("?", 0, true);
    } else if (heading->IsNumeric) {
        cells.Add(heading->BitName, ToInt16(SourceNumber(value)), true);
    } else {
        cells.Add(heading->BitName, SourceBoolean(value) ? 1 : 0, false);
    }
}

}  // namespace

void TableReader::AddInputCell(Table& table, std::string_view value) {
    value = TrimBlanks(value);
    if (!value.empty()) {
        AddCell(table.Layout().Inputs(), CurrentRow(table).Inputs(), ++column_, value, "inputs");
    }
}

void TableReader::AddOutputCell(Table& table, std::string_view value) {
    value = TrimBlanks(value);
    if (!value.empty()) {
        AddCell(table.Layout().Outputs(), CurrentRow(table).Outputs(), ++column_, value, "outputs");
    }
}

}  // namespace veldra
