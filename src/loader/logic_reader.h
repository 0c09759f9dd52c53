#pragma once

#include <string>
#include <string_view>

#include "loader/statement_text.h"

namespace veldra {

class LoadContext;

// Reads the "LOGIC BEGIN" section: statements "ASSIGN expression TO results;" over any
// number of lines, each added to the program's statements under its first result bit.
class LogicReader {
public:
    explicit LogicReader(LoadContext& context) : context_(context) {}

    void AddLogicText(std::string_view piece);
    // The section is over: a statement still without its ";" is reported, not glued to
    // the first statement of a later section.
    void EndSection();

private:
    void AddStatement(const std::string& text);

    LoadContext& context_;
    StatementText statement_;
};

}  // namespace veldra
