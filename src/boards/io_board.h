#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "boards/board_items.h"

namespace veldra {

class BoardInput;
class BoardOutput;

class BoardInputs : public BoardItems<BoardInputs, BoardInput> {
public:
    // Appends an input under its name ("SPARE" without a key) and raises BitAdded. A name
    // already listed is refused with the model's error question and yields nothing.
    BoardInput* Add(std::string_view InputName, bool InputState);

    ItemAdded BitAdded;
};

class BoardOutputs : public BoardItems<BoardOutputs, BoardOutput> {
public:
    // Appends an output under its name ("SPARE" without a key) and raises BitAdded. A name
    // already listed is refused with the model's error question and yields nothing.
    BoardOutput* Add(std::string_view OutputName, bool OutputState, bool IsTimer = false,
                     std::int32_t OnTime = 0, std::int32_t OffTime = 0);

    ItemAdded BitAdded;
};

// One input of an I/O board, a bit the user changes on the board's window; or the holder
// of the board's inputs.
class BoardInput : public BoardItem<BoardInputs> {
public:
    // The board's inputs on the holder; the list it is in on an input.
    ::veldra::BoardInputs& BoardInputs() {
        return Plural(&::veldra::BoardInputs::BitAdded, InputAdded);
    }

    std::string InputName;
    bool InputState = false;
    std::int16_t intIndex = 0;  // the input's indicator on the board window

    // On the holder: an input was added to its list.
    ItemAdded InputAdded;
};

// One output of an I/O board, a bit the logic drives; or the holder of the board's outputs.
class BoardOutput : public BoardItem<BoardOutputs> {
public:
    // The board's outputs on the holder; the list it is in on an output.
    ::veldra::BoardOutputs& BoardOutputs() {
        return Plural(&::veldra::BoardOutputs::BitAdded, OutputAdded);
    }

    std::string OutputName;
    bool OutputState = false;
    std::int16_t intIndex = 0;  // the output's indicator on the board window
    // The source's delay settings, kept as given; the bit's own delays are what count.
    bool IsTimer = false;
    std::int32_t OnTime = 0;
    std::int32_t OffTime = 0;

    // On the holder: an output was added to its list.
    ItemAdded OutputAdded;
};

// An I/O board: inputs the user sets, outputs the logic drives. The type word (such as
// "IN8.OUT8" or "OUT16") is kept as text and means nothing to the board itself. The
// board has no holders until the loader gives it them.
class IOBoard : public BoardHeader {
public:
    IOBoard() = default;
    IOBoard(const IOBoard&) = delete;
    IOBoard& operator=(const IOBoard&) = delete;

    const std::string& BoardType() const { return boardType_; }
    void SetBoardType(std::string_view type) { boardType_ = std::string(type); }

    // The holders; none until set.
    ::veldra::BoardOutput* BoardOutput() const { return outputs_.Get(); }
    void SetBoardOutput(std::unique_ptr<::veldra::BoardOutput> holder) {
        outputs_.Set(std::move(holder));
        HoldersGiven.Raise();
    }
    ::veldra::BoardInput* BoardInput() const { return inputs_.Get(); }
    void SetBoardInput(std::unique_ptr<::veldra::BoardInput> holder) {
        inputs_.Set(std::move(holder));
        HoldersGiven.Raise();
    }

    // Raised when a holder is given, in place of any held before.
    Event<> HoldersGiven;
    ItemAdded OutputBitAdded;
    ItemAdded InputBitAdded;

private:
    std::string boardType_;
    HolderSlot<::veldra::BoardOutput> outputs_{&::veldra::BoardOutput::OutputAdded, OutputBitAdded};
    HolderSlot<::veldra::BoardInput> inputs_{&::veldra::BoardInput::InputAdded, InputBitAdded};
};

}  // namespace veldra
