#pragma once

#include <string_view>

namespace veldra {

// The kinds of board a source's type word can name, each read by its own body reader and
// shown in its own kind of window.
enum class BoardKind {
    InOut,        // frmInOutBoard: inputs and outputs
    InputsOnly,   // frmIOBoard: inputs
    OutputsOnly,  // frmIOBoard: outputs
    Lamp,         // frmLMP16
    Track,        // frmTrack
    SignalHead,   // frmMXLamp
    Encoder,      // frmASES
    Skipped,      // "SCC": not simulated, dropped without a word
    Unknown,      // any other word: reported, nothing built
};

// The kind a type word names. The word is compared whole, so "IN16;" is no "IN16".
BoardKind KindOfBoard(std::string_view typeWord);

inline bool IsIOKind(BoardKind kind) {
    return kind == BoardKind::InOut || kind == BoardKind::InputsOnly ||
           kind == BoardKind::OutputsOnly;
}

// The lamp drivers whose boxes say a lamp is good rather than out.
inline bool IsLedType(std::string_view typeWord) {
    return typeWord == "LED12" || typeWord == "LED6";
}

}  // namespace veldra
