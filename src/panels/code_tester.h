#pragma once

#include <array>
#include <string>

namespace veldra {

// What the ECODE track tester (frmEcode) asks: which rates an end receives. The
// combinational rates are ticked each on its own; of the exclusive rates one at most is
// chosen. A box or option stands for every in code whose name holds its caption.
class CodeTester {
public:
    static constexpr std::array<const char*, 3> kCombinational{"1.IN", "5.IN", "M.IN"};
    // The last, "NONE", stands for no code at all.
    static constexpr std::array<const char*, 8> kExclusive{"2.IN", "3.IN", "4.IN", "6.IN",
                                                           "7.IN", "8.IN", "9.IN", "NONE"};
    static constexpr int kNone = 7;

    std::array<bool, 3> ticked{};  // chkNonVital
    int chosen = -1;               // the optVital chosen, -1 for none

    // Marks what the end receives now: a box is ticked, never unticked; an option is
    // chosen, or left, by each code it stands for.
    template <class Codes>
    void Mark(Codes& codes) {
        for (const auto& code : codes) {
            for (std::size_t box = 0; box < ticked.size(); ++box) {
                if (Matches(code.CodeName(), kCombinational[box]) && code.RecievedTwice()) {
                    ticked[box] = true;
                }
            }
            for (int option = 0; option < kNone; ++option) {
                if (!Matches(code.CodeName(), kExclusive[std::size_t(option)])) {
                    continue;
                }
                if (code.RecievedTwice()) {
                    chosen = option;
                } else if (chosen == option) {
                    chosen = -1;
                }
            }
        }
    }

    // The end receives what is ticked and chosen, and no other rate.
    template <class Codes>
    void Send(Codes& codes) const {
        for (auto& code : codes) {
            for (std::size_t box = 0; box < ticked.size(); ++box) {
                if (Matches(code.CodeName(), kCombinational[box])) {
                    code.SetRecievedTwice(ticked[box]);
                }
            }
            for (int option = 0; option < kNone; ++option) {
                if (Matches(code.CodeName(), kExclusive[std::size_t(option)])) {
                    code.SetRecievedTwice(chosen == option);
                }
            }
        }
    }

private:
    static bool Matches(const std::string& name, const char* caption) {
        return name.find(caption) != std::string::npos;
    }
};

}  // namespace veldra
