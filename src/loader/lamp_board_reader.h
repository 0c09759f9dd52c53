#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace veldra {

class Lamp;
class Lamps;

// Reads the body of a lamp driver ("LAMP16", "LED12", "LED6"): an optional wattage
// clause, the lamp-on bits and then, in the same order, the lamp-out bits:
//   FIXED 25 WATT
//   MODE 1
//   OUTPUT: S1_R, S1_Y, S1_G;
//   LAMP.OUT: S1_RLO, S1_YLO, S1_GLO;
// ("SIGNAL.GOOD:" reads as "LAMP.OUT:"). The lamps are gathered here and handed to the
// board only when it is finished, so that its window sees each lamp already paired with
// its lamp-out bit.
class LampBoardReader {
public:
    LampBoardReader();
    ~LampBoardReader();
    LampBoardReader(const LampBoardReader&) = delete;
    LampBoardReader& operator=(const LampBoardReader&) = delete;

    // Reads one piece. `lamps` is the board's lamp list; none when the board is gone, and
    // then the lamps are read but go nowhere. True when the board is finished: at the ";"
    // of the lamp-out list, or at a section keyword.
    bool GetLampBoard(std::string_view piece, Lamps* lamps);

    // The board is over: the lamps read so far go to `lamps`, in order, and the reader
    // starts afresh.
    void Finish(Lamps* lamps);

private:
    enum class List { None, LampOn, LampOut };
    // What the wattage clause leaves: a piece used up waiting for more of the clause, a
    // rest to be read again from the top, or a rest for the lists.
    enum class Wattage { UsedUp, Again, Done };

    void OpenClauseOrList(std::string& s);
    Wattage ReadWattage(std::string& s);
    void ReadNames(std::string_view s);
    void Store(std::string_view name);
    Lamps& Working();

    std::unique_ptr<Lamp> working_;  // holds the lamps read so far
    std::string wattage_;
    bool adjustableWattage_ = false;
    bool mode_ = false;
    bool expectWattage_ = false;
    bool expectWatt_ = false;
    bool expectMode_ = false;
    List list_ = List::None;
    bool lampOutComplete_ = false;
};

}  // namespace veldra
