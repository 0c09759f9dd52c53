#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logic/model_collection.h"
#include "logic/trigger_index.h"
#include "logic/trigger_target.h"
#include "logic/triggers.h"
#include "platform/event.h"

namespace veldra {

class BooleanBits;

// One input condition of a state, or one input column of a table: the bit (or "?", any
// value) and the value it must have; a numeric input compares the bit's number.
struct stInput {
    std::string BitName;
    bool BitValue = false;
    bool IsNumeric = false;
    std::int16_t Numeric = 0;

    std::int16_t& Number() { return Numeric; }
};

// One output of a state, or one output column of a table: the bit (or "?", left alone)
// and the value the state gives it.
struct stOutput {
    std::string BitName;
    bool BitValue = false;
    bool IsNumeric = false;
    std::int16_t NumValue = 0;

    std::int16_t& Number() { return NumValue; }
};

// The inputs or outputs of a state, keyed by bit name; "?" entries go in without a key
// and may repeat.
template <class Cell>
class TableCells : public ModelCollection<Cell> {
public:
    // A numeric cell takes the value as a 16-bit number, any other as a Boolean (anything
    // but 0 is True). A bit named twice is refused with the model's error question.
    Cell* Add(std::string_view BitName, double BitValue, bool IsNumeric);
};

using stInputs = TableCells<stInput>;
using stOutputs = TableCells<stOutput>;

class States;

// One state (row) of a table: its input conditions and the outputs it gives. The table's
// own layout is a State too: its inputs and outputs are the table's columns and its rows
// are the states, in the order they were added.
class State {
public:
    State();
    ~State();

    std::int16_t StateNumber() const { return stateNumber_; }
    void SetStateNumber(std::int16_t number) { stateNumber_ = number; }

    stInputs& Inputs() { return inputs_; }
    const stInputs& Inputs() const { return inputs_; }
    stOutputs& Outputs() { return outputs_; }
    const stOutputs& Outputs() const { return outputs_; }
    States& Rows();

    // A row was added to Rows(), with its number.
    Event<std::int16_t> StateAdded;

private:
    std::int16_t stateNumber_ = 0;
    stInputs inputs_;
    stOutputs outputs_;
    std::unique_ptr<States> rows_;  // made when first asked for
    Subscription rowsAdded_;
};

class States : public ModelCollection<State> {
public:
    // Appends a state without a key and raises StateAdded.
    State* Add(std::int16_t StateNumber);

    Event<std::int16_t> StateAdded;
};

class Tables;

// A state table: when one of its trigger bits changes, the table is marked; the scan then
// has it take the first of its states whose inputs all agree with the bits, and write
// that state's outputs.
class Table {
public:
    Table();
    ~Table();

    std::int16_t TableNumber() const { return tableNumber_; }
    void SetTableNumber(std::int16_t number) { tableNumber_ = number; }
    // True when the table is created, so its first evaluation after loading always runs.
    bool TableTriggered() const { return tableTriggered_; }
    void SetTableTriggered(bool on) { tableTriggered_ = on; }

    Tables* Parent() const { return parent_; }
    void SetParent(Tables* tables) { parent_ = tables; }
    // The columns (inputs and outputs) and rows (states) of the table.
    State& Layout() { return layout_; }
    const State& Layout() const { return layout_; }
    ::veldra::Triggers& TriggerList() { return triggers_; }
    const ::veldra::Triggers& TriggerList() const { return triggers_; }
    // The bits the outputs are written to.
    BooleanBits* Bits() const { return bits_; }
    void SetBits(BooleanBits* bits) { bits_ = bits; }

    // Evaluates a triggered table: writes its line, finds the first matching state, and
    // writes and queues that state's outputs. A table with no matching state says so and
    // stays triggered.
    void Update();

    // (position of the winning state among the rows, from 1)
    Event<int> UpdateOutput;
    Event<std::int16_t> StateAdded;
    Event<std::string_view> TriggerAdded;

private:
    bool Matches(const State& row, BooleanBits* bits) const;
    void WriteOutputs(State& row);

    std::int16_t tableNumber_ = 0;
    bool tableTriggered_ = true;
    Tables* parent_ = nullptr;
    State layout_;
    ::veldra::Triggers triggers_;
    BooleanBits* bits_ = nullptr;
    Subscription stateAdded_;
    Subscription triggerAdded_;
    Subscription triggersChanged_;
};

// The program's state tables. It is what a trigger bit marks: every table whose trigger
// list names the bit.
class Tables : public ModelCollection<Table>, public TriggerTarget {
public:
    // Appends a table, keyed by sKey or without a key when it is empty, and has the
    // program window give it its window.
    Table* Add(std::int16_t TableNumber, std::string_view sKey = {});

    void MarkTriggered(std::string_view BitName) override;
    // A table's trigger list changed: the next edge reads the lists again.
    void TriggersChanged() { index_.Invalidate(); }

protected:
    void Removing(const Table& table) override;

private:
    TriggerIndex<Table> index_;
};

}  // namespace veldra
