#include "ladder/ladders.h"

#include <algorithm>

#include "logic/model_error.h"

namespace veldra {

CreateLadder* Ladders::Add(bool IsNumeric, std::string_view statement, std::string_view key) {
    return GuardModel(ProgressWindow::Keep, static_cast<CreateLadder*>(nullptr),
                      [&]() -> CreateLadder* {
                          auto ladder = std::make_unique<CreateLadder>(resolution_);
                          ladder->IsNumeric = IsNumeric;
                          if (!statement.empty()) {
                              ladder->SetStatement(statement);
                          }
                          ladder->Parent = this;
                          return &ladders_.Add(std::move(ladder), key);
                      });
}

void Ladders::Clear() {
    while (ladders_.Count() > 0) {
        ladders_.Remove(ladders_.Count());
    }
}

int Ladders::Pages() const {
    int pages = 0;
    for (const CreateLadder& ladder : ladders_) {
        pages = std::max(pages, ladder.PageNumber);
    }
    return pages;
}

void Ladders::WordWrap(bool on) {
    for (CreateLadder& ladder : ladders_) {
        for (const auto& cell : ladder.GetElements()) {
            cell->WordWrap = on;
        }
    }
}

}  // namespace veldra
