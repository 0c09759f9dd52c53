#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace veldra {

class MXLamp;

// Reads the body of a two-head signal lamp board ("COLOR.LIGHT", "SEARCH.LIGHT"): per head
// its adjust and enable settings, its lamp bit, its aspects and, in the same order, each
// aspect's light-out bit; then the board's two inputs, which end it:
//   HEAD1 ADJUSTABLE
//   ENABLE: 1;
//   LAMP: S1_LMP;
//   ASPECT: S1_R, S1_Y, S1_G;
//   LAMP.OUT: S1_RLO, S1_YLO, S1_GLO;
//   HEAD2 ...
//   INPUT: S1_CALL, S1_AUX;
// Head settings and inputs go to the board at once; the aspects are gathered here and
// handed to the heads when the board is finished, so that the window sees each aspect
// already paired with its light-out bit.
class LightHeadsReader {
public:
    LightHeadsReader();
    ~LightHeadsReader();
    LightHeadsReader(const LightHeadsReader&) = delete;
    LightHeadsReader& operator=(const LightHeadsReader&) = delete;

    // Reads one piece into `board`; none when the board is gone, and then the piece is
    // read but sets nothing. True when the board is finished: at the ";" of the input
    // list, or at a section keyword.
    bool GetLightHeads(std::string_view piece, MXLamp* board);

    // The board is over: the aspects read so far go to its heads, and the reader starts
    // afresh.
    void Finish(MXLamp* board);

private:
    enum class List { None, Aspects, LampOuts, Inputs };

    void SelectHeadOrAdjust(std::string& s, MXLamp* board, bool& cut);
    // The names of the open list; `lineEnd` when the piece ended with its line.
    void ReadNames(std::string_view s, MXLamp* board, bool lineEnd);
    void AddName(std::string_view name, MXLamp* board);
    void SetEnabled(MXLamp* board, bool on) const;
    void SetLampOnName(MXLamp* board, std::string_view name) const;

    std::unique_ptr<MXLamp> working_;  // its heads gather the aspects read so far
    int head_ = 0;                     // the head selected: 1, 2, or 0 for none
    bool enableAwaited_ = false;
    bool lampOnAwaited_ = false;
    List list_ = List::None;
    bool complete_ = false;
};

}  // namespace veldra
