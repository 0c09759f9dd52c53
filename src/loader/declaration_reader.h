#pragma once

#include <string>
#include <string_view>

namespace veldra {

class LoadContext;

// Reads the sections that declare the program's named values: "BOOLEAN BITS" and
// "NUMERIC VARIABLES" (lists of names), "CONSTANTS BOOLEAN" (bits with a starting value),
// "USER BIT" and "USER NUMERIC" (configuration values). Each reader takes one piece at a
// time; the list and constant readers report the end of their section.
class DeclarationReader {
public:
    explicit DeclarationReader(LoadContext& context) : context_(context) {}

    // True at the end of the section: a ";" closes the list, a section keyword ends it.
    bool GetBooleanBits(std::string_view piece) { return ReadNames(piece, false); }
    bool GetNumericVariables(std::string_view piece) { return ReadNames(piece, true); }
    // True at a section keyword; a "CONSTANTS BOOLEAN" header only starts the list again.
    bool GetConstants(std::string_view piece);
    // "NAME:" then "VALUE;". The dispatcher ends these sections at a keyword itself.
    void GetUserNumerics(std::string_view piece) { ReadUserEntry(piece, userNumericName_, true); }
    void GetUserBits(std::string_view piece) { ReadUserEntry(piece, userBitName_, false); }

private:
    bool ReadNames(std::string_view piece, bool numeric);
    void AddName(const std::string& name, bool numeric);
    void AddConstant();
    void ReadUserEntry(std::string_view piece, std::string& waitingName, bool numeric);

    LoadContext& context_;
    // A constant: the name before its "=", then its value up to ";" or the end of its line.
    std::string constantName_;
    bool constantNameWaiting_ = false;
    std::string constantText_;
    // A name alone on its line, which a "=" at the start of the next line takes.
    std::string constantCandidate_;
    // The names given by the last "NAME:" piece of each user section.
    std::string userNumericName_;
    std::string userBitName_;
};

}  // namespace veldra
