#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory_room.h"

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
// names in UTF-8, handed to `write` a piece at a time. A name that cannot form an element
// name is a RuntimeError, raised when its bit is reached: what was handed on by then is
// for the writer to throw away.
void WriteStateFile(const BooleanBits& bits, const std::function<void(std::string_view)>& write);
// The same file whole: its name check raised before a single byte is given back.
std::string StateFileText(const BooleanBits& bits);

// The largest state file taken for a program of `bitCount` bits: far above what any
// writer makes for it, far below what would have the reader answer for hours.
std::uint64_t StateFileSizeLimit(int bitCount);

// Reads a state file into one copy per bit of the program that it names, in the order of
// first appearance. An element for a bit the program lacks is passed to `notFound` by
// its full name and read no further. A declaration or a comment before the root is passed
// over. Anything malformed, foreign or out of range is a RuntimeError that says what;
// memory running out is std::bad_alloc, whatever part of the read meets it.
std::vector<BitStateCopy> ReadStateFile(std::string_view bytes, BooleanBits& program,
                                        const std::function<void(const std::string&)>& notFound);
// The same of the file at `path`, read a megabyte at a time: besides the piece being read
// it holds the copies, one a bit of the program at most, and the parser's table of the
// elements' names, never the file itself nor a tree of it. A file the reader refuses
// (missing, not a regular file, larger than StateFileSizeLimit) is a FileReadError.
std::vector<BitStateCopy> ReadStateFileAt(const std::filesystem::path& path, BooleanBits& program,
                                          const std::function<void(const std::string&)>& notFound);

// What reading a state file of `fileBytes` into `program` and restoring it take at their
// peak beside the program: the piece being read, a copy of each bit the file can name, the
// copies' index by the program's slots, and the parser's table of the names it met, which
// grows with the file (some half of its size, for a file as Save State writes it).
MemoryNeed MemoryToLoadState(std::uint64_t fileBytes, const BooleanBits& program);

// A NotEnoughMemory that says so, naming the file, its size and what the load takes, when
// loading the state file at `path` would leave the desktop less than its reserve; nothing
// when it fits or nothing bounds the memory. Asked before a byte of it is read.
void RefuseStateBeyondMemory(const std::filesystem::path& path, const BooleanBits& program);

}  // namespace veldra
