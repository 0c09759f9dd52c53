#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/hash_growth.h"

namespace veldra {

class LoadContext;

// Reads the "CODED OUTPUTS" section: toggle groups whose bits go to the toggle-bits
// window, one column per group:
//   TOGGLE G1 ON 2 IF B1,
//   IF B2;
// A group's bits are handed on together at the ";" that closes its list, when the next
// TOGGLE starts, or when the section ends.
class CodedOutputReader {
public:
    explicit CodedOutputReader(LoadContext& context) : context_(context) {}

    // Reads one piece; true at a section keyword, which ends the section.
    bool GetCodedOutputs(std::string_view piece);
    // The section is over: bits still waiting are handed on.
    void EndSection();

private:
    void Read(std::string_view text);
    // Reads the names of an IF list; false when a ";" closed it.
    bool ReadNames(std::string_view text);
    void Flush();

    LoadContext& context_;
    bool toggle_ = false;
    bool on_ = false;
    bool if_ = false;
    std::string groupName_;
    std::vector<std::string> pending_;  // in the order the list gives them
    // The same names, to refuse a repeat (in any letter case) without walking the list.
    HashSet<std::string, CaseInsensitiveHash, CaseInsensitiveEqual> pendingNames_;
};

}  // namespace veldra
