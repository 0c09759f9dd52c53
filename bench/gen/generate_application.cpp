#include "generate_application.h"

#include <algorithm>
#include <vector>

namespace veldra::bench {

namespace {

std::string Name(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

// Writes names as a comma-separated list, a few to a line, closed with ";".
void List(std::string& out, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        out += (i % 8 == 0) ? "\r\n    " : " ";
        out += names[i];
        out += (i + 1 == names.size()) ? ";" : ",";
    }
    out += "\r\n";
}

}  // namespace

std::string ChainHeadInput() {
    return "TC0";
}

std::string GenerateApplication(const ApplicationSize& size, int chainLength) {
    const int inputBoards = size.boards / 2;
    const int outputBoards = size.boards - inputBoards;
    const int inputs = inputBoards * 16;
    std::string out;
    out.reserve(std::size_t(size.statements) * 48 + std::size_t(size.bits) * 12);
    out += "// Generated for benchmarks: a large interlocking-like application.\r\n";
    out += "PROGRAM GENERATED_STATION;\r\n\r\n";

    // Declared bits: the chain results and free-standing route and flank bits.
    std::vector<std::string> names;
    names.reserve(std::size_t(size.bits));
    for (int i = 0; i < size.statements; ++i) {
        names.push_back(Name("L", i));
    }
    for (int i = int(names.size()); i < size.bits - inputs; ++i) {
        names.push_back(Name("R", i));
    }
    out += "BOOLEAN BITS";
    List(out, names);

    // Delays on the flank bits, which the chains read: a chain itself runs undelayed, so
    // that one input change settles in one scan.
    out += "\r\nTIMER BITS\r\n";
    for (int i = size.statements; i < std::min(size.bits - inputs, size.statements + 500);
         i += 50) {
        out += "    " + Name("R", i) + " : SET = 2 : SEC, CLEAR = 500 : MSEC;\r\n";
    }
    out += "\r\nCONSTANTS BOOLEAN\r\n    CPS.STATUS = 1;\r\n";

    out += "\r\nLOGIC BEGIN\r\n";
    const int freeBits = std::max(1, size.bits - inputs - size.statements);
    for (int i = 0; i < size.statements; ++i) {
        const std::string previous = (i % chainLength == 0)
                                         ? Name("TC", (i / chainLength) % std::max(1, inputs))
                                         : Name("L", i - 1);
        out += "    ASSIGN ";
        for (int g = 0; g < size.contactGroups; ++g) {
            const std::string route = Name("R", size.statements + (i * 7 + g * 3) % freeBits);
            const std::string track = Name("TC", (i * 13 + g * 5) % std::max(1, inputs));
            out +=
                (g > 0 ? " + " : "") + previous + " * ~" + route + " + " + previous + " * " + track;
        }
        out += " TO " + Name("L", i) + ";\r\n";
    }
    out += "END LOGIC\r\n";

    for (int b = 0; b < inputBoards; ++b) {
        out += "\r\nBOARD: " + Name("INB", b) +
               "\r\n    ADJUSTABLE\r\n    ENABLE: 1\r\n    TYPE: IN16\r\n    INPUT:";
        std::vector<std::string> bits;
        for (int k = 0; k < 16; ++k) {
            bits.push_back(Name("TC", b * 16 + k));
        }
        List(out, bits);
    }
    for (int b = 0; b < outputBoards; ++b) {
        out +=
            "\r\nBOARD: " + Name("OUTB", b) + "\r\n    ENABLE: 1\r\n    TYPE: OUT16\r\n    OUTPUT:";
        std::vector<std::string> bits;
        for (int k = 0; k < 16; ++k) {
            bits.push_back(Name("L", (b * 16 + k) * 7 % std::max(1, size.statements)));
        }
        List(out, bits);
    }
    out += "\r\nEND PROGRAM\r\n";
    return out;
}

}  // namespace veldra::bench
