#pragma once

#include <string>
#include <string_view>

namespace veldra {

class TrackBoard;
class TrackWindow;

// Reads the body of a coded-track board: for each track end its adjustment bit, track
// name, adjust and enable settings and, on a "TRX.TRACK" board, the codes it receives and
// sends:
//   TRACKA:
//   T1_ADJ
//   TRACK.NAME: T1A
//   INPUT: T1.C1, T1.C2;
//   OUTPUT: T1.C3;
//   ENABLE: 1;
// An "ECODE.TRACK" board names and enables its ends only; its window makes their codes.
class TrackBoardReader {
public:
    // Reads one piece into `board`, whose window `window` shows the codes received; none
    // when the board is gone, and then nothing is read. True only at a section keyword.
    bool GetTrackBoard(std::string_view piece, TrackBoard* board, TrackWindow* window);

    // The board is over: the next one starts with no end selected and nothing awaited.
    void Reset() { *this = TrackBoardReader(); }

private:
    enum class End { None, A, B };

    void ReadTrx(std::string s, TrackBoard& board, TrackWindow* window);
    void ReadEcode(std::string s, TrackBoard& board);
    // "TRACKA:" or "TRACKB:"; true when the piece selected an end.
    bool SelectEnd(std::string& s);
    void ReadEnable(std::string& s, TrackBoard& board);
    void ReadCodes(std::string_view s, TrackBoard& board, TrackWindow* window);
    void AddCode(std::string_view name, TrackBoard& board, TrackWindow* window);
    // The end a setting goes to: end A only when it is the one selected.
    bool SettingsToA() const { return end_ == End::A; }

    End end_ = End::None;
    bool inInputs_ = false;
    bool inOutputs_ = false;
    bool adjustable_ = false;
    bool adjustmentBitRead_ = false;
    bool nameAwaited_ = false;
    bool enableAwaited_ = false;
};

}  // namespace veldra
