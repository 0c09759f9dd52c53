#include "shell/state_file.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

#include "loader/source_memory.h"
#include "logic/boolean_bits.h"
#include "platform/ascii_text.h"
#include "platform/file_replacement.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

constexpr std::string_view kRoot = "Save_State_Values";
constexpr std::string_view kPrefix = "b_";
// What is written or parsed at a time.
constexpr std::size_t kPiece = std::size_t(1) << 20;
// The least bytes an element of a bit takes: "<b_X/>".
constexpr std::uint64_t kSmallestElement = 6;

// What reading a state file and restoring it take, measured in the program as it ships
// (bench/README.md, "State files"): the pieces read and the parser's own; for each copy its
// own bytes and what restoring its bit adds; for each slot of the program the copies' index;
// and, in tenths of a byte for each byte of the file, the parser's table of the elements'
// names, which keeps every different name it meets (each bit's element is named by its bit)
// to the end of the file.
constexpr MemoryNeed kStateReadOwn{std::uint64_t(4) << 20, std::uint64_t(8) << 20};
constexpr MemoryNeed kStatePerCopy{sizeof(BitStateCopy) + 4, sizeof(BitStateCopy) + 8};
constexpr MemoryNeed kStatePerSlot{sizeof(std::uint32_t), sizeof(std::uint32_t)};
constexpr MemoryNeed kStateTenthsPerFileByte{5, 6};

// The copies a file of `fileBytes` can make of the program's bits.
std::uint64_t CopiesAtMost(std::uint64_t fileBytes, const BooleanBits& program) {
    return std::min<std::uint64_t>(std::uint64_t(std::max(program.Count(), 0)),
                                   fileBytes / kSmallestElement + 1);
}

// A Latin-1 byte that may stand in an element name after its first character.
bool NameByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == 0xB7 || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

void AppendUtf8(std::string& out, std::string_view latin1) {
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

// The name as the program holds it; a character no single byte holds cannot be a bit's.
std::string Latin1(std::string_view utf8, bool& representable) {
    std::string out;
    representable = true;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += char(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            out += char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            representable = false;
            out += '?';
        }
    }
    return out;
}

void AppendBool(std::string& out, std::string_view element, bool value) {
    out.append("<").append(element).append(">");
    out.append(value ? "True" : "False");
    out.append("</").append(element).append(">");
}

void AppendNumber(std::string& out, std::string_view element, std::int32_t value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append("<").append(element).append(">");
    out.append(digits, end);
    out.append("</").append(element).append(">");
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

[[noreturn]] void BadValue(std::string_view element, std::string_view text) {
    throw RuntimeError("\"" + std::string(text) + "\" is not a value of " + std::string(element));
}

std::int64_t Integer(std::string_view element, std::string_view text, std::int64_t low,
                     std::int64_t high) {
    const std::string_view digits = Trimmed(text);
    std::int64_t value = 0;
    const char* begin = digits.data();
    if (!digits.empty() && digits.front() == '+') {
        ++begin;
    }
    const auto [end, error] = std::from_chars(begin, digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size() ||
        error == std::errc::invalid_argument) {
        BadValue(element, text);
    }
    if (error == std::errc::result_out_of_range || value < low || value > high) {
        throw RuntimeError("Overflow: " + std::string(element) + " " + std::string(digits) +
                           " is out of range");
    }
    return value;
}

bool Boolean(std::string_view element, std::string_view text) {
    const std::string word = UpperCased(Trimmed(text));
    if (word == "TRUE") {
        return true;
    }
    if (word == "FALSE") {
        return false;
    }
    constexpr auto kLong = std::numeric_limits<std::int64_t>::max();
    return Integer(element, text, -kLong, kLong) != 0;
}

void ReadValue(std::string_view name, std::string_view text, BitStateCopy& copy) {
    constexpr auto kInt32Low = std::numeric_limits<std::int32_t>::min();
    constexpr auto kInt32High = std::numeric_limits<std::int32_t>::max();
    if (name == "BitValue") {
        copy.BitValue = Boolean(name, text);
    } else if (name == "Filter") {
        copy.Filter = Boolean(name, text);
    } else if (name == "IsWatch") {
        copy.IsWatch = Boolean(name, text);
    } else if (name == "OnTime") {
        if (copy.bit->IsTimer()) {
            copy.OnTime = std::int32_t(Integer(name, text, kInt32Low, kInt32High));
        }
    } else if (name == "OffTime") {
        if (copy.bit->IsTimer()) {
            copy.OffTime = std::int32_t(Integer(name, text, kInt32Low, kInt32High));
        }
    } else if (name == "IsNumeric") {
        copy.IsNumeric = Boolean(name, text);
    } else if (name == "NumValue") {
        if (copy.IsNumeric) {
            copy.NumValue = std::int16_t(Integer(name, text, -32768, 32767));
        }
    }
}

// Expat's memory taken through the program's allocator, so that it runs out as the rest of
// the read does. Each block starts with its size, which a growth needs.
constexpr std::size_t kBlockHead = alignof(std::max_align_t);

void* ParserMalloc(std::size_t size) {
    void* block = ::operator new(size + kBlockHead, std::nothrow);
    if (block == nullptr) {
        return nullptr;
    }
    *static_cast<std::size_t*>(block) = size;
    return static_cast<char*>(block) + kBlockHead;
}

void ParserFree(void* memory) {
    if (memory != nullptr) {
        ::operator delete(static_cast<char*>(memory) - kBlockHead);
    }
}

void* ParserRealloc(void* memory, std::size_t size) {
    void* grown = ParserMalloc(size);
    if (grown != nullptr && memory != nullptr) {
        const std::size_t had =
            *reinterpret_cast<std::size_t*>(static_cast<char*>(memory) - kBlockHead);
        std::memcpy(grown, memory, std::min(had, size));
        ParserFree(memory);
    }
    return grown;
}

const XML_Memory_Handling_Suite kParserMemory{ParserMalloc, ParserRealloc, ParserFree};

struct ParserRelease {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
// Owned from the moment it is made, so that a reader whose making fails further on (its
// tables find no memory) lets its parser go.
using OwnedParser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserRelease>;

// Reads a state file a piece at a time, holding no more of it than the piece the parser
// is given: the copies are the only thing that grows with the file, and they grow no
// further than one a bit of the program.
class StateReader {
public:
    // `file` names the file read, where the text is one's.
    StateReader(BooleanBits& program, const std::function<void(const std::string&)>& notFound,
                std::uint64_t fileBytes, std::string file = {})
        : file_(std::move(file)),
          program_(program),
          notFound_(notFound),
          parser_(XML_ParserCreate_MM(nullptr, &kParserMemory, nullptr)),
          copyAt_(program.SlotCount(), kNoCopy) {
        if (parser_ == nullptr) {
            throw std::bad_alloc();
        }
        copies_.reserve(std::size_t(CopiesAtMost(fileBytes, program)));
        XML_SetUserData(parser_.get(), this);
        XML_SetElementHandler(parser_.get(), &StateReader::Start, &StateReader::End);
        XML_SetCharacterDataHandler(parser_.get(), &StateReader::Text);
    }
    StateReader(const StateReader&) = delete;
    StateReader& operator=(const StateReader&) = delete;

    void Read(std::string_view piece, bool last) {
        const bool parsed = XML_Parse(parser_.get(), piece.data(), int(piece.size()),
                                      last ? 1 : 0) == XML_STATUS_OK;
        if (failure_) {
            try {
                std::rethrow_exception(failure_);
            } catch (const RuntimeError& error) {
                throw RuntimeError(error.what() + Where());
            }
        }
        if (!parsed) {
            const XML_Error error = XML_GetErrorCode(parser_.get());
            if (error == XML_ERROR_NO_MEMORY) {
                throw std::bad_alloc();
            }
            throw RuntimeError(std::string("The file is not a well-formed state file: ") +
                               XML_ErrorString(error) + Where());
        }
    }

    std::vector<BitStateCopy> Copies() && { return std::move(copies_); }

private:
    static constexpr std::uint32_t kNoCopy = std::uint32_t(-1);

    // Where the parser stands, as the user finds it in an editor.
    std::string Where() const {
        const std::string line = std::to_string(XML_GetCurrentLineNumber(parser_.get()));
        return file_.empty() ? " (line " + line + ")" : " (line " + line + " of " + file_ + ")";
    }

    // Runs a step of the read where the parser called it: a failure stops the parser and is
    // raised once the parser has returned, never through it.
    template <class Step>
    static void Guarded(void* reader, Step step) {
        auto& self = *static_cast<StateReader*>(reader);
        if (self.failure_) {
            return;
        }
        try {
            step(self);
        } catch (...) {
            self.failure_ = std::current_exception();
            XML_StopParser(self.parser_.get(), XML_FALSE);
        }
    }

    static void Start(void* reader, const XML_Char* name, const XML_Char**) {
        Guarded(reader, [name](StateReader& self) { self.StartElement(name); });
    }
    static void End(void* reader, const XML_Char*) {
        Guarded(reader, [](StateReader& self) { self.EndElement(); });
    }
    static void Text(void* reader, const XML_Char* text, int length) {
        Guarded(reader, [text, length](StateReader& self) {
            if (self.depth_ == 3 && self.copy_ != kNoCopy) {
                self.text_.append(text, std::size_t(length));
            }
        });
    }

    void StartElement(std::string_view name) {
        ++depth_;
        if (depth_ == 1) {
            if (name != kRoot) {
                throw RuntimeError("The file is not a simulator state file: its document is \"" +
                                   std::string(name) + "\", not \"" + std::string(kRoot) + "\"");
            }
        } else if (depth_ == 2) {
            StartBit(name);
        } else if (depth_ == 3) {
            value_ = name;
            text_.clear();
        }
    }

    void EndElement() {
        if (depth_ == 3 && copy_ != kNoCopy) {
            ReadValue(value_, text_, copies_[copy_]);
        }
        --depth_;
    }

    void StartBit(std::string_view fullName) {
        copy_ = kNoCopy;
        if (fullName.size() < kPrefix.size()) {
            throw RuntimeError("\"" + std::string(fullName) + "\" is too short to name a bit");
        }
        bool representable = true;
        const std::string full = Latin1(fullName, representable);
        // A name in other letters may come out shorter than the prefix once converted.
        BooleanBit* bit = representable && full.size() >= kPrefix.size()
                              ? program_.Find(full.substr(kPrefix.size()))
                              : nullptr;
        if (bit == nullptr) {
            notFound_(full);
            return;
        }
        // A bit named again keeps its one copy; only its value starts again from False.
        std::uint32_t& at = copyAt_[bit->Slot()];
        if (at == kNoCopy) {
            at = std::uint32_t(copies_.size());
            copies_.push_back({});
        }
        copy_ = at;
        BitStateCopy& copy = copies_[copy_];
        copy.bit = bit;
        copy.BitValue = false;
    }

    const std::string file_;
    BooleanBits& program_;
    const std::function<void(const std::string&)>& notFound_;
    OwnedParser parser_;
    std::vector<BitStateCopy> copies_;
    // The copy of the bit in each slot of the program.
    std::vector<std::uint32_t> copyAt_;
    int depth_ = 0;
    std::uint32_t copy_ = kNoCopy;  // of the bit element being read
    std::string value_;             // the value element being read, and its text
    std::string text_;
    std::exception_ptr failure_;
};

}  // namespace

void WriteStateFile(const BooleanBits& bits, const std::function<void(std::string_view)>& write) {
    // Handed on a piece at a time: the whole file would take as much memory again as it is
    // long, some hundreds of bytes a bit.
    std::string out;
    out.reserve(kPiece + 4096);
    out.append("<").append(kRoot).append(">");
    for (const BooleanBit& bit : bits) {
        const std::string& name = bit.BitName();
        for (const char c : name) {
            if (!NameByte(static_cast<unsigned char>(c))) {
                throw RuntimeError("The bit " + name + " has a name that a state file cannot hold");
            }
        }
        out.append("<").append(kPrefix);
        AppendUtf8(out, name);
        out.append(">");
        AppendBool(out, "BitValue", bit.BitValue());
        AppendBool(out, "Filter", bit.Filter());
        AppendBool(out, "IsWatch", bit.IsWatch());
        AppendNumber(out, "OnTime", bit.OnTime());
        AppendNumber(out, "OffTime", bit.OffTime());
        AppendBool(out, "IsNumeric", bit.IsNumeric());
        AppendNumber(out, "NumValue", bit.NumValue());
        out.append("</").append(kPrefix);
        AppendUtf8(out, name);
        out.append(">");
        if (out.size() >= kPiece) {
            write(out);
            out.clear();
        }
    }
    out.append("</").append(kRoot).append(">");
    write(out);
}

std::string StateFileText(const BooleanBits& bits) {
    std::string text;
    WriteStateFile(bits, [&text](std::string_view piece) { text.append(piece); });
    return text;
}

std::uint64_t StateFileSizeLimit(int bitCount) {
    constexpr std::uint64_t kBase = 1u << 20;
    constexpr std::uint64_t kPerBit = 2048;
    return kBase + std::uint64_t(std::max(bitCount, 0)) * kPerBit;
}

MemoryNeed MemoryToLoadState(std::uint64_t fileBytes, const BooleanBits& program) {
    const std::uint64_t copies = CopiesAtMost(fileBytes, program);
    const auto need = [&](std::uint64_t MemoryNeed::*kind) {
        return kStateReadOwn.*kind + copies * kStatePerCopy.*kind +
               std::uint64_t(program.SlotCount()) * kStatePerSlot.*kind +
               fileBytes / 10 * kStateTenthsPerFileByte.*kind;
    };
    return {need(&MemoryNeed::resident), need(&MemoryNeed::address)};
}

void RefuseStateBeyondMemory(const std::filesystem::path& path, const BooleanBits& program) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return;  // the read says why it cannot be read
    }
    if (std::optional<std::string> shortfall =
            NoRoomFor(path, size, MemoryToLoadState(size, program))) {
        throw NotEnoughMemory(std::move(*shortfall));
    }
}

std::vector<BitStateCopy> ReadStateFile(std::string_view bytes, BooleanBits& program,
                                        const std::function<void(const std::string&)>& notFound) {
    StateReader reader(program, notFound, bytes.size());
    do {
        const std::string_view piece = bytes.substr(0, kPiece);
        bytes.remove_prefix(piece.size());
        reader.Read(piece, bytes.empty());
    } while (!bytes.empty());
    return std::move(reader).Copies();
}

std::vector<BitStateCopy> ReadStateFileAt(const std::filesystem::path& path, BooleanBits& program,
                                          const std::function<void(const std::string&)>& notFound) {
    std::optional<StateReader> reader;  // made once the file is known to be one to read
    ReadFileInPieces(path, StateFileSizeLimit(program.Count()),
                     [&](std::string_view piece, std::uint64_t left) {
                         if (!reader) {
                             reader.emplace(program, notFound, piece.size() + left, path.string());
                         }
                         reader->Read(piece, left == 0);
                     });
    return std::move(*reader).Copies();
}

}  // namespace veldra
