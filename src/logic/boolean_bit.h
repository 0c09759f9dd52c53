#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logic/statement_parser.h"
#include "platform/event.h"
#include "platform/keyed_collection.h"

namespace veldra {

class BoardPanel;
class BooleanBits;
class Statement;
class Statements;
class TriggerTarget;

// A statement that reads a bit, with the contacts it reads it through. The bits' readers
// are recorded afresh whenever the bits are mapped, so the statement stands as long as
// the record does. One word: the contacts ride in the low bits of the statement's address.
class BitReader {
public:
    BitReader() = default;
    BitReader(Statement* statement, bool isBack, bool isFront)
        : word_(reinterpret_cast<std::uintptr_t>(statement) | (isBack ? kBack : 0) |
                (isFront ? kFront : 0)) {}

    Statement* statement() const { return reinterpret_cast<Statement*>(word_ & ~kMarks); }
    bool IsBack() const { return (word_ & kBack) != 0; }
    bool IsFront() const { return (word_ & kFront) != 0; }
    // The statement's key: its first result.
    std::string_view Key() const;

private:
    friend class BitReaders;
    static constexpr std::uintptr_t kBack = 1;
    static constexpr std::uintptr_t kFront = 2;
    static constexpr std::uintptr_t kMarks = 7;  // a statement's address has three free bits

    std::uintptr_t word_ = 0;
};

// A bit's readers. Nearly every bit of a large program has one reader, kept in place; more
// share one allocation headed by their count and room. Emptied, it lets its allocation go.
class BitReaders {
public:
    BitReaders() = default;
    ~BitReaders() { clear(); }
    BitReaders(const BitReaders&) = delete;
    BitReaders& operator=(const BitReaders&) = delete;

    std::size_t size() const {
        return Block() != nullptr ? Block()->size : (first_.word_ != 0 ? 1 : 0);
    }
    bool empty() const { return first_.word_ == 0; }
    const BitReader* begin() const { return Block() != nullptr ? Items(Block()) : &first_; }
    const BitReader* end() const { return begin() + size(); }
    const BitReader& operator[](std::size_t index) const { return begin()[index]; }

    void push_back(const BitReader& reader);
    void clear();

private:
    struct Head {
        std::uint32_t size;
        std::uint32_t capacity;
    };
    static_assert(sizeof(Head) % alignof(BitReader) == 0);
    // A word with this bit names a block rather than a statement.
    static constexpr std::uintptr_t kBlock = 4;
    static BitReader* Items(Head* head) { return reinterpret_cast<BitReader*>(head + 1); }
    Head* Block() const {
        return (first_.word_ & kBlock) != 0 ? reinterpret_cast<Head*>(first_.word_ & ~kBlock)
                                            : nullptr;
    }

    BitReader first_;  // the only reader, or the block of several
};

// One named bit of the loaded application: its value (and number, for a numeric bit),
// its delays, how its changes are reported, the board window that shows it and the
// statements that read it. Every value change goes through the change rules of
// SetBitValue, in their fixed order.
class BooleanBit {
public:
    BooleanBit();
    ~BooleanBit();
    BooleanBit(const BooleanBit&) = delete;
    BooleanBit& operator=(const BooleanBit&) = delete;

    const std::string& BitName() const { return bitName_; }
    void SetBitName(std::string_view name) { bitName_ = std::string(name); }

    // Kept in the collection's values while the bit has one, where the scan changes it
    // without touching the bit.
    bool BitValue() const;
    // The change rules. A value equal to the current one changes nothing at all;
    // otherwise: edge, "Bit Watch" box, immediate-window line (unless NoStatus),
    // triggers, the value itself, BitChanged, and the ladders of displayed statements.
    void SetBitValue(bool value, bool NoStatus = false);

    std::int16_t NumValue() const { return numValue_; }
    // Stores the number. For a numeric bit, also writes its line (unless NoStatus) and
    // fires its triggers as a rising edge, changed or not.
    void SetNumValue(std::int16_t number, bool NoStatus = false);

    bool IsNumeric() const { return isNumeric_; }
    void SetIsNumeric(bool on) {
        isNumeric_ = on;
        TellFlags();
    }

    std::int32_t OnTime() const { return rare_ ? rare_->onTime : 0; }
    void SetOnTime(std::int32_t ms) {
        if (ms != 0 || rare_) {
            Rare().onTime = ms;
        }
        TellFlags();
    }
    std::int32_t OffTime() const { return rare_ ? rare_->offTime : 0; }
    void SetOffTime(std::int32_t ms) {
        if (ms != 0 || rare_) {
            Rare().offTime = ms;
        }
        TellFlags();
    }
    // A delay of zero or less is none.
    bool IsTimer() const { return OnTime() > 0 || OffTime() > 0; }

    bool IsFormBit() const { return isFormBit_; }
    void SetIsFormBit(bool on) {
        isFormBit_ = on;
        TellFlags();
    }
    // The board window that shows the bit; none for bits of no board.
    BoardPanel* FormIndex() const { return rare_ ? rare_->formIndex : nullptr; }
    // Where the window lists the bit in its own order (GetSystemBit), from 1; 0 when not
    // known, and the window then finds the bit by name.
    int FormRow() const { return rare_ ? rare_->formRow : 0; }
    // The window's RowsRevision as it reported the bit at FormRow; 0 when not known.
    std::uint32_t FormRowsRevision() const { return rare_ ? rare_->formRowsRevision : 0; }
    // `rowsRevision`: the window's RowsRevision as it reported the bit at `row`, when the
    // row was found that way.
    void SetFormIndex(BoardPanel* window, int row = 0, std::uint32_t rowsRevision = 0);

    bool Filter() const { return filter_; }
    void SetFilter(bool on) {
        filter_ = on;
        TellFlags();
    }
    bool IsWatch() const { return isWatch_; }
    void SetIsWatch(bool on) {
        isWatch_ = on;
        TellFlags();
    }
    bool IsTrigger() const { return isTrigger_; }
    void SetIsTrigger(bool on) {
        isTrigger_ = on;
        TellFlags();
    }
    bool IsAssigned() const { return isAssigned_; }
    void SetIsAssigned(bool on) {
        isAssigned_ = on;
        TellFlags();
    }

    // The bit's row in the program window's status grid, passed with BitChanged.
    std::int32_t vIndex() const { return vIndex_; }
    void SetvIndex(std::int32_t row);

    void SetvTables(TriggerTarget* tables) {
        if (tables != nullptr || rare_) {
            Rare().vTables = tables;
        }
    }
    void SetvNumBlocks(TriggerTarget* blocks) {
        if (blocks != nullptr || rare_) {
            Rare().vNumBlocks = blocks;
        }
    }
    // The statements that BitMap's keys name.
    void SetRung(Statements* statements) { rung_ = statements; }
    Statements* Rung() const { return rung_; }

    // The statements that read this bit, in the order they were recorded, with their
    // contacts.
    std::span<const BitReader> Readers() const { return {readers_.begin(), readers_.size()}; }
    void ResetAssigns();
    // Records that the statement reads this bit, with its front and back contacts. A
    // statement whose key is recorded already is refused with the model's error question.
    void Assigns(Statement& statement);
    // The same with the contacts already read, for mapping, which records each statement
    // once.
    void Assigns(Statement& statement, Contacts contacts);

    // Pushes the value to the bit's board window; a bit without one is skipped.
    void UpdateIO() const;
    // Pushes a value recorded earlier for the bit named `name` to the window that showed it
    // then, at the row it had there (0 for none); a window that fails to take it is passed
    // over. Static, so that a push whose name is in hand reads nothing of the bit.
    // `rowsRevision`: the window's RowsRevision when the bit was bound to the row, if known.
    static void UpdateIO(BoardPanel* window, int row, std::string_view name, bool value,
                         std::uint32_t rowsRevision = 0);
    // Hands the value, read from a state file, to the bit's board window.
    void LoadState() const;

    // The collection the bit was added to, which forwards BitChanged and keeps the
    // bit's value in its slot of the collection's dense values.
    void SetOwner(BooleanBits* owner);
    BooleanBits* Owner() const { return owner_; }
    std::uint32_t Slot() const { return slot_; }
    // What the scan and the change rules test of a bit, as one byte: whoever keeps the
    // bits' flags by slot (BitLayoutWatcher) is told of them as they change.
    enum Flag : std::uint8_t {
        kTimer = 1,  // has a delay
        kFormBit = 2,
        kTrigger = 4,
        kWatch = 8,
        kFilter = 16,
        kAssigned = 32,
        kNumeric = 64,
        kHeard = 128,  // somebody listens to the bit's own BitChanged
    };
    std::uint8_t Flags() const;

    // Raised with the bit's status row and new value. Made for the first listener; a bit
    // that has one is changed by its own rules, never by the scan's short way.
    Event<std::int32_t, bool>& BitChanged();

private:
    // What few bits have: delays, a board window, tables and blocks to trigger. Kept
    // apart, made for the bits that use it, so that a large program's bits stay small.
    struct RareState {
        std::int32_t onTime = 0;
        std::int32_t offTime = 0;
        BoardPanel* formIndex = nullptr;
        int formRow = 0;
        std::uint32_t formRowsRevision = 0;
        TriggerTarget* vTables = nullptr;
        TriggerTarget* vNumBlocks = nullptr;
        std::unique_ptr<Event<std::int32_t, bool>> bitChanged;
    };
    RareState& Rare() {
        if (!rare_) {
            rare_ = std::make_unique<RareState>();
        }
        return *rare_;
    }

    // Tells the collection of the flags, for whoever keeps them by slot for the scan.
    void TellFlags();
    void FireTriggers();
    template <class Call>
    static void TellWindow(BoardPanel* window, Call&& call);

    // The marks in bits, as a large program has millions of bits. The value is the bit's
    // own only while no collection holds it.
    bool bitValue_ : 1 = false;
    bool isFormBit_ : 1 = false;
    bool filter_ : 1 = false;
    bool isTrigger_ : 1 = false;
    bool isWatch_ : 1 = false;
    bool isAssigned_ : 1 = false;
    bool risingEdge_ : 1 = false;
    bool fallingEdge_ : 1 = false;
    bool isNumeric_ : 1 = false;
    std::int16_t numValue_ = 0;
    std::int32_t vIndex_ = 0;
    std::uint32_t slot_ = 0;
    BooleanBits* owner_ = nullptr;
    Statements* rung_ = nullptr;

    std::string bitName_;
    BitReaders readers_;
    std::unique_ptr<RareState> rare_;
};

// A bit is always keyed by its name, set before it joins a collection: the collection
// reads the key from the bit rather than holding a second copy of every name.
template <>
struct KeyIsOwnName<BooleanBit> {
    static constexpr bool kUsed = true;
    static std::string_view Of(const BooleanBit& bit) { return bit.BitName(); }
};

}  // namespace veldra
