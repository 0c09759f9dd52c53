#include "loader/declaration_reader.h"

#include <utility>

#include "engine/program_engine.h"
#include "loader/keywords.h"
#include "loader/load_context.h"
#include "loader/source_values.h"
#include "logic/numbers.h"
#include "platform/runtime_error.h"

namespace veldra {

bool DeclarationReader::ReadNames(std::string_view piece, bool numeric) {
    context_.ProgramBits();
    if (KeyWord(piece)) {
        return true;
    }
    bool ended = false;
    std::string name;
    const auto add = [&] {
        if (!name.empty()) {
            AddName(name, numeric);
            name.clear();
        }
    };
    for (const char c : piece) {
        if (c == ';') {
            add();
            ended = true;
        } else if (c == ' ' || c == ',' || c == ':') {
            add();
        } else {
            name += c;
        }
    }
    // The last name of a line needs no "," after it.
    add();
    return ended;
}

void DeclarationReader::AddName(const std::string& name, bool numeric) {
    context_.Guard([&] {
        BooleanBit* bit = context_.ProgramBits().Add(name, false, false, 0, 0, false);
        if (!numeric) {
            return;
        }
        if (bit == nullptr) {
            throw RuntimeError("The numeric variable " + Excerpt(name) +
                               " is already declared as a bit");
        }
        bit->SetIsNumeric(true);
    });
}

bool DeclarationReader::GetConstants(std::string_view piece) {
    context_.ProgramBits();
    std::string_view text = piece;
    if (KeyWord(piece)) {
        constexpr std::string_view kHeader = "CONSTANTS BOOLEAN";
        const std::size_t header = piece.find(kHeader);
        if (header == std::string_view::npos) {
            constantNameWaiting_ = false;
            constantText_.clear();
            constantCandidate_.clear();
            return true;
        }
        text = piece.substr(header + kHeader.size());
    }
    constantText_.clear();
    for (const char c : text) {
        if (c == '=' && !constantNameWaiting_) {
            const std::string_view name = TrimBlanks(constantText_);
            constantName_ = std::string(name.empty() ? std::string_view(constantCandidate_) : name);
            constantNameWaiting_ = true;
            constantText_.clear();
        } else if (c == ';') {
            if (constantNameWaiting_) {
                AddConstant();
            }
            constantText_.clear();  // a name without "=" declares nothing
        } else {
            constantText_ += c;
        }
    }
    constantCandidate_.clear();
    if (constantNameWaiting_ && !TrimBlanks(constantText_).empty()) {
        AddConstant();  // the value ends with its line
    } else if (!constantNameWaiting_) {
        constantCandidate_ = std::string(TrimBlanks(constantText_));
    }
    return false;
}

void DeclarationReader::AddConstant() {
    const std::string name = std::exchange(constantName_, {});
    const std::string value = std::exchange(constantText_, {});
    constantNameWaiting_ = false;
    context_.Guard([&] {
        if (name.empty()) {
            throw RuntimeError("The constant value " + Excerpt(TrimBlanks(value)) + " has no name");
        }
        context_.ProgramBits().Add(name, SourceBoolean(value), false, 0, 0, false);
    });
}

void DeclarationReader::UserEntries::Read(std::string_view piece) {
    context_.ProgramBits();
    if (piece.empty()) {
        return;
    }
    if (Contains(piece, ":")) {
        TakeName(TrimBlanks(Before(piece, ":")));
    }
    if (Contains(piece, ";")) {
        TakeValue(std::string(TrimBlanks(Before(piece, ";"))));
    }
}

void DeclarationReader::UserEntries::End() {
    if (valueDue_) {
        valueDue_ = false;
        context_.Report("The " + Kind() + " " + Excerpt(name_) + " has no value", nameLine_);
    }
}

void DeclarationReader::UserEntries::TakeName(std::string_view name) {
    valueDropped_ = name.find_first_of(" ,") != std::string_view::npos;
    if (valueDropped_) {
        // Entries written as a list ("A: 1, B: 2;") run into one another: the name before
        // lost its value into this one, and this line alone is reported. A name without a
        // comma took no value from the name before, which has none of its own.
        if (name.find(',') == std::string_view::npos) {
            End();
        }
        name_.clear();
        valueDue_ = false;
        context_.Report("The " + Kind() + " name \"" + Excerpt(name) +
                            "\" holds a blank or a comma: each entry is written NAME: VALUE;",
                        context_.Line());
        return;
    }
    End();
    name_ = std::string(name);
    nameLine_ = context_.Line();
    valueDue_ = true;
}

void DeclarationReader::UserEntries::TakeValue(const std::string& value) {
    if (std::exchange(valueDropped_, false)) {
        return;
    }
    valueDue_ = false;
    context_.Guard([&] {
        if (name_.empty()) {
            throw RuntimeError("The " + Kind() + " value " + Excerpt(value) + " has no name");
        }
        UserBits& userBits = context_.Engine().prgUserBits;
        if (userBits.Item(name_) != nullptr) {
            throw RuntimeError("The " + Kind() + " " + Excerpt(name_) + " is already declared");
        }
        if (value.empty()) {
            throw RuntimeError("The " + Kind() + " " + Excerpt(name_) + " has no value");
        }
        if (numeric_) {
            const std::int16_t number = ToInt16(LeadingNumber(value));
            userBits.Add(name_, number, true, name_);
        } else {
            const std::string_view last = std::string_view(value).substr(value.size() - 1);
            userBits.Add(name_, SourceBoolean(last) ? 1 : 0, false, name_);
        }
    });
}

std::string DeclarationReader::UserEntries::Kind() const {
    return numeric_ ? "user numeric" : "user bit";
}

}  // namespace veldra
