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
    // "NAME:" then "VALUE;". The dispatcher ends these sections at a keyword itself, and
    // says so, so that a name left without its value is reported.
    void GetUserNumerics(std::string_view piece) { userNumerics_.Read(piece); }
    void GetUserBits(std::string_view piece) { userBits_.Read(piece); }
    void EndUserNumerics() { userNumerics_.End(); }
    void EndUserBits() { userBits_.End(); }

private:
    bool ReadNames(std::string_view piece, bool numeric);
    void AddName(const std::string& name, bool numeric);
    void AddConstant();

    // The entries of one kind of user section, "NAME:" then "VALUE;", each piece reported
    // on its own so that a malformed entry costs only itself.
    class UserEntries {
    public:
        UserEntries(LoadContext& context, bool numeric) : context_(context), numeric_(numeric) {}
        void Read(std::string_view piece);
        // A name still waiting for its value has none.
        void End();

    private:
        void TakeName(std::string_view name);
        void TakeValue(const std::string& value);
        std::string Kind() const;

        LoadContext& context_;
        const bool numeric_;
        // The name given by the last "NAME:" piece, which stays for a value that comes
        // without one, and the line it stands on.
        std::string name_;
        int nameLine_ = 0;
        // The name has had no value yet.
        bool valueDue_ = false;
        // The last "NAME:" was no name, and has been reported: its value goes with it.
        bool valueDropped_ = false;
    };

    LoadContext& context_;
    // A constant: the name before its "=", then its value up to ";" or the end of its line.
    std::string constantName_;
    bool constantNameWaiting_ = false;
    std::string constantText_;
    // A name alone on its line, which a "=" at the start of the next line takes.
    std::string constantCandidate_;
    UserEntries userNumerics_{context_, true};
    UserEntries userBits_{context_, false};
};

}  // namespace veldra
