#pragma once

#include <string>
#include <string_view>

namespace veldra {

class LoadContext;
class State;
class Table;

// Reads the "TABLES BEGIN" section: state tables, numbered 1, 2, 3, ... in the order of
// the whole source, whatever number the source gives them:
//   TABLE 4
//   TRIGGERS ON A, B AND
//   INPUTS: A, B, N
//   OUTPUTS: X, Y;
//   STATE: 1 0 ? YIELDS: 1, 0;
//   UNDEFINED 0, 0;
//   END TABLE
// and END TABLES after the last. Input names and values are separated by blanks or
// commas, output values by commas only; "?" is any value.
class TableReader {
public:
    explicit TableReader(LoadContext& context) : context_(context) {}

    // Reads one piece; true at "END TABLES".
    bool GetTables(std::string_view piece);

private:
    void Read(std::string_view t);
    bool OpenTable(std::string_view& t);
    void CloseTable();
    Table& CurrentTable();
    State& CurrentRow(Table& table);
    void AddColumn(Table& table, const std::string& name, bool input);
    void AddInputCell(Table& table, std::string_view value);
    void AddOutputCell(Table& table, std::string_view value);

    LoadContext& context_;
    bool inTable_ = false;
    bool inTriggers_ = false;
    bool inInputs_ = false;
    bool inOutputs_ = false;
    bool rowInputs_ = false;
    bool rowOutputs_ = false;
    // A row that failed is passed over to its end, so that one mistake gives one message.
    bool skipRow_ = false;
    int tableCount_ = 0;
    int rowCount_ = 0;
    int column_ = 0;
};

}  // namespace veldra
