#include "loader/track_board_reader.h"

#include "boards/track_board.h"
#include "loader/board_header_reader.h"
#include "loader/keywords.h"
#include "loader/source_values.h"

namespace veldra {
namespace {

// The text after the key word, without blanks at either end.
std::string Past(std::string_view s, std::string_view key) {
    return std::string(TrimBlanks(After(s, key)));
}

template <class Visit>
void WithEnd(TrackBoard& board, bool toA, Visit&& visit) {
    if (toA) {
        if (board.TrackA() != nullptr) {
            visit(*board.TrackA());
        }
    } else if (board.TrackB() != nullptr) {
        visit(*board.TrackB());
    }
}

}  // namespace

bool TrackBoardReader::GetTrackBoard(std::string_view piece, TrackBoard* board,
                                     TrackWindow* window) {
    if (KeyWord(piece)) {
        Reset();
        return true;
    }
    if (board == nullptr) {
        return false;
    }
    if (board->BoardType() == "TRX.TRACK") {
        ReadTrx(std::string(TrimBlanks(piece)), *board, window);
    } else if (board->BoardType() == "ECODE.TRACK") {
        ReadEcode(std::string(TrimBlanks(piece)), *board);
    }
    return false;
}

bool TrackBoardReader::SelectEnd(std::string& s) {
    for (const auto& [key, end] :
         {std::pair<std::string_view, End>{"TRACKA:", End::A}, {"TRACKB:", End::B}}) {
        if (Contains(s, key)) {
            end_ = end;
            s = Past(s, key);
            inInputs_ = false;
            inOutputs_ = false;
            return true;
        }
    }
    return false;
}

// Each rule that finds its key word takes the text up to and past it away, and the rules
// after it see the rest.
void TrackBoardReader::ReadTrx(std::string s, TrackBoard& board, TrackWindow* window) {
    for (;;) {
        if (SelectEnd(s)) {
            adjustmentBitRead_ = false;
        }
        if (Contains(s, "TRACK.NAME:") || nameAwaited_) {
            if (Contains(s, "TRACK.NAME:")) {
                s = Past(s, "TRACK.NAME:");
            }
            adjustmentBitRead_ = true;
            nameAwaited_ = s.empty();
            if (!s.empty()) {
                WithEnd(board, SettingsToA(), [&](auto& end) { end.SetTrackName(s); });
                s.clear();
            }
        }
        if (Contains(s, "INPUT:") || inInputs_) {
            if (Contains(s, "INPUT:")) {
                s = Past(s, "INPUT:");
            }
            inInputs_ = true;
            inOutputs_ = false;
            adjustable_ = true;
            ReadCodes(s, board, window);
            s.clear();
        }
        if (Contains(s, "OUTPUT:") || inOutputs_) {
            if (Contains(s, "OUTPUT:")) {
                s = Past(s, "OUTPUT:");
            }
            inOutputs_ = true;
            inInputs_ = false;
            adjustable_ = true;
            ReadCodes(s, board, window);
            s.clear();
        }
        if (ADJFIX(s) && !enableAwaited_) {
            adjustable_ = !Contains(s, "FIXED");
            s = Past(s, adjustable_ ? "ADJUSTABLE" : "FIXED");
            if (!s.empty()) {
                continue;
            }
        }
        break;
    }
    ReadEnable(s, board);
    // The end's adjustment bit is the first text after its "TRACKA:" or "TRACKB:" that no
    // other rule took.
    if (!adjustmentBitRead_ && !s.empty()) {
        if (end_ != End::None) {
            WithEnd(board, SettingsToA(), [&](auto& end) { end.SetAdjustmentBitName(s); });
        }
        adjustmentBitRead_ = true;
    }
}

void TrackBoardReader::ReadEcode(std::string s, TrackBoard& board) {
    for (;;) {
        if (SelectEnd(s)) {
            adjustable_ = false;
        }
        if (Contains(s, "TRACK.NAME:") || nameAwaited_) {
            if (Contains(s, "TRACK.NAME:")) {
                s = Past(s, "TRACK.NAME:");
            }
            nameAwaited_ = s.empty();
            if (!s.empty()) {
                WithEnd(board, SettingsToA(), [&](auto& end) { end.SetTrackName(s); });
            }
        }
        if (ADJFIX(s) && !enableAwaited_) {
            adjustable_ = Contains(s, "ADJUSTABLE");
            s = Past(s, adjustable_ ? "ADJUSTABLE" : "FIXED");
            if (!s.empty()) {
                continue;
            }
        }
        break;
    }
    // A track name holds "."; it is never the enable value.
    if (!Contains(s, ".")) {
        ReadEnable(s, board);
    }
}

// "ENABLE:" and a value closed by ";" set the end's Adjustable from the words read since
// the end's last enable entry, and its Enabled; a value without its ";" is awaited.
void TrackBoardReader::ReadEnable(std::string& s, TrackBoard& board) {
    if (!Contains(s, "ENABLE:") && !enableAwaited_) {
        return;
    }
    if (Contains(s, "ENABLE:")) {
        s = Past(s, "ENABLE:");
    }
    enableAwaited_ = true;
    if (s.ends_with(';')) {
        const std::string value(TrimBlanks(std::string_view(s).substr(0, s.size() - 1)));
        if (value.size() == 1) {
            const bool enabled = SourceBoolean(value);
            WithEnd(board, SettingsToA(), [&](auto& end) {
                end.SetAdjustable(adjustable_);
                end.SetEnabled(enabled);
            });
        }
        enableAwaited_ = false;
        adjustable_ = false;
    }
    // The rest is the enable value, taken or awaited; it is nothing else.
    s.clear();
}

// Names separated by "," over as many lines as they need; a ";" right after a name
// closes both lists.
void TrackBoardReader::ReadCodes(std::string_view s, TrackBoard& board, TrackWindow* window) {
    std::string name;
    for (const char c : s) {
        if (c == ',') {
            AddCode(name, board, window);
            name.clear();
        } else if (c == ';') {
            if (!TrimBlanks(name).empty()) {
                AddCode(name, board, window);
                name.clear();
                inInputs_ = false;
                inOutputs_ = false;
            }
        } else {
            name += c;
        }
    }
    AddCode(name, board, window);
}

void TrackBoardReader::AddCode(std::string_view written, TrackBoard& board, TrackWindow* window) {
    const std::string_view name = TrimBlanks(written);
    if (name.empty() || end_ == End::None || (!inInputs_ && !inOutputs_)) {
        return;
    }
    WithEnd(board, end_ == End::A, [&](auto& end) {
        if (inInputs_) {
            end.InCode().Codes().Add(name, false, window);
        } else {
            end.OutCode().Codes().Add(name, false);
        }
    });
}

}  // namespace veldra
