#include "loader/ases_reader.h"

#include <cstdint>
#include <string>

#include "boards/ases.h"
#include "loader/board_header_reader.h"
#include "loader/keywords.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

// The channel a piece names ("CHANNEL1" to "CHANNEL5"), or 0.
int ChannelNamed(std::string_view s) {
    for (std::size_t at = s.find("CHANNEL"); at != std::string_view::npos;
         at = s.find("CHANNEL", at + 1)) {
        const std::size_t digit = at + 7;
        if (digit < s.size() && s[digit] >= '1' && s[digit] <= '5') {
            return s[digit] - '0';
        }
    }
    return 0;
}

}  // namespace

bool AsesReader::GetAsesBits(std::string_view piece, ASES* board) {
    std::string s(TrimBlanks(piece));
    if (KeyWord(s)) {
        return true;
    }
    if (const int channel = ChannelNamed(s); channel != 0) {
        channel_ = channel;
        return false;
    }
    if (ADJFIX(s) || enableAwaited_) {
        enableAwaited_ = true;
        if (Contains(s, "ADJUSTABLE") && board != nullptr) {
            CurrentChannel(*board, s).Adjustable = true;
        }
        if (Contains(s, "ENABLE")) {
            s = After(s, "ENABLE");
        }
        if (Contains(s, ":")) {
            s = After(s, ":");
        }
        std::string_view value = TrimBlanks(s);
        // A closing ";" is no part of the value.
        if (value.ends_with(';')) {
            value = TrimBlanks(value.substr(0, value.size() - 1));
        }
        if (value == "1" || value == "0") {
            enableAwaited_ = false;
            if (board != nullptr) {
                CurrentChannel(*board, s).Enabled = value == "1";
            }
        }
        return false;
    }
    if (Contains(s, "IF")) {
        inIf_ = true;
        s = After(s, "IF");
    }
    if (Contains(s, ",")) {
        s = Before(s, ",");
    }
    if (Contains(s, ";")) {
        s = Before(s, ";");
    }
    if (Contains(s, "SEND")) {
        s = After(s, "SEND");
    }
    const std::string_view name = TrimBlanks(s);
    if (!name.empty() && inIf_) {
        inIf_ = false;
        if (board != nullptr) {
            // A bit outside every channel would be bound into the program and yet never
            // make a channel send.
            CurrentChannel(*board, name);
            board->ControlBit().ControlBits().Add(name, false, std::int16_t(channel_));
        }
    }
    return false;
}

Channel& AsesReader::CurrentChannel(ASES& board, std::string_view what) {
    if (channel_ == 0) {
        enableAwaited_ = false;  // one message for the whole clause
        throw RuntimeError("The encoder's " + Excerpt(TrimBlanks(what)) +
                           " stands before any CHANNEL1 to CHANNEL5");
    }
    return board.Channel().Channels().Item(std::to_string(channel_));
}

}  // namespace veldra
