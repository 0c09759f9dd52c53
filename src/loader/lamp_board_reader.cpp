#include "loader/lamp_board_reader.h"

#include <utility>

#include "boards/lamp16.h"
#include "loader/keywords.h"
#include "loader/source_values.h"

namespace veldra {

LampBoardReader::LampBoardReader() = default;
LampBoardReader::~LampBoardReader() = default;

Lamps& LampBoardReader::Working() {
    if (working_ == nullptr) {
        working_ = std::make_unique<Lamp>();
    }
    return working_->Lamps();
}

bool LampBoardReader::GetLampBoard(std::string_view piece, Lamps* lamps) {
    std::string s(TrimBlanks(piece));
    if (KeyWord(s)) {
        Finish(lamps);
        return true;
    }
    Working();
    for (;;) {
        if (list_ == List::None) {
            OpenClauseOrList(s);
        }
        const Wattage wattage = ReadWattage(s);
        if (wattage == Wattage::UsedUp) {
            return false;
        }
        if (wattage == Wattage::Again) {
            continue;
        }
        break;
    }
    if (list_ != List::None && !s.empty()) {
        ReadNames(s);
    }
    if (lampOutComplete_) {
        Finish(lamps);
        return true;
    }
    return false;
}

void LampBoardReader::OpenClauseOrList(std::string& s) {
    if (Contains(s, "ADJUSTABLE")) {
        adjustableWattage_ = true;
        expectWattage_ = true;
        s = TrimBlanks(After(s, "ADJUSTABLE"));
        return;
    }
    if (Contains(s, "FIXED")) {
        adjustableWattage_ = false;
        expectWattage_ = true;
        s = TrimBlanks(After(s, "FIXED"));
        return;
    }
    for (const auto& [header, list] : {std::pair<std::string_view, List>{"OUTPUT:", List::LampOn},
                                       {"LAMP.OUT:", List::LampOut},
                                       {"SIGNAL.GOOD:", List::LampOut}}) {
        if (Contains(s, header)) {
            list_ = list;
            s = After(s, header);
            // A clause without its mode leaves the mode as it was: a list is no mode.
            expectMode_ = false;
            return;
        }
    }
}

// "ADJUSTABLE" or "FIXED" (already taken off), the wattage and "WATT", then the mode.
// Until "WATT" comes, every piece is searched for the rest of the clause first.
LampBoardReader::Wattage LampBoardReader::ReadWattage(std::string& s) {
    if (expectWattage_) {
        s = std::string(TrimBlanks(s));
        const std::size_t blank = s.find(' ');
        if (blank == std::string::npos) {
            return Wattage::UsedUp;
        }
        wattage_ = s.substr(0, blank);
        s.erase(0, blank);
        expectWattage_ = false;
        expectWatt_ = true;
    }
    if (expectWatt_) {
        s = std::string(TrimBlanks(s));
        if (!Contains(s, "WATT")) {
            return Wattage::UsedUp;
        }
        s = After(s, "WATT");
        expectWatt_ = false;
        expectMode_ = true;
    }
    if (expectMode_ && !s.empty()) {
        if (Contains(s, "MODE")) {
            s = After(s, "MODE");
        }
        s = std::string(TrimBlanks(s));
        if (!s.empty()) {
            mode_ = SourceBoolean(s.substr(0, 1));
            expectMode_ = false;
        }
        return Wattage::Again;
    }
    return Wattage::Done;
}

void LampBoardReader::ReadNames(std::string_view s) {
    std::string name;
    for (const char c : s) {
        if (c == ',') {
            Store(name);
            name.clear();
        } else if (c == ';') {
            Store(name);
            if (list_ == List::LampOut) {
                lampOutComplete_ = true;
            }
            list_ = List::None;
            return;
        } else {
            name += c;
        }
    }
    Store(name);
}

void LampBoardReader::Store(std::string_view written) {
    const std::string_view name = TrimBlanks(written);
    if (name.empty()) {
        return;
    }
    Lamps& lamps = Working();
    if (list_ == List::LampOn) {
        lamps.Add(false, false, name, "", wattage_, adjustableWattage_, mode_);
        return;
    }
    // The k-th lamp-out name belongs to the k-th lamp; one too many is dropped.
    for (Lamp& lamp : lamps) {
        if (lamp.LampOutName.empty()) {
            lamp.LampOutName = std::string(name);
            return;
        }
    }
}

void LampBoardReader::Finish(Lamps* lamps) {
    std::unique_ptr<Lamp> read = std::move(working_);
    wattage_.clear();
    adjustableWattage_ = false;
    mode_ = false;
    expectWattage_ = false;
    expectWatt_ = false;
    expectMode_ = false;
    list_ = List::None;
    lampOutComplete_ = false;
    if (read == nullptr || lamps == nullptr) {
        return;
    }
    for (const Lamp& lamp : read->Lamps()) {
        lamps->Add(false, false, lamp.LampOnName, lamp.LampOutName, lamp.LampWattage,
                   lamp.AdjustableWattage, lamp.Mode);
    }
}

}  // namespace veldra
