#include "loader/declaration_reader.h"

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

void DeclarationReader::ReadUserEntry(std::string_view piece, std::string& waitingName,
                                      bool numeric) {
    context_.ProgramBits();
    if (piece.empty()) {
        return;
    }
    if (Contains(piece, ":")) {
        waitingName = std::string(TrimBlanks(Before(piece, ":")));
    }
    if (!Contains(piece, ";")) {
        return;
    }
    const std::string value(TrimBlanks(Before(piece, ";")));
    context_.Guard([&] {
        const char* kind = numeric ? "user numeric" : "user bit";
        if (waitingName.empty()) {
            throw RuntimeError("The " + std::string(kind) + " value " + Excerpt(value) +
                               " has no name");
        }
        UserBits& userBits = context_.Engine().prgUserBits;
        if (userBits.Item(waitingName) != nullptr) {
            throw RuntimeError("The " + std::string(kind) + " " + Excerpt(waitingName) +
                               " is already declared");
        }
        if (numeric) {
            const std::int16_t number = ToInt16(LeadingNumber(value));
            userBits.Add(waitingName, number, true, waitingName);
        } else {
            const std::string_view last =
                value.empty() ? value : std::string_view(value).substr(value.size() - 1);
            userBits.Add(waitingName, SourceBoolean(last) ? 1 : 0, false, waitingName);
        }
    });
}

}  // namespace veldra
