#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veldra {

class BooleanBit;
class BooleanBits;

// What a state file says of one bit of the loaded program, held apart until the whole
// file has been read, so that a file that fails half-way changes nothing.
struct BitStateCopy {
    BooleanBit* bit = nullptr;  // the program's bit
    bool BitValue = false;
    bool Filter = false;
    bool IsWatch = false;
    std::int32_t OnTime = 0;
    std::int32_t OffTime = 0;
    bool IsNumeric = false;
    std::int16_t NumValue = 0;
};

// The state file of every bit of the program, in the collection's order: the document
// "Save_State_Values" with one element "b_" + name per bit, on one line, no declaration,
// names in UTF-8. A name that cannot form an element name is a RuntimeError, raised
// before a single byte is given back.
std::string StateFileText(const BooleanBits& bits);

// The largest state file taken for a program of `bitCount` bits: far above what any
// writer makes for it, far below what would have the reader answer for hours.
std::uint64_t StateFileSizeLimit(int bitCount);

// Reads a state file into one copy per bit of the program that it names, in the order of
// first appearance. An element for a bit the program lacks is passed to `notFound` by
// its full name and read no further. A declaration or a comment before the root is passed
// over. Anything malformed, foreign or out of range is a RuntimeError that says what.
std::vector<BitStateCopy> ReadStateFile(std::string_view bytes, BooleanBits& program,
                                        const std::function<void(const std::string&)>& notFound);

}  // namespace veldra
